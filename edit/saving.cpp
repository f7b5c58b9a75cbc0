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
 * Depends on: output/layout_save, edit/status, edit/close_prompt,
 * platform/outcome, platform/screen (end_program).
 * Does NOT: write any file itself (output/layout_save does).
 ******************************************************************************/
#include "edit/close_prompt.h"
#include "edit/pointer.h"
#include "edit/status.h"
#include "edit/undo.h"
#include "output/layout_save.h"
#include "platform/outcome.h"
#include "platform/screen.h"
#include <climits>
#include <ctime>

namespace {

constexpr int EXIT_OK = 0;
constexpr int TIME_TEXT_LEN = 16;
constexpr const char* NOTE_SEPARATOR = "；";

// What the last look at the layout found.
struct unsaved_watch {
    uint32_t changes = UINT32_MAX;   // undo_changes() then
    uint32_t saves = 0;              // saves made then
    bool unsaved = false;
    uint32_t saved_status = 0;       // status_serial of the "已保存" shown
};
unsaved_watch watch;
uint32_t saves_made = 0;

// What the overwrite question is about: the files, and whether the program
// ends once the save succeeds.
std::string asked_files;
bool end_after_save = false;

// The status line of a save that worked.
void show_saved(const save_outcome& r, const outcome& o)
{
    char stamp[TIME_TEXT_LEN];
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    std::string text = r.left_out > 0 ? msg(MSG_SAVED_LEFT_OUT, stamp, r.left_out) : msg(MSG_SAVED, stamp);
    if (r.refused_kept > 0) text += msg(MSG_SAVE_NOTE_REFUSED_KEPT, r.refused_kept, r.side_file.c_str());
    if (!o.why.empty()) text += NOTE_SEPARATOR + o.why;
    status_show(STATUS_OK, text.c_str());
    watch.saved_status = status_serial;
    saves_made++;
}

bool save_with(save_mode mode, bool then_end);

// The overwrite question's answer: save over the other changes, or keep them.
void answer_overwrite(int choice)
{
    if (choice == OVERWRITE_YES) save_with(SAVE_OVERWRITE, end_after_save);
    else report(REPORT_STATUS, outcome_fail(MSG_SAVE_NOT_OVERWRITTEN, asked_files.c_str()));
}

// Save; files changed elsewhere make it ask first. Ends the program after a
// save that worked when `then_end` is set.
bool save_with(save_mode mode, bool then_end)
{
    save_outcome r;
    const outcome o = save_layout(r, mode);
    if (!o) {
        report(REPORT_STATUS, outcome_fail(MSG_SAVE_FAILED, o.why.c_str()));
        if (r.conflict) {
            static const msg_id labels[] = {MSG_PROMPT_OVERWRITE_YES, MSG_PROMPT_CANCEL};
            asked_files = r.changed_files;
            end_after_save = then_end;
            prompt_open(msg(MSG_PROMPT_OVERWRITE, r.changed_files.c_str()), labels, (int)(sizeof labels / sizeof *labels), OVERWRITE_YES,
                        OVERWRITE_CANCEL, answer_overwrite);
        }
        return false;
    }
    show_saved(r, o);
    if (then_end) end_program(EXIT_OK);
    return true;
}

// The close question's answer: save and end, end, or back to editing.
void answer_close(int choice)
{
    // A failed save keeps the designer open; the status line says why.
    if (choice == CLOSE_SAVE) save_with(SAVE_CHECKED, true);
    else if (choice == CLOSE_DISCARD) end_program(EXIT_OK);
}

} // namespace

bool save_data() { return save_with(SAVE_CHECKED, false); }

void save_and_end() { save_with(SAVE_CHECKED, true); }

void close_window()
{
    if (prompt_shown) return;
    if (!layout_has_unsaved_changes()) {
        end_program(EXIT_OK);
        return;
    }
    static const msg_id labels[] = {MSG_PROMPT_SAVE_AND_CLOSE, MSG_PROMPT_DISCARD, MSG_PROMPT_CANCEL};
    prompt_open(msg(MSG_PROMPT_CLOSE), labels, (int)(sizeof labels / sizeof *labels), CLOSE_SAVE, CLOSE_CANCEL,
                answer_close);
}

bool follow_unsaved_state()
{
    const uint32_t changes = undo_changes();
    if (changes == watch.changes && saves_made == watch.saves) return watch.unsaved;
    const bool edited = changes != watch.changes && watch.changes != UINT32_MAX;
    watch.changes = changes;
    watch.saves = saves_made;
    watch.unsaved = layout_has_unsaved_changes();
    // "已保存" no longer holds once the user has changed the layout again.
    if (edited && watch.unsaved && status_serial == watch.saved_status) status_clear();
    return watch.unsaved;
}
