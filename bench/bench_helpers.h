// Shared set-up for benchmarks that draw through the real OpenGL path: the
// one designer (document, view at pitch 2, interaction, item layers) and one
// hidden window on the current display, with the screen fonts open.
#pragma once
#include "app/frame.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include "platform/system.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include "platform/window.h"
#include <cstdio>
#include <cstdlib>
#include <string>

// The benchmarks' designer: one window, so one per process, made once and kept.
inline designer& bench_designer()
{
    static designer* g = new designer();
    return *g;
}

// The panel of the benchmarks' document is w x h dots.
inline void bench_panel(int w, int h)
{
    doc_settings& s = bench_designer().doc.settings;
    s.width_text = std::to_string(w);
    s.height_text = std::to_string(h);
    s.panel_w = w;
    s.panel_h = h;
}

// Open the window once; false when there is no display or font.
inline bool bench_window(int w, int h)
{
    static int state = 0;  // 0 not tried, 1 ok, 2 failed
    if (state == 0) {
        state = 2;
        if (!getenv("DISPLAY")) return false;
        std::string why;
        if (!window_open("lumiker bench", 0, 0, w, h, true, why)) return false;
        gfx_use(nullptr);
        gfx_init_state();
        char font[1024];
        if (!find_screen_font(font, sizeof font) || !open_screen_fonts(font, why)) return false;
        gfx_final_state();
        on_reshape(bench_designer(), w, h);
        state = 1;
    }
    return state == 1;
}

// Draw one item of the designer's document unselected, as a frame does.
inline void bench_draw_item(const designer& g, const item& it)
{
    item_draw_ctx ctx;
    ctx.doc = &g.doc;
    ctx.x = view_x(g.v, it.x);
    ctx.y = view_y(g.v, it.y);
    ctx.pitch = view_pitch(g.v);
    ctx.now = read_clock();
    draw_item(it, ctx);
}
