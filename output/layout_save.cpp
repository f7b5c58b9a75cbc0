/*******************************************************************************
 * output/layout_save.cpp - the one save step and the unsaved-changes test
 ******************************************************************************/
#include "output/layout_save.h"
#include "command/script_reader.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/file_write.h"
#include "platform/profile.h"
#include <cstdio>
#include <cstring>
#include <set>
#include <sys/stat.h>

namespace {

constexpr const char* LIST_SEPARATOR = "、";
constexpr const char* SCRIPT_EOL = "\r\n";
constexpr int PERMISSION_BITS = 0777;

} // namespace

namespace {

// The script text and what it does not hold: items it leaves out (moving
// one is a change) and the pictures' places.
std::string snapshot_of(const document& d, std::string s)
{
    char line[96];
    for (int t = 0; t < ITEM_TABLES; t++)
        pool_walk(d.items, (item_table)t, [&](item_id, const item& it) {
            if (doc_on_panel(d, it.x, it.y)) return;
            snprintf(line, sizeof line, "outside %d %d %d %d\n", t, it.slot, it.x, it.y);
            s += line;
        });
    for (int i = 0; i < PICTURE_COUNT; i++) {
        const doc_picture& g = d.pictures[i];
        if (!g.shown) continue;
        snprintf(line, sizeof line, "picture %d %d %d\n", i, g.x, g.y);
        s += line;
    }
    return s;
}

} // namespace

outcome save_refusal(const document& d)
{
    if (!d.settings.problem.empty()) return outcome_fail(MSG_SAVE_SETTINGS_BAD, d.settings.problem.c_str());
    if (d.paths.cmd.empty()) return outcome_fail(MSG_SAVE_NO_SCRIPT_NAME);
    if (d.script.state == FILE_UNREADABLE) return outcome_fail(MSG_SAVE_SCRIPT_KEPT, d.script.why.c_str());
    if (d.program_file_unusable) return outcome_fail(MSG_SAVE_PROGRAM_KEPT, d.program_file_problem.c_str());
    return outcome_ok();
}

namespace {

// A workspace file's name as the user knows it: from the workspace folder on.
std::string shown_name(const document& d, const std::string& path)
{
    return path.compare(0, d.paths.dir.size(), d.paths.dir) == 0 ? path.substr(d.paths.dir.size()) : path;
}

// The permission bits of the script's file, for the files kept beside it
// (-1 when it is not there: they then get the usual ones).
int script_mode(const document& d)
{
    struct stat st;
    return stat(d.paths.cmd.c_str(), &st) == 0 ? (int)(st.st_mode & PERMISSION_BITS) : -1;
}

// Add the lines the load refused to the side file, those not there yet.
outcome keep_refused_lines(const document& d, save_outcome& out)
{
    if (d.refused_lines_kept || d.script.refused == 0) return outcome_ok();
    const std::string side = d.paths.cmd + REFUSED_LINES_SUFFIX;
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
    for (const script_note& n : d.script.notes) {
        if (n.status != CMD_REFUSED || n.text.empty() || !there.insert(n.text).second) continue;
        kept += n.text + SCRIPT_EOL;
        added++;
    }
    if (added == 0) return outcome_ok();
    o = replace_file(side.c_str(), kept, replace_options{true, script_mode(d)});
    if (!o) return o;
    out.refused_kept = added;
    out.side_file = shown_name(d, side);
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

outcome save_layout(document& d, save_outcome& out, save_mode mode)
{
    out = save_outcome{};
    outcome o = save_refusal(d);
    if (!o) return o;

    mark_picture_regions(d);
    const std::string text = script_text(d);
    out.left_out = items_outside_panel(d);
    const char* cmd = d.paths.cmd.c_str();

    // What is on disk now; a file that is there but cannot be read stops the save.
    std::string old, program;
    bool missing = false;
    file_stamp script_now, program_now;
    o = read_whole_file(cmd, SCRIPT_FILE_MAX, old, &missing, &script_now);
    if (!o && !missing) return o;
    o = program_file_text(d, program, program_now);
    if (!o) return o;
    o = profile_can_update(d.paths.cfg.c_str());
    if (!o) return o;

    // Files changed elsewhere since they were loaded or saved are saved over
    // only on the user's word.
    if (mode == SAVE_CHECKED) {
        std::string changed;
        if (stamp_changed(d.script.stamp, script_now)) changed = shown_name(d, d.paths.cmd);
        if (stamp_changed(d.program_file_stamp, program_now))
            changed += (changed.empty() ? "" : LIST_SEPARATOR) + shown_name(d, d.paths.vsn);
        if (!changed.empty()) {
            out.conflict = true;
            out.changed_files = changed;
            return outcome_fail(MSG_SAVE_CONFLICT, changed.c_str());
        }
    }
    out.script_changed = missing || old != text;
    if (out.script_changed) {
        o = keep_refused_lines(d, out);
        if (!o) return o;
    }

    // Every new file is written before any file changes.
    file_replacement script, backup, programs;
    const std::string backup_path = d.paths.cmd + BACKUP_SUFFIX;
    if (out.script_changed) {
        o = replace_prepare(script, cmd, text, replace_options{true, -1});
        if (!o) return o;
        if (!missing) {
            o = replace_prepare(backup, backup_path.c_str(), old, replace_options{true, script_mode(d)});
            if (!o) return o;
        }
    }
    o = replace_prepare(programs, d.paths.vsn.c_str(), program, replace_options{true, -1});
    if (!o) return o;

    // The new script first, then its backup: a save cut off between the two
    // keeps the older backup, never two copies of the unchanged script.
    // A file renamed into place is this program's own from then on, even
    // when the save fails after it.
    std::string notes;
    if (out.script_changed) {
        o = replace_commit(script);
        if (script.renamed) d.script.stamp = stamp_of_data(text);
        if (!o) return o;
        add_note(notes, o);
        if (!missing) {
            o = replace_commit(backup);
            if (!o) return o;
            add_note(notes, o);
        }
    } else {
        d.script.stamp = script_now;
    }
    o = replace_commit(programs);
    if (programs.renamed) d.program_file_stamp = stamp_of_data(program);
    if (!o) return o;
    add_note(notes, o);
    o = profile_write("NetSyc", "Syc_Update", "1", d.paths.cfg.c_str());
    if (!o) return o;
    add_note(notes, o);
    d.saved_snapshot = snapshot_of(d, text);
    if (out.refused_kept > 0) d.refused_lines_kept = true;
    return notes.empty() ? outcome_ok() : outcome{true, notes};
}

std::string layout_snapshot(const document& d) { return snapshot_of(d, script_text(d)); }

void remember_saved_layout(document& d)
{
    d.saved_snapshot = layout_snapshot(d);
    d.refused_lines_kept = false;
}

bool layout_has_unsaved_changes(const document& d) { return layout_snapshot(d) != d.saved_snapshot; }
