/*******************************************************************************
 * items/calendar.cpp - local time source, unit words, weekday and wind words
 ******************************************************************************/
#include "items/calendar.h"
#include "items/figures.h"
#include "platform/gbk.h"
#include "raster/dot_text.h"
#include <cstdint>
#include <cstring>

namespace {

constexpr int WORD_BYTES = 16;   // one GBK word of up to three characters, with NUL

clock_source current_source = nullptr;

// The words in GBK, converted once.
struct word_table {
    char unit[6][WORD_BYTES];        // codes 5..10
    char weekday[WEEKDAYS][WORD_BYTES];
    char wind[WORD_BYTES];
};

const word_table& words()
{
    static const word_table table = [] {
        word_table t{};
        static const char* const units[6] = {"年", "月", "日", "时", "分", "秒"};
        static const char* const days[WEEKDAYS] = {"星期日", "星期一", "星期二", "星期三",
                                                   "星期四", "星期五", "星期六"};
        for (int i = 0; i < 6; i++) utf8_to_gbk(units[i], t.unit[i], WORD_BYTES);
        for (int i = 0; i < WEEKDAYS; i++) utf8_to_gbk(days[i], t.weekday[i], WORD_BYTES);
        utf8_to_gbk("正北风", t.wind, WORD_BYTES);
        return t;
    }();
    return table;
}

// Draw a GBK word through a scratch copy (the text renderer may write into it).
void draw_word(const item& it, int x, int y, const char* word)
{
    char scratch[WORD_BYTES];
    copy_field(scratch, WORD_BYTES, word);
    if (scratch[0]) draw_dot_text((uint8_t)it.font_px, it.color, x, y, scratch);
}

constexpr int UNIT_WORD_RISE = 2;          // px the unit word stands above the digits' top
constexpr int UNIT_GAP_PX = 1;             // month, day, minute: px after the digits
constexpr int YEAR_GAP = 5, HOUR_GAP = 3, SECOND_GAP = 2;   // dots after the digits
constexpr int WORD_FIELD_CHARS = 3;        // a weekday or the wind word: three double-byte characters

} // namespace

void set_clock_source(clock_source source) { current_source = source; }

local_time read_clock() { return current_source ? current_source() : get_local_time(); }

bool is_clock_code(int code) { return code >= CODE_YEAR && code <= CODE_SECOND; }

uint32_t clock_field(const local_time& t, int code) { return is_clock_code(code) ? play_clock_field(t, code) : 0; }

const char* unit_word(int code) { return is_clock_code(code) ? words().unit[code - CODE_YEAR] : ""; }

const char* weekday_name(int weekday)
{
    return weekday >= 0 && weekday < WEEKDAYS ? words().weekday[weekday] : "";
}

const char* wind_word() { return words().wind; }

bool shows_clock(const item& it)
{
    return it.kind == KIND_VARIABLE && (is_clock_code(it.code) || it.code == CODE_WEEKDAY ||
                                        (it.code >= CODE_LUNAR_YEAR && it.code <= CODE_LUNAR_DAY));
}

int32_t clock_value(const item& it, const local_time& t)
{
    uint32_t lunar = 0;
    if (play_lunar_field(t, it.code, lunar)) return (int32_t)lunar;
    return it.code == CODE_WEEKDAY ? t.weekday : (int32_t)clock_field(t, it.code);
}

void unit_word_position(const item_draw_ctx& ctx, int code, int64_t width, int& wx, int& wy)
{
    const int p = ctx.pitch;
    int gap = UNIT_GAP_PX;
    if (code == CODE_YEAR) gap = YEAR_GAP * p;
    else if (code == CODE_HOUR) gap = HOUR_GAP * p;
    else if (code == CODE_SECOND) gap = SECOND_GAP * p;
    wx = text_px((int64_t)ctx.x + width + gap);
    wy = text_px((int64_t)ctx.y - UNIT_WORD_RISE);
}

void draw_unit_word(const item& it, const item_draw_ctx& ctx, int64_t width)
{
    if (!is_clock_code(it.code)) return;
    int wx, wy;
    unit_word_position(ctx, it.code, width, wx, wy);
    draw_word(it, wx, wy, unit_word(it.code));
}

dot_box measure_word_field(const item& it)
{
    return {it.x, it.y, WORD_FIELD_CHARS * (int64_t)it.font_px, it.font_px};
}

void draw_word_field(const item& it, const item_draw_ctx& ctx)
{
    const int x = text_px(ctx.x), y = text_px(ctx.y);
    if (it.code == CODE_WEEKDAY) draw_word(it, x, y, weekday_name(ctx.now.weekday));
    else if (it.code == CODE_WIND) draw_word(it, x, y, wind_word());
}
