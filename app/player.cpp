/*******************************************************************************
 * app/player.cpp - the player: the panel alone, playing, in a frameless window
 ******************************************************************************/
#include "app/player.h"
#include "app/preview.h"
#include "app/startup.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "play/engine.h"
#include "play/values.h"
#include "platform/outcome.h"
#include "platform/system.h"
#include "platform/window.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include <memory>

namespace {

constexpr const char* PLAYER_TITLE = "lumiker player";
constexpr unsigned char KEY_ESC = 27;
constexpr long long US_PER_MS = 1000, US_PER_SECOND = 1000000;
constexpr int REFRESH_HZ_DEFAULT = 60;   // a display's refresh when it does not say

bool ended = false;
bool exposed = false;   // part of the window was uncovered: draw it again

void on_key(unsigned char key, int, int)
{
    if (key == KEY_ESC) ended = true;
}
void on_close() { ended = true; }
void on_exposed() { exposed = true; }

} // namespace

int run_player(const workspace_choice& ws, const cli_options& o)
{
    std::unique_ptr<document> d(new document());
    if (!startup_paths(*d, ws.dir.c_str(), ws.fonts.c_str())) {
        report(REPORT_STDERR, outcome_fail(MSG_NO_WORKSPACE));
        return 1;
    }
    startup_documents(*d, true);
    // The window is the panel; dot (0, 0) lights its first pixel.
    int w = 0, h = 0;
    std::string why;
    if (!panel_picture_size(*d, o.pitch, w, h, why)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 2;
    }
    const view v = preview_view(o.pitch, w, h);
    if (!window_open(PLAYER_TITLE, o.at_x, o.at_y, v.window_w, v.window_h, false, why, true)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 1;
    }
    gfx_init_state();
    gfx_final_state();
    gfx_reshape(v.window_w, v.window_h);
    fill_glyph_table();
    dot_font_use_files(d->paths);
    dot_font_init();
    values_workspace values;
    const outcome opened = values.open(ws.dir);
    if (!opened.why.empty()) report(REPORT_STDERR, opened);
    values.watch(play_registers(*d));
    window_handlers handlers{};
    handlers.key = on_key;
    handlers.close = on_close;
    handlers.exposed = on_exposed;
    window_set_handlers(handlers);
    const int hz = window_refresh_hz();
    const long long refresh_us = US_PER_SECOND / (hz > 0 ? hz : REFRESH_HZ_DEFAULT);
    const long long start = now_micros();
    preview_cache cache;
    std::string state;
    std::vector<play_show> looks, last;
    bool first = true;
    while (!ended) {
        const long long frame_start = now_micros();
        play_moment m;
        m.values = &values;
        m.simulating = true;
        m.now = read_clock();
        m.ms = (frame_start - start) / US_PER_MS;
        // A frame only when something looks otherwise (or the window was uncovered).
        play_document(*d, m, looks);
        if (first || exposed || !play_same_looks(looks, last)) {
            gfx_clear();
            draw_panel_preview(*d, v, cache, &m, false, &looks);
            gfx_flush();
            window_swap();
            first = exposed = false;
            looks.swap(last);
        }
        // Where the values come from, and what is wrong with them, on standard error.
        std::string now_state = values.state_line();
        if (now_state != state) {
            state.swap(now_state);
            report(REPORT_STDERR, outcome{values.state_ok(), state});
        }
        const long long left = frame_start + refresh_us - now_micros();
        while (window_dispatch_event(left > 0 ? (int)(left / US_PER_MS) : 0) && !ended) {
        }
    }
    window_close();
    return 0;
}
