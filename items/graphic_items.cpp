/*******************************************************************************
 * items/graphic_items.cpp - figure kinds, tables, valve pictures, their
 * captions and relabelled buttons
 ******************************************************************************/
#include "items/graphic_items.h"
#include "items/figures.h"
#include "items/kinds.h"
#include "model/default_layout.h"
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
constexpr int MARKER_CODE = 0xFF;     // the thin marker dot over merged cell lines
constexpr int WHITE_CODE = 6;

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

void draw_table(Digit_unit& u, bool selected)
{
    const int cols = std::min<int>(u.cols, TABLE_MAX);
    const int rows = std::min<int>(u.rows, TABLE_MAX);
    const bool sel_inside = selected && u.sel_col < cols && u.sel_row < rows;
    const bool span_inside = selected && u.span_col < cols && u.span_row < rows;

    int sel_x = 0, sel_y = 0, span_x = 0, span_y = 0;   // corners of the white cells
    int64_t cx = u.x;
    for (int i = 0; i < cols; i++) {
        int64_t cy = u.y;
        for (int j = 0; j < rows; j++) {
            const bool is_sel = sel_inside && i == u.sel_col && j == u.sel_row;
            const bool is_span = span_inside && i == u.span_col && j == u.span_row;
            if (is_sel) { sel_x = px(cx); sel_y = px(cy); }
            if (is_span) { span_x = px(cx); span_y = px(cy); }
            if (!is_sel && !is_span)
                draw_rect(u.color, px(cx), px(cy), px(cx + u.col_width[i]), px(cy + u.row_height[j]));
            cy += u.row_height[j];
        }
        cx += u.col_width[i];
    }
    if (sel_inside)
        draw_rect(WHITE_CODE, sel_x, sel_y, px((int64_t)sel_x + u.col_width[u.sel_col]),
                  px((int64_t)sel_y + u.row_height[u.sel_row]));
    if (span_inside)
        draw_rect(WHITE_CODE, span_x, span_y, px((int64_t)span_x + u.col_width[u.span_col]),
                  px((int64_t)span_y + u.row_height[u.span_row]));

    for (int m = 0; m < TABLE_MAX; m++) {
        const merge_record& g = u.merges[m];
        if (!g.flag) continue;
        draw_line(MARKER_CODE, px((int64_t)u.x - g.x0), px((int64_t)u.y - g.y0), px((int64_t)u.x - g.x1),
                  px((int64_t)u.y - g.y1));
    }
}

void measure_table(Digit_unit& u, bool)
{
    const int cols = std::min<int>(u.cols, TABLE_MAX);
    const int rows = std::min<int>(u.rows, TABLE_MAX);
    int64_t w = 0, h = 0;
    for (int i = 0; i < cols; i++) w += u.col_width[i];
    for (int j = 0; j < rows; j++) h += u.row_height[j];
    u.width = px(w);
    u.height = px(h);
}

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
