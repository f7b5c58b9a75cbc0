/*******************************************************************************
 * items/calendar.cpp - local time source, unit words, weekday and wind words
 ******************************************************************************/
#include "items/calendar.h"
#include "items/figures.h"
#include "model/settings.h"
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
void draw_word(const Digit_unit& u, int x, int y, const char* word)
{
    char scratch[WORD_BYTES];
    copy_field(scratch, WORD_BYTES, word);
    if (scratch[0]) draw_dot_text((uint8_t)u.font_px, u.color, x, y, scratch);
}

} // namespace

void set_clock_source(clock_source source) { current_source = source; }

local_time read_clock() { return current_source ? current_source() : get_local_time(); }

bool is_clock_code(int code) { return code >= CODE_YEAR && code <= CODE_SECOND; }

uint32_t clock_field(const local_time& t, int code)
{
    int v = 0;
    switch (code) {
    case CODE_YEAR: v = t.year; break;
    case CODE_MONTH: v = t.month; break;
    case CODE_DAY: v = t.day; break;
    case CODE_HOUR: v = t.hour; break;
    case CODE_MINUTE: v = t.minute; break;
    case CODE_SECOND: v = t.second; break;
    default: break;
    }
    return v < 0 ? 0u : (uint32_t)v;
}

const char* unit_word(int code) { return is_clock_code(code) ? words().unit[code - CODE_YEAR] : ""; }

const char* weekday_name(int weekday)
{
    return weekday >= 0 && weekday < WEEKDAYS ? words().weekday[weekday] : "";
}

const char* wind_word() { return words().wind; }

void unit_word_position(const Digit_unit& u, int code, int& wx, int& wy)
{
    const int p = led_pitch;
    int gap = 1;                               // month, day, minute
    if (code == CODE_YEAR) gap = 5 * p;
    else if (code == CODE_HOUR) gap = 3 * p;
    else if (code == CODE_SECOND) gap = 2 * p;
    wx = text_px((int64_t)u.x + u.width + gap);
    wy = text_px((int64_t)u.y - 2);
}

void draw_unit_word(const Digit_unit& u, int code)
{
    if (!is_clock_code(code)) return;
    int wx, wy;
    unit_word_position(u, code, wx, wy);
    draw_word(u, wx, wy, unit_word(code));
}

void measure_word_field(Digit_unit& u)
{
    u.width = clamp_px(6 * (int64_t)u.font_px);
    u.height = clamp_px(2 * (int64_t)u.font_px);
}

void draw_word_field(Digit_unit& u, bool selected)
{
    (void)selected;
    const int x = text_px(u.x), y = text_px(u.y);
    if (u.reg_addr == CODE_WEEKDAY) draw_word(u, x, y, weekday_name(read_clock().weekday));
    else if (u.reg_addr == CODE_WIND) draw_word(u, x, y, wind_word());
}
