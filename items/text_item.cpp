/*******************************************************************************
 * items/text_item.cpp - measuring and drawing text items
 *
 * Sections: description line | unselected | selected (counting characters is
 * model/text_measure.cpp's)
 ******************************************************************************/
#include "items/text_item.h"
#include "raster/view.h"
#include "items/buttons.h"
#include "items/figures.h"
#include "items/graphic_items.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr int SCROLL_BUFFER = 512;   // bytes of the visible window of a scrolling text
constexpr int DESCRIPTION_LEN = 256;
constexpr int DIRECTIONS = 7;
constexpr int DESCRIPTION_DX = 50, DESCRIPTION_DY = 20, POSITION_DX = -80;
constexpr int DESCRIPTION_SIZE = 30, POSITION_SIZE = 36, DESCRIPTION_WRAP = 450, POSITION_WRAP = 400, LINE_H = 25;
constexpr int BUTTONS_STATIC = 6, BUTTONS_SWITCHED = 8;
constexpr uint16_t BOX_STIPPLE = 0xAAAA;
constexpr int BOX_STIPPLE_FACTOR = 2;
constexpr float CARET_WIDTH = 2.0f;

} // namespace

// ---- description line ------------------------------------------------------------

namespace {

// The description formats and direction words, converted to GBK once.
struct text_words {
    char static_on[64], scroll_on[96], static_reg[64], scroll_reg[96], unknown_mode[64];
    char direction[DIRECTIONS][16];
    char unknown_direction[16];
};

const text_words& words()
{
    static text_words w = [] {
        text_words t{};
        utf8_to_gbk("静态常显,字号=%d", t.static_on, sizeof t.static_on);
        utf8_to_gbk("滚动常显字,字号%d,宽%d,高%d,速度%d,方向:", t.scroll_on, sizeof t.scroll_on);
        utf8_to_gbk("静态可控字:4x4%04d,字号=%d", t.static_reg, sizeof t.static_reg);
        utf8_to_gbk("滚动可控字:4x4%04d,字号%d,宽%d,高%d,速度%d,方向:", t.scroll_reg, sizeof t.scroll_reg);
        utf8_to_gbk("未知类型%d,字号=%d", t.unknown_mode, sizeof t.unknown_mode);
        static const char* const dirs[DIRECTIONS] = {"左移", "右移", "上移", "下移", "换页", "超长文本", "遥控换页"};
        for (int i = 0; i < DIRECTIONS; i++) utf8_to_gbk(dirs[i], t.direction[i], sizeof t.direction[i]);
        utf8_to_gbk("未知方向", t.unknown_direction, sizeof t.unknown_direction);
        return t;
    }();
    return w;
}

} // namespace

void describe_text_item(const item& t, char* out, size_t cap)
{
    if (!out || cap == 0) return;
    const text_words& w = words();
    const char* dir = t.direction < DIRECTIONS ? w.direction[t.direction] : w.unknown_direction;
    char head[DESCRIPTION_LEN];
    switch (t.mode) {
    case TEXT_STATIC:
        format_field(out, (int)cap, w.static_on, t.font_size);
        return;
    case TEXT_STATIC_SWITCHED:
        format_field(out, (int)cap, w.static_reg, t.code + 1, t.font_size);
        return;
    case TEXT_SCROLLING:
        format_field(head, sizeof head, w.scroll_on, t.font_size, t.w, t.h, t.speed);
        break;
    case TEXT_SCROLLING_SWITCHED:
        format_field(head, sizeof head, w.scroll_reg, t.code + 1, t.font_size, t.w, t.h, t.speed);
        break;
    default:
        format_field(out, (int)cap, w.unknown_mode, t.mode, t.font_size);
        return;
    }
    format_field(out, (int)cap, "%s%s", head, dir);
}

int text_item_button_count(int mode)
{
    switch (mode) {
    case TEXT_STATIC: return BUTTONS_STATIC;
    case TEXT_STATIC_SWITCHED: return BUTTONS_SWITCHED;
    case TEXT_SCROLLING:
    case TEXT_SCROLLING_SWITCHED: return PROP_BUTTONS;
    default: return BUTTONS_STATIC;  // font, colour and the mode buttons that bring it back to a known mode
    }
}

