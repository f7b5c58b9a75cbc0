/*******************************************************************************
 * items/graphic_items.cpp - figure kinds and valve pictures: drawing, resizing
 * and rescaling, their captions and relabelled buttons
 ******************************************************************************/
#include "items/graphic_items.h"
#include "items/figures.h"
#include "items/handles.h"
#include "items/kinds.h"
#include "model/default_layout.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <algorithm>
#include <cstdint>

namespace {

constexpr int WORD_BYTES = 16;        // a GBK button label or frame word, with NUL
constexpr int CAPTION_BYTES = 64;     // a formatted GBK caption
constexpr uint16_t DASH_PATTERN = 0xAAAA;
constexpr int DASH_FACTOR = 2;
constexpr float DASH_WIDTH = 2.0f;

// GBK texts of this module, converted once.
struct figure_texts {
    char caption_format[CAPTION_BYTES];
    char rect_labels[4][WORD_BYTES];     // buttons 4..7 of rectangles
    char table_labels[8][WORD_BYTES];    // buttons 4..11 of tables
    char valve_labels[2][WORD_BYTES];    // buttons 4..5 of valve pictures
};

const figure_texts& texts()
{
    static const figure_texts table = [] {
        figure_texts t{};
        utf8_to_gbk("寄存器:4x4%04d", t.caption_format, CAPTION_BYTES);
        static const char* const rect[4] = {"宽度+", "宽度-", "高度+", "高度-"};
        static const char* const tab[8] = {"行数+", "行数-", "列数+", "列数-",
                                           "宽度+", "宽度-", "高度+", "高度-"};
        static const char* const valve[2] = {"阀门+", "阀门-"};
        for (int i = 0; i < 4; i++) utf8_to_gbk(rect[i], t.rect_labels[i], WORD_BYTES);
        for (int i = 0; i < 8; i++) utf8_to_gbk(tab[i], t.table_labels[i], WORD_BYTES);
        for (int i = 0; i < 2; i++) utf8_to_gbk(valve[i], t.valve_labels[i], WORD_BYTES);
        return t;
    }();
    return table;
}

int px(int64_t v) { return clamp_px(v); }

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

// The item's rectangle with a word inside, for valve records without a picture.
void framed_word(const Digit_unit& u, const char* word)
{
    draw_rect(u.color, u.x, u.y, px((int64_t)u.x + u.width), px((int64_t)u.y + u.height));
    char scratch[WORD_BYTES];
    copy_field(scratch, WORD_BYTES, word);
    draw_dot_text((uint8_t)u.font_px, u.color, text_px((int64_t)u.x + 10), text_px((int64_t)u.y + 2), scratch);
}

} // namespace

// The picture a valve shows is the one its number names (id_<number>.bmp,
// loaded into the valve record of that number), so what the designer shows
// follows the number the script saves, whichever record holds the valve;
// a number without a loaded picture shows the record's own.
static const Digit_unit& valve_picture_of(const Digit_unit& u)
{
    const record_range& rg = digit_ranges[RANGE_VALVE];
    if (u.reg_addr >= 0 && u.reg_addr <= rg.last - rg.first) {
        const Digit_unit& named = digit_table[rg.first + u.reg_addr];
        if (named.bitmap) return named;
    }
    return u;
}

void draw_valve(Digit_unit& u, bool selected)
{
    if (u.x < VALVE_TEMPLATE_X) {
        framed_word(u, "BMP");
        return;
    }
    const Digit_unit& pic = valve_picture_of(u);
    int drawn = draw_bitmap_dots(u.color, u.x, u.y, u.valve, pic.bitmap, pic.bitmap_len);
    if (selected && drawn == -1) framed_word(u, "NORC");
}

void draw_point_block(Digit_unit& u, bool)
{
    draw_block(u.color, u.x, u.y, u.height);
}

void draw_colon(Digit_unit& u, bool)
{
    draw_block(u.color, u.x, u.y, u.height);
    draw_block(u.color, u.x, px((int64_t)u.y + 2 * (int64_t)u.height), u.height);
}

void draw_hline(Digit_unit& u, bool selected)
{
    const int x = u.x, y = u.y, right = px((int64_t)x + u.width);
    if (selected) {
        const int xs[2] = {x, right}, ys[2] = {y, y};
        dashed(u.color, xs, ys, 2, false);
    } else {
        draw_line(u.color, x, y, right, y);
    }
}

void draw_vline(Digit_unit& u, bool)
{
    draw_line(u.color, u.x, u.y, u.x, px((int64_t)u.y + u.height));
}

namespace {

// A circle about (x, y): a dotted ring when selected, else outlined or filled.
void draw_round(Digit_unit& u, bool selected, bool filled)
{
    if (selected) {
        use_code_colour(u.color);
        draw_ring(u.x, u.y, u.height);
    } else if (filled) {
        fill_circle(u.color, u.x, u.y, u.height);
    } else {
        draw_circle(u.color, u.x, u.y, u.height);
    }
}

// A box: a dashed outline when selected, else outlined or filled.
void draw_box(Digit_unit& u, bool selected, bool filled)
{
    const int x = u.x, y = u.y;
    const int right = px((int64_t)x + u.width), bottom = px((int64_t)y + u.height);
    if (selected) {
        const int xs[4] = {x, right, right, x}, ys[4] = {y, y, bottom, bottom};
        dashed(u.color, xs, ys, 4, true);
    } else if (filled) {
        fill_rect(u.color, x, y, right, bottom);
    } else {
        draw_rect(u.color, x, y, right, bottom);
    }
}

} // namespace

