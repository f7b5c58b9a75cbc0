/*******************************************************************************
 * raster/canvas.cpp - dot primitives, panel background, grid and rulers
 ******************************************************************************/
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstdio>

const float led_colour[LED_COLOURS][3] = {
    {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}};

namespace {

int pitch_in_use = 2;

// Emit one point after the size and colour of the code are set.
// `special` is the (size, r, g, b) of code 0xFF; `seven` the size of code 7.
int dot(int code, int x, int y, float normal, float seven, float ff_size, float ff_r, float ff_g, float ff_b)
{
    uint8_t c = (uint8_t)code;
    if (c < LED_COLOURS) {
        gfx_point_size(normal);
        gfx_color(led_colour[c][0], led_colour[c][1], led_colour[c][2]);
    } else if (c == 7) {
        gfx_point_size(seven);
    } else if (c == 0xFF) {
        gfx_point_size(ff_size);
        gfx_color(ff_r, ff_g, ff_b);
    } else {
        gfx_point_size(normal);
    }
    gfx_begin(GFX_POINTS);
    gfx_vertex((float)x, (float)y, 0.0f);
    gfx_end();
    return 0;
}

} // namespace

void canvas_use_pitch(int pitch) { pitch_in_use = pitch > 0 ? pitch : 1; }

int canvas_pitch() { return pitch_in_use; }

int draw_dot(int code, int x, int y)
{
    float p = (float)pitch_in_use;
    return dot(code, x, y, p, 3.0f, 2.0f, 0, 0, 0);
}

int draw_text_dot(int code, int x, int y)
{
    float p = (float)pitch_in_use;
    return dot(code, x, y, p, p, 2.0f, 1.0f, 0.2f, 0.0f);
}

int draw_text_dot_double(int code, int x, int y)
{
    float p2 = 2.0f * (float)pitch_in_use;
    return dot(code, x, y, p2, p2, 4.0f, 1.0f, 0.2f, 0.0f);
}

void draw_panel_background(int x, int y, int w_dots, int h_dots)
{
    const float w = (float)pitch_in_use * w_dots;
    const float h = (float)pitch_in_use * h_dots;
    const float x0 = (float)x, y0 = (float)y;
    gfx_line_width(1.0f);
    gfx_color(0, 0, 0);
    gfx_begin(GFX_QUADS);
    gfx_vertex(x0, y0, 0);
    gfx_vertex(x0 + w, y0, 0);
    gfx_vertex(x0 + w, y0 + h, 0);
    gfx_vertex(x0, y0 + h, 0);
    gfx_end();
}

void draw_panel_grid(int W, int H)
{
    const int p = pitch_in_use;

    gfx_texturing(false);
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINES);
    gfx_vertex(0, 0); gfx_vertex(12500, 0);
    gfx_vertex(0, 0); gfx_vertex(0, 12500);
    gfx_end();

    gfx_line_width(1.0f);
    gfx_begin(GFX_LINES);
    gfx_color(1, 1, 1);
    for (int i = 0; i < 100; i++) {
        float x = 32.0f * i * p;
        gfx_vertex(x, 0); gfx_vertex(x, -15);
    }
    for (int i = 0; i < 200; i++) {
        float y = 32.0f * i * p;
        gfx_vertex(0, y); gfx_vertex(-15, y);
    }
    gfx_color(0.2f, 0.2f, 0.2f);
    for (int i = 1; i < H / 4; i++) {
        float y = 4.0f * i * p;
        gfx_vertex(0, y); gfx_vertex((float)W * p, y);
    }
    for (int i = 1; i < W / 4; i++) {
        float x = 4.0f * i * p;
        gfx_vertex(x, 0); gfx_vertex(x, (float)H * p);
    }
    gfx_end();

    // Ruler numbers every 32 dots, above and left of the panel.
    gfx_color(1, 1, 1);
    char num[16];
    for (int i = 0; i < 50; i++) {
        snprintf(num, sizeof num, "%d", 32 * i);
        draw_screen_text(to_wide(num), 32 * i * p + 3, -5, 89, 25);
    }
    for (int i = 1; i < 50; i++) {
        snprintf(num, sizeof num, "%d", 32 * i);
        draw_screen_text(to_wide(num), -25, 32 * i * p - 5, 89, 25);
    }
}