// ---- unselected ------------------------------------------------------------------

dot_box measure_text_item(const item& t)
{
    if (t.mode & TEXT_SCROLLING) return {t.x, t.y, t.w, t.h};
    const text_extent e = measure_text_dots(t.text, t.font_size);
    return {t.x, t.y, e.w, e.h};
}

namespace {

// The text as the panel shows it unselected: whole when static, only the
// bytes that fit the box when scrolling.
void draw_plain(const item& t, const item_draw_ctx& ctx)
{
    gfx_texturing(false);
    char copy[TEXT_LEN] = {};
    if ((t.mode & TEXT_SCROLLING) == 0) {
        copy_field(copy, TEXT_LEN, t.text);
        draw_dot_text(t.font_size, t.color, text_px(ctx.x), text_px(ctx.y), copy);
        return;
    }
    int n = t.font_size > 0 ? (int)((2 * (int64_t)t.w) / t.font_size) : 0;
    if (n <= 0) return;
    if (n > SCROLL_BUFFER - 1) n = SCROLL_BUFFER - 1;
    memcpy(copy, t.text, strnlen(t.text, (size_t)n));
    const unsigned char* w = (const unsigned char*)copy;
    if (w[n - 1] > 0x80) {
        // Count the run of high bytes that ends at the window edge: an odd run
        // means the edge cut a double-byte character after its first byte.
        int run = 0;
        for (int i = n - 1; i >= 0 && w[i] >= 0x80; i--) run++;
        if (run % 2 == 1) copy[n - 1] = 0;
    }
    draw_dot_text(t.font_size, t.color, text_px(ctx.x), text_px(ctx.y), copy);
}

// A scrolling text as it plays: its whole content at `at`, and the copies
// that follow it, clipped to the box (a page to its whole lines).
void draw_placed(const item& t, const item_draw_ctx& ctx, const scroll_place& at)
{
    if (!at.shown || t.w <= 0 || t.h <= 0) return;
    gfx_texturing(false);
    const int64_t p = ctx.pitch;
    int64_t shown_h = t.h;
    if (t.direction == SCROLL_PAGES || t.direction == SCROLL_REMOTE_PAGES) {
        const int64_t line_h = t.font_size + TEXT_LINE_GAP_DOTS;
        shown_h = std::min<int64_t>(t.h, std::max<int64_t>(1, t.h / line_h) * line_h);
    }
    int left, top;
    dot_cell_corner(ctx.x, ctx.y, ctx.pitch, left, top);
    gfx_clip_push(left, top, clamp32(t.w * p), clamp32(shown_h * p));
    const bool copies = at.step_x > 0 || at.step_y > 0;
    for (int64_t dx = at.dx, dy = at.dy; dx < t.w && dy < t.h; dx += at.step_x, dy += at.step_y) {
        char copy[TEXT_LEN];
        copy_field(copy, TEXT_LEN, t.text);
        draw_dot_text(t.font_size, t.color, text_px(ctx.x + dx * p), text_px(ctx.y + dy * p), copy);
        if (!copies) break;
    }
    gfx_clip_pop();
}

} // namespace

void resize_text(item& t, int h, int64_t dx, int64_t dy, int col, int row)
{
    if (t.mode & TEXT_SCROLLING) resize_box(t, h, dx, dy, col, row);
}

// One character high, after the characters before `offset` on their line.
void text_caret(const item& t, int x, int y, int p, int offset, int32_t out[4])
{
    const int len = (int)strnlen(t.text, TEXT_LEN - 1);
    char before[TEXT_LEN];
    const int n = offset < 0 || offset > len ? len : offset;
    memcpy(before, t.text, (size_t)n);
    before[n] = 0;
    int32_t chars = 0, widest = 0, lines = 1;
    measure_text(before, chars, widest, lines);
    out[0] = clamp32(x + (int64_t)(t.font_size / 2) * p * chars);
    out[1] = clamp32(y + (int64_t)(t.font_size + TEXT_LINE_GAP_DOTS) * (lines - 1) * p);
    out[2] = 0;
    out[3] = p * t.font_size;
}

