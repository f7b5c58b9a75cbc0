/*******************************************************************************
 * app/main.cpp - the lumiker designer: start up, open the window, run the loop
 *
 * The loop waits for an event until the next frame is due and hands it and
 * every event queued behind it to the handlers; after each one it keeps the window's text input in step with the current
 * text (on while one is current, the candidate window at its caret) and
 * takes an undo checkpoint. A frame is drawn and shown only when the frame
 * pacing wants one.
 ******************************************************************************/
#include "app/cli.h"
#include "app/frame.h"
#include "app/startup.h"
#include "edit/keys.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "edit/text_input.h"
#include "edit/undo.h"
#include "model/settings.h"
#include "platform/window.h"
#include "raster/gfx.h"
#include <cstdio>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "lumiker";
constexpr const char* WINDOW_TITLE_UNSAVED = "lumiker *";

// The window's close button does what "关闭窗口" does.
void on_close_request() { close_window(); }

// Text input follows the current text; the candidate window stays below its
// caret's line and the composition's underline.
void follow_current_text()
{
    static int32_t last[4] = {-1, -1, -1, -1};
    int32_t caret[4];
    const bool on = current_text_input_box(caret);
    window_text_input(on);
    if (!on) {
        composition_wide[0] = 0;
        last[0] = -1;
        return;
    }
    if (caret[0] == last[0] && caret[1] == last[1] && caret[3] == last[3]) return;
    for (int k = 0; k < 4; k++) last[k] = caret[k];
    window_text_input_rect(caret[0], caret[1], caret[2], caret[3]);
}

// The title marks unsaved work: "lumiker *".
void follow_title()
{
    static int shown = -1;
    const int unsaved = follow_unsaved_state() ? 1 : 0;
    if (unsaved == shown) return;
    shown = unsaved;
    window_set_title(unsaved ? WINDOW_TITLE_UNSAVED : WINDOW_TITLE);
}

} // namespace

int main(int argc, char** argv)
{
    workspace_choice ws;
    int status = designer_command_line(argc, argv, ws);
    if (status >= 0) return status;
    status = startup(ws.dir.c_str(), ws.fonts.c_str());
    if (status != 0) return status;
    std::string why;
    if (!window_open(WINDOW_TITLE, WINDOW_START_X, WINDOW_START_Y, window_size[0] - WINDOW_FRAME_W,
                     window_size[1] - WINDOW_FRAME_H, false, why)) {
        fprintf(stderr, "lumiker: %s\n", why.c_str());
        return 1;
    }
    startup_window_ready();
    undo_reset();   // undoing every step gives back the layout as loaded
    window_set_handlers(window_handlers{on_key, on_special_key, on_mouse, on_motion, on_passive_motion, on_reshape,
                                        on_text_input, on_composition, on_close_request});
    for (;;) {
        // Every event that is waiting is handled before the next frame.
        for (int wait = frame_wait_ms(); window_dispatch_event(wait); wait = 0) {
            request_redraw();
            follow_current_text();
            undo_checkpoint();
        }
        follow_title();
        if (frame_wanted()) {
            frame_routine();
            gfx_flush();
            window_swap();
        }
    }
}
