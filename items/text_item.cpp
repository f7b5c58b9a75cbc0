/*******************************************************************************
 * items/text_item.cpp - measuring and drawing text items
 *
 * Sections: description line | unselected | selected (measuring is in
 * model/text_measure.cpp)
 ******************************************************************************/
#include "items/text_item.h"
#include "items/buttons.h"
#include "model/settings.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_text.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstring>

namespace {

constexpr int SCROLL_BUFFER = 512;   // bytes of the visible window of a scrolling text
constexpr int DESCRIPTION_LEN = 256;
constexpr int TEXT_MODES = 4;
constexpr int DIRECTIONS = 7;

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

void describe_text_item(const string_draw& s, char* out, size_t cap)
{
    if (!out || cap == 0) return;
    const text_words& w = words();
    const int p = dot_pitch();
    const char* dir = s.direction < DIRECTIONS ? w.direction[s.direction] : w.unknown_direction;
    char head[DESCRIPTION_LEN];
    switch (s.mode) {
    case 0:
        format_field(out, (int)cap, w.static_on, s.font_size);
        return;
    case 2:
        format_field(out, (int)cap, w.static_reg, s.reg_addr + 1, s.font_size);
        return;
    case 1:
        format_field(head, sizeof head, w.scroll_on, s.font_size, s.box_width / p, s.box_height / p, s.speed);
        break;
    case 3:
        format_field(head, sizeof head, w.scroll_reg, s.reg_addr + 1, s.font_size, s.box_width / p,
                     s.box_height / p, s.speed);
        break;
    default:
        format_field(out, (int)cap, w.unknown_mode, s.mode, s.font_size);
        return;
    }
    format_field(out, (int)cap, "%s%s", head, dir);
}

int text_item_button_count(int mode)
{
    switch (mode) {
    case 0: return 6;
    case 2: return 8;
    case 1:
    case 3: return PROP_BUTTONS;
    default: return 6;  // font, colour and the mode buttons that bring it back to a known mode
    }
}

// ---- unselected ------------------------------------------------------------------

namespace {

// Box of a static text from its stored counts; it never reaches past the
// panel's right edge (a text standing beyond it keeps its measure).
void size_static_box(string_draw& s)
{
    const int p = dot_pitch();
    s.box_width = (s.font_size / 2) * p * s.max_line_chars;
    s.box_height = (s.font_size + 2) * p * s.line_count;
    const int64_t room = (int64_t)PANEL_X + (int64_t)p * panel_width() - s.x;
    if (room > 0 && s.box_width > room) s.box_width = (int32_t)room;
}

} // namespace

void measure_text_item(string_draw& s)
{
    if (!s.text_ready || (s.mode & 1) != 0) return;
    s.max_line_chars = 0;
    measure_text(s.text, s.line_chars, s.max_line_chars, s.line_count);
    if (s.max_line_chars < s.line_chars) s.max_line_chars = s.line_chars;
    size_static_box(s);
}

int draw_text_item(string_draw& s)
{
    if (!s.text_ready) return -1;
    gfx_texturing(false);
    if ((s.mode & 1) == 0) {
        char copy[DRAW_COPY_LEN] = {};
        copy_field(copy, DRAW_COPY_LEN, s.text);
        draw_dot_text(s.font_size, s.color, s.x, s.y, copy);
        return 0;
    }
    // Scrolling: only the bytes that fit the box.
    const int per_byte = s.font_size * dot_pitch();
    int n = per_byte > 0 ? (2 * s.box_width) / per_byte : 0;
    if (n <= 0) return 0;
    if (n > SCROLL_BUFFER - 1) n = SCROLL_BUFFER - 1;
    char window[SCROLL_BUFFER];
    memset(window, 0, sizeof window);
    memcpy(window, s.text, strnlen(s.text, (size_t)n));
    const unsigned char* w = (const unsigned char*)window;
    if (w[n - 1] > 0x80) {
        // Count the run of high bytes that ends at the window edge: an odd run
        // means the edge cut a double-byte character after its first byte.
        int run = 0;
        for (int i = n - 1; i >= 0 && w[i] >= 0x80; i--) run++;
        if (run % 2 == 1) window[n - 1] = 0;
    }
    draw_dot_text(s.font_size, s.color, s.x, s.y, window);
    return 0;
}

// One character high, after the characters before `offset` on their line.
void text_caret(const string_draw& s, int offset, int32_t out[4])
{
    const int p = dot_pitch();
    const int len = (int)strnlen(s.text, TEXT_LEN - 1);
    char before[TEXT_LEN];
    const int n = offset < 0 || offset > len ? len : offset;
    memcpy(before, s.text, (size_t)n);
    before[n] = 0;
    int32_t chars = 0, widest = 0, lines = 1;
    measure_text(before, chars, widest, lines);
    out[0] = s.x + (s.font_size / 2) * p * chars;
    out[1] = s.y + (s.font_size + 2) * (lines - 1) * p;
    out[2] = 0;
    out[3] = p * s.font_size;
}

// ---- selected --------------------------------------------------------------------

int draw_text_item_selected(string_draw& s, bool buttons, int caret_offset)
{
    if (!s.text_ready) return -1;
    gfx_texturing(false);
    const int p = dot_pitch();

    char copy[DRAW_COPY_LEN] = {};
    copy_field(copy, DRAW_COPY_LEN, s.text);
    draw_dot_text(s.font_size, s.color, s.x, s.y, copy);

    // Dotted box.
    if ((s.mode & 1) == 0) size_static_box(s);
    gfx_line_width(1.0f);
    gfx_line_stipple(true, 2, 0xAAAA);
    gfx_color(s.frame_rgb[0], s.frame_rgb[1], s.frame_rgb[2]);
    gfx_begin(GFX_LINE_LOOP);
    gfx_vertex((float)s.x, (float)s.y);
    gfx_vertex((float)(s.x + s.box_width), (float)s.y);
    gfx_vertex((float)(s.x + s.box_width), (float)(s.y + s.box_height));
    gfx_vertex((float)s.x, (float)(s.y + s.box_height));
    gfx_end();
    gfx_line_stipple(false);

    int32_t caret[4];
    text_caret(s, caret_offset, caret);
    gfx_line_width(2.0f);
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINES);
    gfx_vertex((float)caret[0], (float)caret[1]);
    gfx_vertex((float)caret[0], (float)(caret[1] + caret[3]));
    gfx_end();
    gfx_line_width(1.0f);

    if (!s.group_selected) {
        char text[DESCRIPTION_LEN];
        describe_text_item(s, text, sizeof text);
        gfx_color(1, 1, 0);
        draw_screen_text_sized(30, to_wide(text), s.anchor_x + 50, s.anchor_y + 20, 450, 25);
        const int W = panel_width(), H = panel_height();
        if (PANEL_X < s.x && s.x < PANEL_X + p * W && PANEL_Y < s.y && s.y < PANEL_Y + p * H) {
            format_field(text, sizeof text, "x=%d,y=%d", (s.x - PANEL_X) / p, (s.y - PANEL_Y) / p);
            gfx_color(1, 1, 0);
            draw_screen_text_sized(36, to_wide(text), s.anchor_x - 80, s.anchor_y + 20, 400, 25);
            for (int i = 0; buttons && i < NUDGE_BUTTONS; i++)
                draw_row_button(s.nudge_buttons, i, s.nudge_hover, s.nudge_pressed, s.nudge_down);
        }
    }
    if (!buttons) return 0;
    const int count = text_item_button_count(s.mode);
    for (int i = 0; i < count; i++) draw_row_button(s.prop_buttons, i, s.prop_hover, s.prop_pressed, s.prop_down);
    return 0;
}