// ---- selected --------------------------------------------------------------------

namespace {

void draw_selected(const item& t, const item_draw_ctx& ctx)
{
    gfx_texturing(false);
    const int p = ctx.pitch;
    char copy[TEXT_LEN] = {};
    copy_field(copy, TEXT_LEN, t.text);
    draw_dot_text(t.font_size, t.color, text_px(ctx.x), text_px(ctx.y), copy);

    // Dotted box.
    dot_box b = ctx.doc ? measure_item(*ctx.doc, t) : measure_text_item(t);
    const float x0 = (float)ctx.x, y0 = (float)ctx.y;
    const float x1 = (float)clamp32(ctx.x + b.w * p), y1 = (float)clamp32(ctx.y + b.h * p);
    gfx_line_width(1.0f);
    gfx_line_stipple(true, BOX_STIPPLE_FACTOR, BOX_STIPPLE);
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINE_LOOP);
    gfx_vertex(x0, y0);
    gfx_vertex(x1, y0);
    gfx_vertex(x1, y1);
    gfx_vertex(x0, y1);
    gfx_end();
    gfx_line_stipple(false);

    int32_t caret[4];
    text_caret(t, ctx.x, ctx.y, p, ctx.look.caret, caret);
    gfx_line_width(CARET_WIDTH);
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINES);
    gfx_vertex((float)caret[0], (float)caret[1]);
    gfx_vertex((float)caret[0], (float)(caret[1] + caret[3]));
    gfx_end();
    gfx_line_width(1.0f);
}

} // namespace

void draw_text_controls(const item& t, const item_draw_ctx& ctx)
{
    const int p = UI_PITCH;
    static const button_marks none;
    const bool lines = ctx.look.controls & CONTROL_LINES;
    if (ctx.look.description) {
        char text[DESCRIPTION_LEN];
        if (lines) {
            describe_text_item(t, text, sizeof text);
            gfx_color(1, 1, 0);
            draw_screen_text_sized(DESCRIPTION_SIZE, to_wide(text), SELECTION_ANCHOR_X + DESCRIPTION_DX,
                                   SELECTION_ANCHOR_Y + DESCRIPTION_DY, DESCRIPTION_WRAP, LINE_H);
        }
        if (ctx.doc && doc_on_panel(*ctx.doc, t.x, t.y)) {
            if (lines) {
                format_field(text, sizeof text, "x=%d,y=%d", t.x, t.y);
                gfx_color(1, 1, 0);
                draw_screen_text_sized(POSITION_SIZE, to_wide(text), SELECTION_ANCHOR_X + POSITION_DX,
                                       SELECTION_ANCHOR_Y + DESCRIPTION_DY, POSITION_WRAP, LINE_H);
            }
            const button* nudges = nudge_buttons(true);
            for (int i = 0; ctx.look.buttons && (ctx.look.controls & CONTROL_NUDGES) && i < NUDGE_BUTTONS; i++)
                draw_row_button(nudges, i, ctx.look.nudge ? *ctx.look.nudge : none, p);
        }
    }
    if (!ctx.look.buttons || !(ctx.look.controls & CONTROL_PROPS)) return;
    const button* props = prop_buttons(KIND_TEXT);
    const int count = text_item_button_count(t.mode);
    for (int i = 0; i < count; i++) draw_row_button(props, i, ctx.look.prop ? *ctx.look.prop : none, p);
}

void draw_text_kind(const item& t, const item_draw_ctx& ctx)
{
    if (ctx.selected) draw_selected(t, ctx);
    else if (ctx.show && !ctx.show->shown) return;   // a switched text that is off
    else if (ctx.show && ctx.show->placed) draw_placed(t, ctx, ctx.show->place);
    else draw_plain(t, ctx);
}
