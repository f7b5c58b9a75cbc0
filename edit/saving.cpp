/*******************************************************************************
 * edit/saving.cpp - the designer's save and close, as the user sees them
 *
 * "保存数据", Ctrl+S and the close prompt save through save_data(); the
 * result goes on the status line: the time of a save that worked (and how
 * many items outside the panel were left out), or why it failed.
 * "关闭窗口" and the window manager's close button end the program at once
 * when nothing is unsaved, else open the close prompt. The window's title
 * marks unsaved work, and an edit after a save clears "已保存".
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

// What the last look at the layout found.
struct unsaved_watch {
    uint32_t changes = UINT32_MAX;   // undo_changes() then
    uint32_t saves = 0;              // saves made then
    bool unsaved = false;
    uint32_t saved_status = 0;       // status_serial of the "已保存" shown
};
unsaved_watch watch;
uint32_t saves_made = 0;

} // namespace

bool save_data()
{
    save_outcome r;
    if (!save_layout(r)) {
        report(REPORT_STATUS, outcome_fail(MSG_SAVE_FAILED, r.why.c_str()));
        return false;
    }
    char stamp[16];
    time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    strftime(stamp, sizeof stamp, "%H:%M:%S", &local);
    if (r.left_out > 0) status_show(STATUS_OK, msg(MSG_SAVED_LEFT_OUT, stamp, r.left_out).c_str());
    else status_show(STATUS_OK, msg(MSG_SAVED, stamp).c_str());
    watch.saved_status = status_serial;
    saves_made++;
    return true;
}

void close_window()
{
    if (close_prompt_shown) return;
    if (!layout_has_unsaved_changes()) {
        end_program(EXIT_OK);
        return;
    }
    open_close_prompt();
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
