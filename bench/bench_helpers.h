// Shared set-up for benchmarks that draw through the real OpenGL path: one
// hidden window on the current display, with the screen fonts open.
#pragma once
#include "app/frame.h"
#include "model/button_rows.h"
#include "model/settings.h"
#include "platform/system.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include "platform/window.h"
#include <cstdio>
#include <cstdlib>
#include <string>

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
        on_reshape(w, h);
        layout_button_rows();
        state = 1;
    }
    return state == 1;
}
