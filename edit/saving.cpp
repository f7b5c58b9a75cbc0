/*******************************************************************************
 * edit/saving.cpp - the designer's save and close, as the user sees them
 *
 * "保存数据", Ctrl+S and the close prompt save through one path; the result
 * goes on the status line: the time of a save that worked (with how many
 * items outside the panel were left out, where refused script lines were
 * kept, and notes such as a hard-linked file), or why it failed. A save that
 * finds the script or the program file changed elsewhere since they were
 * loaded or saved writes nothing and asks "覆盖保存 / 取消": only
 * "覆盖保存" saves over those changes.
 * Ctrl+S and "保存并关闭" end the program once the save (after that
 * question, if it came) succeeded.
 * "关闭窗口" and the window manager's close button end the program at once
 * when nothing is unsaved, else ask "保存并关闭 / 不保存 / 取消". The
 * window's title marks unsaved work, and an edit after a save clears "已保存".
 *
 * Depends on: the C library's local time (time, localtime_r, strftime) for
 * the time of a save; otherwise nothing outside the C++ standard library.
 * Does NOT: write any file itself (output/layout_save does).
 ******************************************************************************/
#include "edit/pointer.h"
#include "output/layout_save.h"
#include "platform/outcome.h"
#include "platform/screen.h"
#include <climits>
#include <ctime>

namespace {

constexpr int EXIT_OK = 0;
constexpr int TIME_TEXT_LEN = 16;
constexpr const char* NOTE_SEPARATOR = "；";


// The status line of a save that worked.
void show_saved(editor& e, const save_outcome& r, const outcome& o)
{
    char stamp[TIME_TEXT_LEN];
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::string text = r.left_out > 0 ? msg(MSG_SAVED_LEFT_OUT, stamp, r.left_out) : msg(MSG_SAVED, stamp);
    if (r.refused_kept > 0) text += msg(MSG_SAVE_NOTE_REFUSED_KEPT, r.refused_kept, r.side_file.c_str());
    if (!o.why.empty()) text += NOTE_SEPARATOR + o.why;
    status_show(e.ui.status, STATUS_OK, text.c_str());
    e.ui.saving.saved_status = e.ui.status.serial;
    e.ui.saving.saves_made++;
}

bool save_with(editor& e, save_mode mode, bool then_end);

// The overwrite question's answer: save over the other changes, or keep them.
void answer_overwrite(editor& e, int choice)
{
    if (choice == OVERWRITE_YES) save_with(e, SAVE_OVERWRITE, e.ui.saving.end_after_save);
    else report(REPORT_STATUS, outcome_fail(MSG_SAVE_NOT_OVERWRITTEN, e.ui.saving.asked_files.c_str()));
}

// Save; files changed elsewhere make it ask first. Ends the program after a
// save that worked when `then_end` is set.
bool save_with(editor& e, save_mode mode, bool then_end)
{
    save_outcome r;
    const outcome o = save_layout(e.doc, r, mode);
    if (!o) {
        report(REPORT_STATUS, outcome_fail(MSG_SAVE_FAILED, o.why.c_str()));
        if (r.conflict) {
            static const msg_id labels[] = {MSG_PROMPT_OVERWRITE_YES, MSG_PROMPT_CANCEL};
            e.ui.saving.asked_files = r.changed_files;
            e.ui.saving.end_after_save = then_end;
            prompt_open(e.ui.prompt, msg(MSG_PROMPT_OVERWRITE, r.changed_files.c_str()), labels, (int)(sizeof labels / sizeof *labels), OVERWRITE_YES,
                        OVERWRITE_CANCEL, answer_overwrite);
        }
        return false;
    }
    show_saved(e, r, o);
    if (then_end) end_program(EXIT_OK);
    return true;
}

// The close question's answer: save and end, end, or back to editing.
void answer_close(editor& e, int choice)
{
    // A failed save keeps the designer open; the status line says why.
    if (choice == CLOSE_SAVE) save_with(e, SAVE_CHECKED, true);
    else if (choice == CLOSE_DISCARD) end_program(EXIT_OK);
}

} // namespace

bool save_data(editor& e) { return save_with(e, SAVE_CHECKED, false); }

void save_and_end(editor& e) { save_with(e, SAVE_CHECKED, true); }

void close_window(editor& e)
{
    if (e.ui.prompt.shown) return;
    if (!layout_has_unsaved_changes(e.doc)) {
        end_program(EXIT_OK);
        return;
    }
    static const msg_id labels[] = {MSG_PROMPT_SAVE_AND_CLOSE, MSG_PROMPT_DISCARD, MSG_PROMPT_CANCEL};
    prompt_open(e.ui.prompt, msg(MSG_PROMPT_CLOSE), labels, (int)(sizeof labels / sizeof *labels), CLOSE_SAVE, CLOSE_CANCEL,
                answer_close);
}

bool follow_unsaved_state(editor& e)
{
    const uint32_t changes = undo_changes(*e.ui.undo);
    if (changes == e.ui.saving.changes && e.ui.saving.saves_made == e.ui.saving.saves) return e.ui.saving.unsaved;
    const bool edited = changes != e.ui.saving.changes && e.ui.saving.changes != UINT32_MAX;
    e.ui.saving.changes = changes;
    e.ui.saving.saves = e.ui.saving.saves_made;
    e.ui.saving.unsaved = layout_has_unsaved_changes(e.doc);
    // "已保存" no longer holds once the user has changed the layout again.
    if (edited && e.ui.saving.unsaved && e.ui.status.serial == e.ui.saving.saved_status) status_clear(e.ui.status);
    return e.ui.saving.unsaved;
}
