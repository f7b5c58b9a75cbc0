/*******************************************************************************
 * items/palette.cpp - the samples, captions and frame of the tool palette
 *
 * Sections: samples | captions and frame | drawing and hitting
 ******************************************************************************/
#include "items/palette.h"
#include "items/calendar.h"
#include "items/graphic_items.h"
#include "platform/gbk.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <string>

// ---- samples -------------------------------------------------------------------------------

namespace {

constexpr int DATE_FIRST_GAP = 18;   // dots after the year, before the month
constexpr int TIME_FIRST_GAP = 14;   // after the hour
constexpr int SECOND_GAP = 14;       // after the middle part
constexpr int NONE = -1;

// A variable of a code, size and digit count.
item variable(int code, int size, int digits)
{
    item it;
    it.kind = KIND_VARIABLE;
    it.code = code;
    it.size = size;
    it.digits = digits;
    return it;
}

// A figure of a kind, size in dots and code.
item figure(item_kind kind, int w, int h, int code = 0)
{
    item it;
    it.kind = kind;
    it.w = w;
    it.h = h;
    it.code = code;
    return it;
}

item table_sample()
{
    constexpr int COLS = 4, ROWS = 3, COL_DOTS = 10, ROW_DOTS = 5;
    item it = figure(KIND_TABLE, 0, 0);
    it.grid = table_grid{};
    it.grid.cols = COLS;
    it.grid.rows = ROWS;
    for (int k = 0; k < TABLE_MAX; k++) {
        it.grid.col_w[k] = COL_DOTS;
        it.grid.row_h[k] = ROW_DOTS;
    }
    return it;
}

item text_sample()
{
    item it;
    it.kind = KIND_TEXT;
    copy_field(it.text, TEXT_LEN, TEXT_PLACEHOLDER);
    return it;
}

constexpr int SAMPLE_SIZE = 4;           // digit size of every variable sample
constexpr int YEAR_DIGITS = 4, PART_DIGITS = 2, COUNTER_DIGITS = 6;
constexpr int BOX_W = 30, BOX_H = 15;
constexpr int BLOCK_SIDE = 4, LINE_DOTS = 25, VLINE_DOTS = 10, RADIUS = 10;

const palette_sample* samples()
{
    static const palette_sample rows[PALETTE_SAMPLES] = {
        {SAMPLE_YEAR, 80, 165, variable(CODE_YEAR, SAMPLE_SIZE, YEAR_DIGITS), NONE, 0, false, 0},
        {SAMPLE_MONTH, 155, 165, variable(CODE_MONTH, SAMPLE_SIZE, PART_DIGITS), SAMPLE_YEAR, DATE_FIRST_GAP, false, 0},
        {SAMPLE_DAY, 205, 165, variable(CODE_DAY, SAMPLE_SIZE, PART_DIGITS), SAMPLE_MONTH, SECOND_GAP, false, 0},
        {SAMPLE_LUNAR_YEAR, 90, 215, variable(CODE_LUNAR_YEAR, SAMPLE_SIZE, YEAR_DIGITS), NONE, 0, false, 0},
        {SAMPLE_LUNAR_MONTH, 155, 215, variable(CODE_LUNAR_MONTH, SAMPLE_SIZE, PART_DIGITS), NONE, 0, false, 0},
        {SAMPLE_LUNAR_DAY, 195, 215, variable(CODE_LUNAR_DAY, SAMPLE_SIZE, PART_DIGITS), NONE, 0, false, 0},
        {SAMPLE_WEEKDAY, 120, 255, variable(CODE_WEEKDAY, SAMPLE_SIZE, PART_DIGITS), NONE, 0, false, 0},
        {SAMPLE_HOUR, 85, 303, variable(CODE_HOUR, SAMPLE_SIZE, PART_DIGITS), NONE, 0, false, 0},
        {SAMPLE_MINUTE, 133, 303, variable(CODE_MINUTE, SAMPLE_SIZE, PART_DIGITS), SAMPLE_HOUR, TIME_FIRST_GAP, false, 0},
        {SAMPLE_SECOND, 180, 303, variable(CODE_SECOND, SAMPLE_SIZE, PART_DIGITS), SAMPLE_MINUTE, SECOND_GAP, false, 0},
        {SAMPLE_VALVE, 125, 335, figure(KIND_VALVE, VALVE_BOX_W, VALVE_BOX_H), NONE, 0, true, 0},
        {SAMPLE_TEXT, 135, 373, text_sample(), NONE, 0, true, 0},
        {SAMPLE_REGISTER, 138, 415, variable(REGISTER_CODE_FIRST, SAMPLE_SIZE, YEAR_DIGITS), NONE, 0, true,
         REGISTER_CODE_FIRST},
        {SAMPLE_TABLE, 110, 455, table_sample(), NONE, 0, false, 0},
        {SAMPLE_SAFETY, 138, 515, variable(SAFETY_CODE_FIRST, SAMPLE_SIZE, YEAR_DIGITS), NONE, 0, false, 0},
        {SAMPLE_WIND, 130, 565, variable(CODE_WIND, SAMPLE_SIZE, YEAR_DIGITS), NONE, 0, false, 0},
        {SAMPLE_COUNTER, 120, 615, variable(0, SAMPLE_SIZE, COUNTER_DIGITS), NONE, 0, false, 0},
        {SAMPLE_CIRCLE, 110, 669, figure(KIND_CIRCLE, RADIUS, RADIUS, NO_REGISTER_CODE), NONE, 0, false, 0},
        {SAMPLE_RECT, 155, 657, figure(KIND_RECT, BOX_W, BOX_H), NONE, 0, true, 0},
        {SAMPLE_BLOCK, 110, 715, figure(KIND_BLOCK, BLOCK_SIDE, BLOCK_SIDE), NONE, 0, false, 0},
        {SAMPLE_LINE, 130, 715, figure(KIND_LINE, LINE_DOTS, 0), NONE, 0, false, 0},
        {SAMPLE_VLINE, 190, 715, figure(KIND_VLINE, 0, VLINE_DOTS), NONE, 0, false, 0},
        {SAMPLE_FILLED_CIRCLE, 110, 769, figure(KIND_FILLED_CIRCLE, RADIUS, RADIUS, NO_REGISTER_CODE), NONE, 0,
         false, 0},
        {SAMPLE_FILLED_RECT, 155, 757, figure(KIND_FILLED_RECT, BOX_W, BOX_H), NONE, 0, true, 0},
    };
    return rows;
}

} // namespace

