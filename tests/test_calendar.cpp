// Calendar, clock, weekday and wind fields at a fixed local time.
#include "app/startup.h"
#include "dot_helpers.h"
#include "items/calendar.h"
#include "items/digit_item.h"
#include "items/digits.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"
#include <set>
#include <utility>


namespace {

// Sunday 9 June 2024, 09:05:07.
local_time fixed_sunday() { return {2024, 6, 9, 9, 5, 7, 0}; }
local_time fixed_wednesday() { return {1999, 12, 31, 23, 59, 58, 3}; }

struct at_fixed_time {
    at_fixed_time()
    {
        set_clock_source(fixed_sunday);
        fill_glyph_table();
        set_panel(256, 64, 2);
        build_base_paths(LUMIKER_BUILD_DIR "/");   // the font files the build generated
        dot_font_init();
    }
    ~at_fixed_time()
    {
        set_clock_source(nullptr);
        led_pitch = 2;
    }
};

Digit_unit& field(int index, int code, int digits)
{
    Digit_unit& u = digit_table[index];
    u = Digit_unit();
    u.visible = 1;
    u.kind = KIND_VARIABLE;
    u.reg_addr = code;
    u.digits = digits;
    u.x = 300;
    u.y = 200;
    u.color = 2;
    return u;
}

// What draw_dot_text lights for a GBK word at (x, y).

dot_set word_dots(const char* gbk, int size, int colour, int x, int y)
{
    return capture([&] {
        char copy[32];
        copy_field(copy, sizeof copy, gbk);
        draw_dot_text((uint8_t)size, (uint8_t)colour, x, y, copy);
    });
}

dot_set number_dots(const Digit_unit& u, uint32_t value)
{
    return capture([&] {
        draw_number(u.color, u.x, u.y, value, (uint8_t)u.digits, (uint8_t)u.size, (uint8_t)u.thickness,
                    u.decimals, 0);
    });
}

// The digits a clock field shows, measured first as every frame does.
std::string shown(Digit_unit& u)
{
    measure_variable(u, false);
    return read_cells(capture([&] { draw_digit_item(u); }), u.x, u.y, u.digits, u.size, led_pitch);
}

} // namespace

TEST(Calendar, ClockFieldsShowTheLocalTimeWithLeadingZeros)
{
    at_fixed_time t;
    EXPECT_EQ(shown(field(8, CODE_HOUR, 2)), "09");
    EXPECT_EQ(shown(field(9, CODE_MINUTE, 2)), "05");
    EXPECT_EQ(shown(field(10, CODE_SECOND, 2)), "07");
    EXPECT_EQ(shown(field(5, CODE_YEAR, 4)), "2024");
    EXPECT_EQ(shown(field(5, CODE_YEAR, 2)), "24");
    EXPECT_EQ(shown(field(6, CODE_MONTH, 2)), "06");
    EXPECT_EQ(shown(field(7, CODE_DAY, 2)), "09");

    set_clock_source(fixed_wednesday);
    EXPECT_EQ(shown(field(8, CODE_HOUR, 2)), "23");
    EXPECT_EQ(shown(field(5, CODE_YEAR, 4)), "1999");
    EXPECT_EQ(shown(field(6, CODE_MONTH, 3)), "012");
}

TEST(Calendar, LunarFieldsShowTheSampleCutToTheirDigits)
{
    at_fixed_time t;
    EXPECT_EQ(shown(field(20, 17, 4)), "8888");
    EXPECT_EQ(shown(field(20, 18, 2)), "88");
    EXPECT_EQ(shown(field(20, 19, 6)), "888888");
}

