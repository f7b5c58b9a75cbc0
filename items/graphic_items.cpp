/*******************************************************************************
 * items/graphic_items.cpp - figures and valve pictures
 *
 * Sections: looks | measuring | resizing
 ******************************************************************************/
#include "items/graphic_items.h"
#include "items/figures.h"
#include "items/handles.h"
#include "raster/canvas.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include "raster/view.h"
#include <algorithm>
#include <cstdint>

// ---- looks -----------------------------------------------------------------------------

namespace {

constexpr int WORD_BYTES = 16;        // a GBK frame word, with NUL
constexpr uint16_t DASH_PATTERN = 0xAAAA;
constexpr int DASH_FACTOR = 2;
constexpr float DASH_WIDTH = 2.0f;
constexpr int FRAME_WORD_DX = 10, FRAME_WORD_DY = 2;   // px from the frame's corner to its word
constexpr int LINE_REACH_DOTS = 2;    // a line is hit this many dots either side of it

int px(int64_t v) { return clamp32(v); }

// Make the colour of a code current; codes outside 0-6 keep the current colour.
void use_code_colour(int code)
{
    uint8_t c = (uint8_t)code;
    if (c < LED_COLOURS) gfx_color(led_colour[c][0], led_colour[c][1], led_colour[c][2]);
}

// A dashed line (open) or outline (closed) through the given corners.
void dashed(int code, const int* xs, const int* ys, int n, bool closed)
{
    use_code_colour(code);
    gfx_line_width(DASH_WIDTH);
    gfx_line_stipple(true, DASH_FACTOR, DASH_PATTERN);
    gfx_begin(closed ? GFX_LINE_LOOP : GFX_LINES);
    for (int i = 0; i < n; i++) gfx_vertex((float)xs[i], (float)ys[i]);
    gfx_end();
    gfx_line_stipple(false);
    gfx_line_width(1.0f);
}

// The item's box with a word inside, for valves without a picture and the palette's sample.
void framed_word(const item& it, const item_draw_ctx& ctx, const char* word)
{
    const int p = ctx.pitch;
    draw_rect(it.color, ctx.x, ctx.y, px((int64_t)ctx.x + (int64_t)it.w * p), px((int64_t)ctx.y + (int64_t)it.h * p));
    char scratch[WORD_BYTES];
    copy_field(scratch, WORD_BYTES, word);
    draw_dot_text((uint8_t)it.font_px, it.color, text_px((int64_t)ctx.x + FRAME_WORD_DX),
                  text_px((int64_t)ctx.y + FRAME_WORD_DY), scratch);
}

} // namespace

// The picture a valve shows is the one its number names (id_<number>.bmp).
void draw_valve(const item& it, const item_draw_ctx& ctx)
{
    if (ctx.sample) {
        framed_word(it, ctx, "BMP");
        return;
    }
    const valve_image* pic = ctx.doc ? doc_valve(*ctx.doc, it.code) : nullptr;
    const int drawn = pic ? draw_bitmap_dots(it.color, ctx.x, ctx.y, it.valve, pic->bytes, pic->len) : -1;
    if (ctx.selected && drawn == -1) framed_word(it, ctx, "NORC");
}

void draw_point_block(const item& it, const item_draw_ctx& ctx)
{
    draw_block(it.color, ctx.x, ctx.y, (int)((int64_t)it.h * ctx.pitch));
}

void draw_colon(const item& it, const item_draw_ctx& ctx)
{
    const int64_t side = (int64_t)it.h * ctx.pitch;
    draw_block(it.color, ctx.x, ctx.y, (int)side);
    draw_block(it.color, ctx.x, px((int64_t)ctx.y + 2 * side), (int)side);
}

void draw_hline(const item& it, const item_draw_ctx& ctx)
{
    const int x = ctx.x, y = ctx.y, right = px((int64_t)x + (int64_t)it.w * ctx.pitch);
    if (ctx.selected) {
        const int xs[2] = {x, right}, ys[2] = {y, y};
        dashed(it.color, xs, ys, 2, false);
    } else {
        draw_line(it.color, x, y, right, y);
    }
}

void draw_vline(const item& it, const item_draw_ctx& ctx)
{
    draw_line(it.color, ctx.x, ctx.y, ctx.x, px((int64_t)ctx.y + (int64_t)it.h * ctx.pitch));
}

