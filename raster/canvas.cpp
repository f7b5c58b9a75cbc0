/*******************************************************************************
 * raster/canvas.cpp - dot primitives, panel background, grid and rulers
 ******************************************************************************/
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <algorithm>
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

namespace {

constexpr int GRID_STEP = 4;             // dots between grid lines
constexpr int TICK_PX = 15;              // a ruler tick reaches this far out of the area
constexpr int LABEL_DX = 3, LABEL_DY = -5;      // a top label's pen from its tick
constexpr int SIDE_LABEL_GAP = 3;               // a side label ends this far left of the area
constexpr int LABEL_WRAP = 89, LABEL_LINE = 25;
constexpr float GRID_GREY = 0.2f;

// The multiples of `step` dots whose lines fall in [from, to) window pixels
// for a panel corner at `corner`: first and last index.
void steps_in(int64_t corner, int p, int step, int64_t from, int64_t to, int64_t& first, int64_t& last)
{
    const int64_t span = (int64_t)step * p;
    first = floor_div(from - corner + span - 1, span);
    last = floor_div(to - 1 - corner, span);
}

} // namespace

void draw_panel_grid(const view& v, int W, int H)
{
    const int p = pitch_in_use;
    const float x0 = (float)v.panel_x, y0 = (float)v.panel_y;
    int64_t first, last;
    gfx_texturing(false);
    gfx_line_width(1.0f);
    gfx_begin(GFX_LINES);
    gfx_color(GRID_GREY, GRID_GREY, GRID_GREY);
    // Inside the panel and the area both; never the panel's own edges.
    steps_in(v.panel_y, p, GRID_STEP, v.area_y, (int64_t)v.area_y + v.area_h, first, last);
    for (int64_t i = std::max<int64_t>(first, 1); i <= last && i < H / GRID_STEP; i++) {
        const float y = y0 + (float)(GRID_STEP * i * p);
        gfx_vertex(x0, y); gfx_vertex(x0 + (float)W * p, y);
    }
    steps_in(v.panel_x, p, GRID_STEP, v.area_x, (int64_t)v.area_x + v.area_w, first, last);
    for (int64_t i = std::max<int64_t>(first, 1); i <= last && i < W / GRID_STEP; i++) {
        const float x = x0 + (float)(GRID_STEP * i * p);
        gfx_vertex(x, y0); gfx_vertex(x, y0 + (float)H * p);
    }
    gfx_end();
}

void draw_panel_rulers(const view& v, bool top, bool side)
{
    const int p = pitch_in_use;
    const float ax = (float)v.area_x, ay = (float)v.area_y;
    const float right = ax + (float)v.area_w, bottom = ay + (float)v.area_h;
    gfx_texturing(false);
    gfx_line_width(1.0f);
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINES);
    gfx_vertex(ax, ay); gfx_vertex(right, ay);
    gfx_vertex(ax, ay); gfx_vertex(ax, bottom);
    gfx_end();

    int64_t tx0, tx1, ty0, ty1;
    steps_in(v.panel_x, p, RULER_STEP, v.area_x, (int64_t)v.area_x + v.area_w, tx0, tx1);
    steps_in(v.panel_y, p, RULER_STEP, v.area_y, (int64_t)v.area_y + v.area_h, ty0, ty1);
    if (!top) tx1 = tx0 - 1;
    if (!side) ty1 = ty0 - 1;
    gfx_begin(GFX_LINES);
    for (int64_t i = tx0; i <= tx1; i++) {
        const float x = (float)(v.panel_x + RULER_STEP * i * p);
        gfx_vertex(x, ay); gfx_vertex(x, ay - TICK_PX);
    }
    for (int64_t i = ty0; i <= ty1; i++) {
        const float y = (float)(v.panel_y + RULER_STEP * i * p);
        gfx_vertex(ax, y); gfx_vertex(ax - TICK_PX, y);
    }
    gfx_end();

    // Numbers of the ticks in view; down the side from the first below the corner.
    char num[24];
    for (int64_t i = tx0; i <= tx1; i++) {
        snprintf(num, sizeof num, "%lld", (long long)(RULER_STEP * i));
        draw_screen_text(to_wide(num), clamp32(v.panel_x + RULER_STEP * i * p + LABEL_DX), clamp32(v.area_y + LABEL_DY),
                         LABEL_WRAP, LABEL_LINE);
    }
    for (int64_t i = std::max<int64_t>(ty0, v.panel_y + RULER_STEP * ty0 * p > v.area_y ? ty0 : ty0 + 1); i <= ty1; i++) {
        snprintf(num, sizeof num, "%lld", (long long)(RULER_STEP * i));
        // Right-aligned, so no number reaches into the panel's area.
        const std::u16string wide = to_wide(num);
        draw_screen_text(wide, v.area_x - SIDE_LABEL_GAP - screen_text_width(wide),
                         clamp32(v.panel_y + RULER_STEP * i * p + LABEL_DY), LABEL_WRAP, LABEL_LINE);
    }
}
