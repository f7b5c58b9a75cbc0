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
#include "app/app_icon.h"
#include "app/cli.h"
#include "app/frame.h"
#include "app/player.h"
#include "app/startup.h"
#include "edit/keys.h"
#include "edit/pointer.h"
#include "edit/simulate.h"
#include "edit/text_input.h"
#include "edit/undo.h"
#include "platform/outcome.h"
#include "platform/system.h"
#include "platform/window.h"
#include "raster/gfx.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr const char* WINDOW_TITLE = "lumiker";
constexpr const char* WINDOW_TITLE_UNSAVED = "lumiker *";
constexpr long long US_PER_SECOND = 1000000;

designer* the_designer = nullptr;
bool event_handled = false;   // an input handler ran since the events were last followed up

// An event was handled: the next frame shows it.
editor ed()
{
    request_redraw(*the_designer);
    event_handled = true;
    return the_designer->edit();
}

// What a pointer move without a button can change on the screen.
struct hover_look {
    int32_t marks[ROW_COUNT + 2];
    int resize_handle;
    int32_t readout_x, readout_y;   // the pointer, while F4 shows its dot

    explicit hover_look(const interaction& ui)
    {
        for (int r = 0; r < ROW_COUNT; r++) marks[r] = ui.rows[r].hover;
        marks[ROW_COUNT] = ui.prop.hover;
        marks[ROW_COUNT + 1] = ui.nudge.hover;
        resize_handle = ui.resize_handle;
        readout_x = ui.show_coords ? ui.pointer_x : 0;
        readout_y = ui.show_coords ? ui.pointer_y : 0;
    }
    bool operator==(const hover_look& o) const
    {
        return memcmp(marks, o.marks, sizeof marks) == 0 && resize_handle == o.resize_handle &&
               readout_x == o.readout_x && readout_y == o.readout_y;
    }
};

void key(unsigned char k, int, int) { editor e = ed(); on_key(e, k); }
void special(int k, int, int) { editor e = ed(); on_special_key(e, k); }
void mouse(int b, int s, int x, int y) { editor e = ed(); on_mouse(e, b, s, x, y); }
void motion(int x, int y) { editor e = ed(); on_motion(e, x, y); }
// A move that changes nothing on the screen draws nothing.
void passive(int x, int y)
{
    designer& g = *the_designer;
    const hover_look before(g.ui);
    editor e = g.edit();
    on_passive_motion(e, x, y);
    if (!(hover_look(g.ui) == before)) request_redraw(g);
}
void reshape(int w, int h) { on_reshape(*the_designer, w, h); }
void wheel(int dx, int dy, int x, int y) { editor e = ed(); on_wheel(e, dx, dy, x, y); }
void key_up(unsigned char k) { editor e = ed(); on_key_up(e, k); }
void text(const char* utf8) { editor e = ed(); on_text_input(e, utf8); }
void composition(const char* utf8) { editor e = ed(); on_composition(e, utf8); }
// The window's close button does what "关闭窗口" does.
void close_request() { editor e = ed(); close_window(e); }
// Uncovered: the last frame is shown again (the back buffer still holds it).
void exposed() { request_redraw(*the_designer); }

// LUMIKER_FRAME_LOG=FILE: a line for every frame shown, "SHOWN_US CPU_US
// BUILDS PANS": when it was shown (monotonic), the CPU the frame took, and how
// many times the item layers were made and panned so far, for benchmarks.
FILE* frame_log = nullptr;

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
    cli_options o;
    int status = designer_command_line(argc, argv, ws, o);
    if (status >= 0) return status;
    if (o.play) return run_player(ws, o);
    std::unique_ptr<designer> g(new designer());
    the_designer = g.get();
    status = startup(*g, ws.dir.c_str(), ws.fonts.c_str());
    if (status != 0) return status;
    std::string why;
    int screen[4];
    if (!window_screen_area(screen, why)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 1;
    }
    fit_window_to_screen(*g, screen);
    if (!window_open(WINDOW_TITLE, g->ui.window_x, g->ui.window_y, g->v.window_w, g->v.window_h, false, why)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 1;
    }
    window_set_minimum_size(WINDOW_MIN_W, WINDOW_MIN_H);
    const std::vector<uint8_t> icon = app_icon_pixels(APP_ICON_WINDOW_SIDE);
    window_set_icon(icon.data(), APP_ICON_WINDOW_SIDE);
    startup_window_ready(*g, ws.news);
    {
        editor e = g->edit();
        simulation_open(e, g->doc.paths.dir);
    }
    undo_reset(*g->ui.undo, g->doc);   // undoing every step gives back the layout as loaded
    window_set_handlers(
        window_handlers{key, special, mouse, motion, passive, reshape, text, composition, close_request, wheel, key_up, exposed});
    text_input_shown shown;
    if (const char* log = getenv("LUMIKER_FRAME_LOG")) frame_log = fopen(log, "w");
    if (const int hz = window_refresh_hz()) g->pacing.refresh_us = US_PER_SECOND / hz;
    for (;;) {
        // Every event that is waiting is handled before the next frame, and
        // a frame is drawn at most once a refresh.
        while (window_dispatch_event(frame_wait_ms(*g))) {
            // A move over nothing, or an event no handler took, changes neither the document nor the view.
            if (!std::exchange(event_handled, false)) continue;
            designer_layout(*g);
            follow_current_text(*g, shown);
            undo_checkpoint(*g->ui.undo, g->doc, gesture_under_way(g->ui));
        }
        follow_title(*g, shown);
        if (frame_due(*g)) {
            {
                // The values' state may change without input (a PLC going away).
                editor e = g->edit();
                simulation_follow(e);
            }
            const long long cpu = frame_log ? process_cpu_micros() : 0;
            frame_routine(*g);
            gfx_flush();
            window_swap();
            if (frame_log) {
                fprintf(frame_log, "%lld %lld %u %u\n", now_micros(), process_cpu_micros() - cpu, g->layers.builds,
                        g->layers.pans);
                fflush(frame_log);
            }
        }
    }
}