namespace {

// A circle about its centre: a dotted ring when selected, else outlined or filled.
void draw_round(const item& it, const item_draw_ctx& ctx, bool filled)
{
    const int r = px((int64_t)it.h * ctx.pitch);
    if (ctx.selected) {
        use_code_colour(it.color);
        draw_ring(ctx.x, ctx.y, r);
    } else if (filled) {
        fill_circle(it.color, ctx.x, ctx.y, r);
    } else {
        draw_circle(it.color, ctx.x, ctx.y, r);
    }
}

// A box: a dashed outline when selected, else outlined or filled.
void draw_box(const item& it, const item_draw_ctx& ctx, bool filled)
{
    const int x = ctx.x, y = ctx.y;
    const int right = px((int64_t)x + (int64_t)it.w * ctx.pitch), bottom = px((int64_t)y + (int64_t)it.h * ctx.pitch);
    if (ctx.selected) {
        const int xs[4] = {x, right, right, x}, ys[4] = {y, y, bottom, bottom};
        dashed(it.color, xs, ys, 4, true);
    } else if (filled) {
        fill_rect(it.color, x, y, right, bottom);
    } else {
        draw_rect(it.color, x, y, right, bottom);
    }
}

} // namespace

void draw_circle_item(const item& it, const item_draw_ctx& ctx) { draw_round(it, ctx, false); }
void draw_filled_circle_item(const item& it, const item_draw_ctx& ctx) { draw_round(it, ctx, true); }
void draw_rect_item(const item& it, const item_draw_ctx& ctx) { draw_box(it, ctx, false); }
void draw_filled_rect_item(const item& it, const item_draw_ctx& ctx) { draw_box(it, ctx, true); }

// ---- measuring ------------------------------------------------------------------------------

dot_box measure_block(const item& it) { return {it.x, it.y, it.h, it.h}; }

dot_box measure_colon(const item& it) { return {it.x, it.y, it.h, 3 * (int64_t)it.h}; }

dot_box measure_hline(const item& it) { return {it.x, (int64_t)it.y - LINE_REACH_DOTS, it.w, 2 * LINE_REACH_DOTS + 1}; }

dot_box measure_vline(const item& it) { return {(int64_t)it.x - LINE_REACH_DOTS, it.y, 2 * LINE_REACH_DOTS + 1, it.h}; }

dot_box measure_round(const item& it)
{
    const int64_t r = it.h;
    return {(int64_t)it.x - r, (int64_t)it.y - r, 2 * r, 2 * r};
}

dot_box measure_box(const item& it) { return {it.x, it.y, it.w, it.h}; }

dot_box measure_valve(const document* d, const item& it)
{
    const valve_image* pic = d ? doc_valve(*d, it.code) : nullptr;
    int64_t w = 0, h = 0;
    if (pic && bitmap_dots_size(pic->bytes, pic->len, w, h)) return {it.x, it.y, w, h};
    if (it.w > 0 && it.h > 0) return measure_box(it);
    return {it.x, it.y, VALVE_BOX_W, VALVE_BOX_H};
}

// ---- resizing ----------------------------------------------------------------------------------

namespace {

// A resize that leaves the width and height at least ITEM_MIN_DOTS.
bool allowed(int64_t w, int64_t h, int handle, int64_t dx, int64_t dy)
{
    const handle_way way = handle_way_of(handle);
    return size_allows(w, way.w, dx, ITEM_MIN_DOTS) && size_allows(h, way.h, dy, ITEM_MIN_DOTS);
}

// The sides the handle moves, by the way it moves them.
void move_sides(item& it, int handle, int64_t dx, int64_t dy)
{
    const handle_way way = handle_way_of(handle);
    if (way.w < 0) { it.x = clamp32(it.x + dx); it.w = clamp32(it.w - dx); }
    if (way.w > 0) it.w = clamp32(it.w + dx);
    if (way.h < 0) { it.y = clamp32(it.y + dy); it.h = clamp32(it.h - dy); }
    if (way.h > 0) it.h = clamp32(it.h + dy);
}

} // namespace

void resize_box(item& it, int h, int64_t dx, int64_t dy, int, int)
{
    if (allowed(it.w, it.h, h, dx, dy)) move_sides(it, h, dx, dy);
}

void resize_hline(item& it, int h, int64_t dx, int64_t, int, int)
{
    // A line has no height to drag: its ends move.
    if (allowed(it.w, ITEM_MIN_DOTS, h, dx, 0)) move_sides(it, h, dx, 0);
}

void resize_round(item& it, int h, int64_t, int64_t dy, int, int)
{
    if (h == HANDLE_BOTTOM && allowed(ITEM_MIN_DOTS, it.h, h, 0, dy)) it.h = clamp32(it.h + dy);
}
