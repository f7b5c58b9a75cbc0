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
#include <cstring>
#include <set>
#include <sys/stat.h>

namespace {

std::string saved_snapshot;
// The refused lines of the current load are in the side file.
bool refused_lines_kept = false;

constexpr const char* LIST_SEPARATOR = "、";
constexpr const char* SCRIPT_EOL = "\r\n";
constexpr int PERMISSION_BITS = 0777;

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

outcome save_refusal()
{
    if (settings_problem[0]) return outcome_fail(MSG_SAVE_SETTINGS_BAD, settings_problem);
    if (!cmd_path[0]) return outcome_fail(MSG_SAVE_NO_SCRIPT_NAME);
    if (last_script_report.state == SCRIPT_UNREADABLE)
        return outcome_fail(MSG_SAVE_SCRIPT_KEPT, last_script_report.why.c_str());
    if (program_file_unusable) return outcome_fail(MSG_SAVE_PROGRAM_KEPT, program_file_problem.c_str());
    return outcome_ok();
}

namespace {

// A workspace file's name as the user knows it: from the workspace folder on.
std::string shown_name(const char* path)
{
    const size_t n = strlen(exe_dir);
    return strncmp(path, exe_dir, n) == 0 ? std::string(path + n) : std::string(path);
}

// The permission bits of the script's file, for the files kept beside it
// (-1 when it is not there: they then get the usual ones).
int script_mode()
{
    struct stat st;
    return stat(cmd_path, &st) == 0 ? (int)(st.st_mode & PERMISSION_BITS) : -1;
}

// Add the lines the load refused to the side file, those not there yet.
outcome keep_refused_lines(save_outcome& out)
{
    if (refused_lines_kept || last_script_report.refused == 0) return outcome_ok();
    const std::string side = std::string(cmd_path) + REFUSED_LINES_SUFFIX;
    std::string kept;
    bool missing = false;
    outcome o = read_whole_file(side.c_str(), SCRIPT_FILE_MAX, kept, &missing);
    if (!o && !missing) return o;
    std::set<std::string> there;
    size_t i = 0;
    while (i < kept.size()) {
        size_t end = kept.find_first_of("\r\n", i);
        if (end == std::string::npos) end = kept.size();
        there.insert(kept.substr(i, end - i));
        i = end + 1;
    }
    if (!kept.empty() && kept.back() != '\n') kept += SCRIPT_EOL;
    int added = 0;
    for (const script_note& n : last_script_report.notes) {
        if (n.status != CMD_REFUSED || n.text.empty() || !there.insert(n.text).second) continue;
        kept += n.text + SCRIPT_EOL;
        added++;
    }
    if (added == 0) return outcome_ok();
    o = replace_file(side.c_str(), kept, replace_options{true, script_mode()});
    if (!o) return o;
    out.refused_kept = added;
    out.side_file = shown_name(side.c_str());
    return o;
}

// Gather the notes of the files written into one.
void add_note(std::string& notes, const outcome& o)
{
    if (o.why.empty()) return;
    if (!notes.empty()) notes += "；";
    notes += o.why;
}

} // namespace

outcome save_layout(save_outcome& out, save_mode mode)
{
    out = save_outcome{};
    outcome o = save_refusal();
    if (!o) return o;

    mark_picture_regions();
    const std::string text = script_text();
    out.left_out = items_outside_panel();

    // What is on disk now; a file that is there but cannot be read stops the save.
    std::string old, program;
    bool missing = false;
    file_stamp script_now, program_now;
    o = read_whole_file(cmd_path, SCRIPT_FILE_MAX, old, &missing, &script_now);
    if (!o && !missing) return o;
    o = program_file_text(program, program_now);
    if (!o) return o;
    o = profile_can_update(cfg_path);
    if (!o) return o;

    // Files changed elsewhere since they were loaded or saved are saved over
    // only on the user's word.
    if (mode == SAVE_CHECKED) {
        std::string changed;
        if (stamp_changed(last_script_report.stamp, script_now)) changed = shown_name(cmd_path);
        if (stamp_changed(program_file_stamp, program_now))
            changed += (changed.empty() ? "" : LIST_SEPARATOR) + shown_name(vsn_path);
        if (!changed.empty()) {
            out.conflict = true;
            out.changed_files = changed;
            return outcome_fail(MSG_SAVE_CONFLICT, changed.c_str());
        }
    }
    out.script_changed = missing || old != text;
    if (out.script_changed) {
        o = keep_refused_lines(out);
        if (!o) return o;
    }

    // Every new file is written before any file changes.
    file_replacement script, backup, programs;
    const std::string backup_path = std::string(cmd_path) + BACKUP_SUFFIX;
    if (out.script_changed) {
        o = replace_prepare(script, cmd_path, text, replace_options{true, -1});
        if (!o) return o;
        if (!missing) {
            o = replace_prepare(backup, backup_path.c_str(), old, replace_options{true, script_mode()});
            if (!o) return o;
        }
    }
    o = replace_prepare(programs, vsn_path, program, replace_options{true, -1});
    if (!o) return o;

    // The new script first, then its backup: a save cut off between the two
    // keeps the older backup, never two copies of the unchanged script.
    // A file renamed into place is this program's own from then on, even
    // when the save fails after it.
    std::string notes;
    if (out.script_changed) {
        o = replace_commit(script);
        if (script.renamed) last_script_report.stamp = stamp_of_data(text);
        if (!o) return o;
        add_note(notes, o);
        if (!missing) {
            o = replace_commit(backup);
            if (!o) return o;
            add_note(notes, o);
        }
    } else {
        last_script_report.stamp = script_now;
    }
    o = replace_commit(programs);
    if (programs.renamed) program_file_stamp = stamp_of_data(program);
    if (!o) return o;
    add_note(notes, o);
    o = profile_write("NetSyc", "Syc_Update", "1", cfg_path);
    if (!o) return o;
    add_note(notes, o);
    saved_snapshot = snapshot_of(text);
    if (out.refused_kept > 0) refused_lines_kept = true;
    return notes.empty() ? outcome_ok() : outcome{true, notes};
}

std::string layout_snapshot() { return snapshot_of(script_text()); }

void remember_saved_layout()
{
    saved_snapshot = layout_snapshot();
    refused_lines_kept = false;
}

bool layout_has_unsaved_changes() { return layout_snapshot() != saved_snapshot; }
