// Shared helpers for tests that record frames through the drawing layer.
#pragma once
#include "platform/system.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

// Records everything drawn while it lives, and selects the OpenGL backend again after.
struct recording {
    gfx_recorder rec;
    recording() { gfx_use(&rec); }
    ~recording() { gfx_use(nullptr); }
};

// Open the screen faces once per test process.
inline void need_screen_fonts()
{
    static bool ok = [] {
        char file[1024];
        std::string why;
        return find_screen_font(file, sizeof file) && open_screen_fonts(file, why);
    }();
    ASSERT_TRUE(ok) << "the Song-style screen font (fonts-arphic-uming) is not installed";
}

inline bool same_colour(const gfx_event& e, float r, float g, float b)
{
    return e.r == r && e.g == g && e.b == b;
}