TEST(Calendar, FieldValuesAndWords)
{
    const local_time s = fixed_sunday();
    EXPECT_EQ(clock_field(s, CODE_YEAR), 2024u);
    EXPECT_EQ(clock_field(s, CODE_SECOND), 7u);
    EXPECT_EQ(clock_field(s, 4), 0u);
    EXPECT_TRUE(is_clock_code(5));
    EXPECT_TRUE(is_clock_code(10));
    EXPECT_FALSE(is_clock_code(4));
    EXPECT_FALSE(is_clock_code(11));

    EXPECT_EQ(std::string(weekday_name(0)), gbk_from_utf8("星期日"));
    EXPECT_EQ(std::string(weekday_name(1)), gbk_from_utf8("星期一"));
    EXPECT_EQ(std::string(weekday_name(6)), gbk_from_utf8("星期六"));
    EXPECT_EQ(std::string(weekday_name(7)), "");
    EXPECT_EQ(std::string(weekday_name(-1)), "");
    EXPECT_EQ(std::string(wind_word()), gbk_from_utf8("正北风"));
    const char* units[] = {"年", "月", "日", "时", "分", "秒"};
    for (int code = CODE_YEAR; code <= CODE_SECOND; code++)
        EXPECT_EQ(std::string(unit_word(code)), gbk_from_utf8(units[code - CODE_YEAR]));
    EXPECT_EQ(std::string(unit_word(16)), "");
}

TEST(Calendar, UnitWordsStandRightOfTheItemsWidth)
{
    at_fixed_time t;
    for (int pitch : {2, 3}) {
        led_pitch = (uint8_t)pitch;
        Digit_unit& u = field(5, CODE_YEAR, 4);
        u.width = 100;
        const int gaps[] = {5 * pitch, 1, 1, 3 * pitch, 1, 2 * pitch};
        for (int code = CODE_YEAR; code <= CODE_SECOND; code++) {
            int wx = 0, wy = 0;
            unit_word_position(u, code, wx, wy);
            EXPECT_EQ(wx, 400 + gaps[code - CODE_YEAR]) << code << " at pitch " << pitch;
            EXPECT_EQ(wy, 198);
        }
    }
}

TEST(Calendar, TheWordFollowsTheNumberOnceDrawn)
{
    at_fixed_time t;
    Digit_unit& u = field(8, CODE_HOUR, 2);
    u.font_px = 16;
    // Measured before it is drawn: from the first frame on, the word stands
    // 3 dots right of the number's width.
    measure_variable(u, false);
    EXPECT_EQ(u.width, (4 + 1 + 1) * 2 * 2);
    EXPECT_EQ(u.height, 16);
    recording r;
    draw_digit_item(u);
    dot_set expected = number_dots(u, 9);
    dot_set word = word_dots(unit_word(CODE_HOUR), 16, 2, 300 + 24 + 6, 198);
    ASSERT_FALSE(word.empty()) << "the built 16-dot font is missing";
    for (const auto& p : word) expected.insert(p);
    EXPECT_EQ(lit_positions(r.rec), expected);
    for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_TRUE(same_colour(e, 1, 1, 0));
}

TEST(Calendar, WeekdayAndWindShowWordsInsteadOfDigits)
{
    at_fixed_time t;
    Digit_unit& u = field(9, CODE_WEEKDAY, 2);
    u.font_px = 16;
    recording r;
    measure_variable(u, false);
    draw_digit_item(u);
    EXPECT_EQ(u.width, 96);    // three double-byte characters: 6 x font_px
    EXPECT_EQ(u.height, 32);
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("星期日").c_str(), 16, 2, 300, 200));

    // Another day, another name; the selected form keeps the extent.
    set_clock_source(fixed_wednesday);
    u.width = 5; u.height = 7;
    r.rec.reset();
    measure_variable(u, true);
    draw_variable_item(u, true);
    EXPECT_EQ(u.width, 5);
    EXPECT_EQ(u.height, 7);
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("星期三").c_str(), 16, 2, 300, 200));

    Digit_unit& w = field(20, CODE_WIND, 4);
    w.font_px = 12;
    r.rec.reset();
    measure_variable(w, false);
    draw_digit_item(w);
    EXPECT_EQ(w.width, 72);
    EXPECT_EQ(w.height, 24);
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("正北风").c_str(), 12, 2, 300, 200));
}