void draw_circle_item(Digit_unit& u, bool selected) { draw_round(u, selected, false); }
void draw_filled_circle_item(Digit_unit& u, bool selected) { draw_round(u, selected, true); }
void draw_rect_item(Digit_unit& u, bool selected) { draw_box(u, selected, false); }
void draw_filled_rect_item(Digit_unit& u, bool selected) { draw_box(u, selected, true); }

void draw_figure(Digit_unit& u, bool selected)
{
    kind_of(u).draw(u, selected);
}

bool figure_has_caption(int kind)
{
    return kind_of((uint8_t)kind).register_caption;
}

void draw_figure_caption(const Digit_unit& u)
{
    char caption[CAPTION_BYTES];
    format_field(caption, CAPTION_BYTES, texts().caption_format, u.reg_addr);
    gfx_color(1, 1, 1);
    draw_screen_text(to_wide(caption), text_px((int64_t)u.x - 8), text_px(u.y), 200, 25);
}

const char* figure_button_label(const Digit_unit& u, int i)
{
    const figure_texts& t = texts();
    switch (kind_of(u).buttons) {
    case EXTRA_BOX: return i >= 4 && i <= 7 ? t.rect_labels[i - 4] : nullptr;
    case EXTRA_GRID: return i >= 4 && i <= 11 ? t.table_labels[i - 4] : nullptr;
    case EXTRA_VALVE: return i >= 4 && i <= 5 ? t.valve_labels[i - 4] : nullptr;
    default: return nullptr;
    }
}

namespace {

// A resize that leaves the width and height at least ITEM_MIN; `wide` and
// `high` say whether the grown sides stay that large too.
struct figure_resize {
    bool allowed, wide, high;
};

figure_resize check_resize(const Digit_unit& u, int h, int dx, int dy)
{
    const handle_way way = handle_way_of(h);
    const bool allowed = size_allows(u.width, way.w, dx, ITEM_MIN) && size_allows(u.height, way.h, dy, ITEM_MIN);
    return {allowed, (int64_t)u.width + dx > ITEM_MIN - 1, (int64_t)u.height + dy > ITEM_MIN - 1};
}

} // namespace

void resize_box(Digit_unit& u, int h, int dx, int dy)
{
    const figure_resize r = check_resize(u, h, dx, dy);
    if (!r.allowed) return;
    switch (h) {
    case HANDLE_TOP_LEFT: u.x += dx; u.y += dy; u.width -= dx; u.height -= dy; break;
    case HANDLE_LEFT: u.x += dx; u.width -= dx; break;
    case HANDLE_BOTTOM_LEFT: if (r.high) { u.x += dx; u.width -= dx; u.height += dy; } break;
    case HANDLE_BOTTOM: if (r.high) u.height += dy; break;
    case HANDLE_BOTTOM_RIGHT: if (r.wide && r.high) { u.width += dx; u.height += dy; } break;
    case HANDLE_RIGHT: if (r.wide) u.width += dx; break;
    case HANDLE_TOP_RIGHT: if (r.wide) { u.y += dy; u.width += dx; u.height -= dy; } break;
    case HANDLE_TOP: u.y += dy; u.height -= dy; break;
    default: break;
    }
}

void resize_hline(Digit_unit& u, int h, int dx, int dy)
{
    const figure_resize r = check_resize(u, h, dx, dy);
    if (!r.allowed) return;
    switch (h) {
    case HANDLE_TOP_LEFT:
    case HANDLE_LEFT: u.x += dx; u.width -= dx; break;
    case HANDLE_BOTTOM_LEFT: if (r.high) { u.x += dx; u.width -= dx; } break;
    case HANDLE_BOTTOM_RIGHT: if (r.wide && r.high) u.width += dx; break;
    case HANDLE_RIGHT:
    case HANDLE_TOP_RIGHT: if (r.wide) u.width += dx; break;
    default: break;   // a line has no height to drag
    }
}

void resize_round(Digit_unit& u, int h, int dx, int dy)
{
    const figure_resize r = check_resize(u, h, dx, dy);
    if (r.allowed && h == HANDLE_BOTTOM && r.high) u.height += dy;
}

void rescale_hline(Digit_unit& d, int from, int to)
{
    d.width = d.size = rescaled_span(d.x, d.width, PANEL_X, from, to);
}

void rescale_vline(Digit_unit& d, int from, int to)
{
    d.height = d.size = rescaled_span(d.y, d.height, PANEL_Y, from, to);
}

void rescale_box(Digit_unit& d, int from, int to)
{
    d.width = rescaled_span(d.x, d.width, PANEL_X, from, to);
    d.height = rescaled_span(d.y, d.height, PANEL_Y, from, to);
}

void rescale_block(Digit_unit& d, int from, int to)
{
    d.width = rescaled_length(d.width, from, to);
    d.height = rescaled_length(d.height, from, to);
}

void rescale_round(Digit_unit& d, int from, int to)
{
    rescale_block(d, from, to);
    d.size = d.height;
}
