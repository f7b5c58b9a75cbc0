/*******************************************************************************
 * app/main.cpp - the lumiker designer: start up, open the window, run the loop
 *
 * The loop waits for an event until the next frame is due and hands it and
 * every event queued behind it to the handlers; after each one it keeps the
 * window's text input in step with the current text (on while one is
 * current, the candidate window at its caret) and takes an undo checkpoint.
 * A frame is drawn and shown only when the frame pacing wants one.
 *
 * The program's one designer context lives here; the window's callbacks
 * reach it through `the_designer`.
 *
 * Limits: one window and one designer per process.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw (app/frame.cpp does), read the workspace's files itself
 * (app/startup.h does), or talk to the window system except through
 * platform/window.
 ******************************************************************************/
#include "app/cli.h"
#include "app/frame.h"
#include "app/startup.h"
#include "edit/keys.h"
#include "edit/pointer.h"
#include "edit/text_input.h"
#include "edit/undo.h"
#include "platform/outcome.h"
#include "platform/window.h"
#include "raster/gfx.h"
#include <memory>
#include <string>

namespace {

constexpr const char* WINDOW_TITLE = "lumiker";
constexpr const char* WINDOW_TITLE_UNSAVED = "lumiker *";

designer* the_designer = nullptr;

editor ed() { return the_designer->edit(); }

void key(unsigned char k, int, int) { editor e = ed(); on_key(e, k); }
void special(int k, int, int) { editor e = ed(); on_special_key(e, k); }
void mouse(int b, int s, int x, int y) { editor e = ed(); on_mouse(e, b, s, x, y); }
void motion(int x, int y) { editor e = ed(); on_motion(e, x, y); }
void passive(int x, int y) { editor e = ed(); on_passive_motion(e, x, y); }
void reshape(int w, int h) { on_reshape(*the_designer, w, h); }
void text(const char* utf8) { editor e = ed(); on_text_input(e, utf8); }
void composition(const char* utf8) { editor e = ed(); on_composition(e, utf8); }
// The window's close button does what "关闭窗口" does.
void close_request() { editor e = ed(); close_window(e); }

// What the text input last followed.
struct text_input_shown {
    int32_t box[4] = {-1, -1, -1, -1};
    int title = -1;   // 1 when the title marks unsaved work
};

// Text input follows the current text; the candidate window stays below its
// caret's line and the composition's underline.
void follow_current_text(designer& g, text_input_shown& last)
{
    int32_t caret[4];
    editor e = g.edit();
    const bool on = current_text_input_box(e, caret);
    window_text_input(on);
    if (!on) {
        g.ui.composition[0] = 0;
        last.box[0] = -1;
        return;
    }
    if (caret[0] == last.box[0] && caret[1] == last.box[1] && caret[3] == last.box[3]) return;
    for (int k = 0; k < 4; k++) last.box[k] = caret[k];
    window_text_input_rect(caret[0], caret[1], caret[2], caret[3]);
}

// The title marks unsaved work: "lumiker *".
void follow_title(designer& g, text_input_shown& last)
{
    editor e = g.edit();
    const int unsaved = follow_unsaved_state(e) ? 1 : 0;
    if (unsaved == last.title) return;
    last.title = unsaved;
    window_set_title(unsaved ? WINDOW_TITLE_UNSAVED : WINDOW_TITLE);
}

} // namespace

int main(int argc, char** argv)
{
    workspace_choice ws;
    int status = designer_command_line(argc, argv, ws);
    if (status >= 0) return status;
    std::unique_ptr<designer> g(new designer());
    the_designer = g.get();
    status = startup(*g, ws.dir.c_str(), ws.fonts.c_str());
    if (status != 0) return status;
    std::string why;
    if (!window_open(WINDOW_TITLE, WINDOW_START_X, WINDOW_START_Y, g->v.window_w, g->v.window_h, false, why)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 1;
    }
    startup_window_ready(*g, ws.news);
    undo_reset(*g->ui.undo, g->doc);   // undoing every step gives back the layout as loaded
    window_set_handlers(window_handlers{key, special, mouse, motion, passive, reshape, text, composition, close_request});
    text_input_shown shown;
    for (;;) {
        // Every event that is waiting is handled before the next frame.
        for (int wait = frame_wait_ms(*g); window_dispatch_event(wait); wait = 0) {
            request_redraw(*g);
            follow_current_text(*g, shown);
            undo_checkpoint(*g->ui.undo, g->doc, gesture_under_way(g->ui));
        }
        follow_title(*g, shown);
        if (frame_wanted(*g)) {
            frame_routine(*g);
            gfx_flush();
            window_swap();
        }
    }
}
