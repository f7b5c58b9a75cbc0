/*******************************************************************************
 * output/layout_save.cpp - the one save step and the unsaved-changes test
 ******************************************************************************/
#include "output/layout_save.h"
#include "command/script_reader.h"
#include "model/settings.h"
#include "model/tables.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/file_write.h"
#include "platform/profile.h"
#include <cstdio>

namespace {

std::string saved_snapshot;

constexpr const char* BACKUP_SUFFIX = ".bak";

} // namespace

bool live_item_x(int32_t x) { return x >= PANEL_X; }

namespace {

// A live item the script leaves out: shown, right of the palette, off the panel.
bool left_out(bool visible, int32_t x, int32_t y) { return visible && live_item_x(x) && !item_in_panel(x, y); }

// The script text and what it does not hold: live items it leaves out (moving
// one is a change) and the pictures' places.
std::string snapshot_of(std::string s)
{
    char line[96];
    const int p = dot_pitch();
    for (int i = 0; i <= LAST_ITEM_INDEX; i++) {
        const string_draw& t = string_table[i];
        if (left_out(t.visible, t.x, t.y)) {
            snprintf(line, sizeof line, "outside text %d %d %d\n", i, floor_div((int64_t)t.x - PANEL_X, p),
                     floor_div((int64_t)t.y - PANEL_Y, p));
            s += line;
        }
        const Digit_unit& d = digit_table[i];
        if (left_out(d.visible, d.x, d.y)) {
            snprintf(line, sizeof line, "outside unit %d %d %d\n", i, floor_div((int64_t)d.x - PANEL_X, p),
                     floor_div((int64_t)d.y - PANEL_Y, p));
            s += line;
        }
    }
    for (int i = 0; i < GRAPH_COUNT; i++) {
        const graph_draw& g = graph_table[i];
        if (!g.shown) continue;
        snprintf(line, sizeof line, "picture %d %d %d\n", i, floor_div((int64_t)g.left - PANEL_X, p),
                 floor_div((int64_t)g.top - PANEL_Y, p));
        s += line;
    }
    return s;
}

} // namespace

int items_outside_panel()
{
    int n = 0;
    for (int i = 0; i <= LAST_ITEM_INDEX && i < STRING_COUNT; i++)
        n += left_out(string_table[i].visible, string_table[i].x, string_table[i].y);
    for (int i = 0; i <= LAST_ITEM_INDEX && i < DIGIT_COUNT; i++)
        n += left_out(digit_table[i].visible, digit_table[i].x, digit_table[i].y);
    return n;
}

std::string save_refusal()
{
    if (settings_problem[0]) return std::string(settings_problem) + "; the layout is not saved";
    if (!cmd_path[0]) return "no script file name; the layout is not saved";
    if (last_script_report.state == SCRIPT_UNREADABLE)
        return "the script could not be loaded (" + last_script_report.why +
               "); it is kept and not saved over";
    if (program_file_unusable)
        return "the program file could not be loaded (" + program_file_problem +
               "); it is kept and not saved over";
    return std::string();
}

bool save_layout(save_outcome& out)
{
    out = save_outcome{};
    out.why = save_refusal();
    if (!out.why.empty()) return false;

    mark_picture_regions();
    const std::string text = script_text();
    out.left_out = items_outside_panel();

    // The previous script becomes cmd.txt.bak when this save changes it.
    std::string old, why;
    bool missing = false;
    if (read_whole_file(cmd_path, SCRIPT_FILE_MAX, old, why, &missing)) {
        out.script_changed = old != text;
        if (out.script_changed && !replace_file((std::string(cmd_path) + BACKUP_SUFFIX).c_str(), old, why, true)) {
            out.why = "cannot keep the previous script: " + why;
            return false;
        }
    } else if (missing) {
        out.script_changed = true;
    } else {
        out.why = why;
        return false;
    }
    if (out.script_changed && !replace_file(cmd_path, text, why, true)) {
        out.why = why;
        return false;
    }
    if (!save_program_file()) {
        out.why = program_file_problem;
        return false;
    }
    if (!profile_write("NetSyc", "Syc_Update", "1", cfg_path)) {
        out.why = std::string("cannot set Syc_Update in ") + cfg_path;
        return false;
    }
    saved_snapshot = snapshot_of(text);
    out.ok = true;
    return true;
}

std::string layout_snapshot() { return snapshot_of(script_text()); }

void remember_saved_layout() { saved_snapshot = layout_snapshot(); }

bool layout_has_unsaved_changes() { return layout_snapshot() != saved_snapshot; }