const palette_sample& palette_sample_of(int id)
{
    return samples()[id >= 0 && id < PALETTE_SAMPLES ? id : SAMPLE_TEXT];
}

int32_t palette_code_for(int id, int slot)
{
    const palette_sample& s = palette_sample_of(id);
    if (!s.code_from_slot) return s.sample.code;
    const item_kind kind = s.sample.kind;
    const range_id r = kind == KIND_VARIABLE ? variable_range(s.sample.code) : form_of(kind).range;
    const int first = r < RANGE_COUNT ? slot_ranges[r].first : 0;
    const int32_t code = s.code_base + (slot - first);
    return kind == KIND_TEXT ? code % (REGISTER_LAST_BYTE + 1) : code;
}

// ---- captions and frame ---------------------------------------------------------------------

namespace {

struct caption {
    const char* utf8;
    int x, y;   // below the palette's first line
};

const caption CAPTIONS[] = {
    {"日期", 35, 35},  {"农历", 35, 85},   {"星期", 35, 125},   {"时间", 32, 172},
    {"图片", 32, 206}, {"文本", 32, 242},  {"Modbus", 30, 272}, {"变量", 30, 295},
    {"表格", 30, 322}, {"绘制", 30, 345},  {"安全日", 30, 372}, {"计数", 30, 395},
    {"开关量", 30, 472}, {"计数", 30, 495}, {"图形一", 28, 535}, {"图形二", 28, 585},
    {"风向", 28, 435}};
constexpr int CAPTION_COUNT = sizeof CAPTIONS / sizeof CAPTIONS[0];
constexpr int CAPTION_WRAP = 89, CAPTION_LINE = 25;
constexpr float COLUMN_LINES[3] = {PALETTE_LEFT, 85, PALETTE_RIGHT};
constexpr float ROW_LINES[7] = {0, 50, 100, 140, 182, 218, 254};
constexpr int ROW_STEP_FROM = 300, ROW_STEP = 50, ROW_STEP_TO = 1950, COLUMN_BOTTOM = 1200;

// The captions as the screen text draws them (UTF-16), converted once on first use.
const std::u16string* wide_captions()
{
    static std::u16string wide[CAPTION_COUNT];
    static bool ready = false;
    if (!ready) {
        for (int i = 0; i < CAPTION_COUNT; i++) wide[i] = to_wide(gbk_from_utf8(CAPTIONS[i].utf8).c_str());
        ready = true;
    }
    return wide;
}

void draw_frame()
{
    gfx_color(1, 1, 1);
    gfx_begin(GFX_LINES);
    for (float x : COLUMN_LINES) {
        gfx_vertex(x, 0);
        gfx_vertex(x, COLUMN_BOTTOM);
    }
    for (float y : ROW_LINES) {
        gfx_vertex(PALETTE_RIGHT, y);
        gfx_vertex(PALETTE_LEFT, y);
    }
    for (int y = ROW_STEP_FROM; y <= ROW_STEP_TO; y += ROW_STEP) {
        gfx_vertex(PALETTE_RIGHT, (float)y);
        gfx_vertex(PALETTE_LEFT, (float)y);
    }
    gfx_end();
}

} // namespace

// ---- drawing and hitting ------------------------------------------------------------------------

void draw_palette(const document& d, int pitch, const local_time& now, bool with_clock_samples)
{
    const std::u16string* wide = wide_captions();
    gfx_push();
    gfx_translate(0, PALETTE_TOP);
    gfx_color(1, 1, 1);
    for (int i = 0; i < CAPTION_COUNT; i++)
        draw_screen_text(wide[i], CAPTIONS[i].x, CAPTIONS[i].y, CAPTION_WRAP, CAPTION_LINE);
    draw_frame();
    gfx_pop();
    gfx_texturing(false);
    for (int i = 0; i < PALETTE_SAMPLES; i++) {
        const palette_sample& s = samples()[i];
        if (!with_clock_samples && shows_clock(s.sample)) continue;
        item_draw_ctx ctx;
        ctx.doc = &d;
        ctx.x = s.x;
        ctx.y = s.y;
        ctx.pitch = pitch;
        ctx.now = now;
        ctx.sample = true;
        draw_item(s.sample, ctx);
    }
}

int palette_clock_samples(int* out, int cap)
{
    int n = 0;
    for (int i = 0; i < PALETTE_SAMPLES && n < cap; i++)
        if (shows_clock(samples()[i].sample)) out[n++] = i;
    return n;
}

int palette_sample_at(int px, int py, int pitch)
{
    // The last drawn is on top.
    for (int i = PALETTE_SAMPLES - 1; i >= 0; i--) {
        const palette_sample& s = samples()[i];
        const dot_box b = measure_item(s.sample);
        const int64_t x0 = s.x + b.x * pitch, y0 = s.y + b.y * pitch;
        if (strictly_between(px, x0, x0 + b.w * pitch) && strictly_between(py, y0, y0 + b.h * pitch)) return i;
    }
    return -1;
}
