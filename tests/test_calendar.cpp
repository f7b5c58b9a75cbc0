// Calendar, clock, weekday and wind fields at a fixed local time.
#include "app/workspace.h"
#include "dot_helpers.h"
#include "items/calendar.h"
#include "items/digit_item.h"
#include "items/digits.h"
#include "items/palette.h"
#include "raster/view.h"
#include <memory>
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/dot_text.h"

namespace {

// Sunday 9 June 2024, 09:05:07.
local_time fixed_sunday() { return {2024, 6, 9, 9, 5, 7, 0}; }
local_time fixed_wednesday() { return {1999, 12, 31, 23, 59, 58, 3}; }

struct at_fixed_time {
    at_fixed_time()
    {
        fill_glyph_table();
        canvas_use_pitch(2);
        doc_paths p;
        build_base_paths(p, LUMIKER_BUILD_DIR "/");   // the font files the build generated
        dot_font_use_files(p);
        dot_font_init();
    }
    ~at_fixed_time() { canvas_use_pitch(2); }
};

item field(int code, int digits)
{
    item u;
    u.kind = KIND_VARIABLE;
    u.code = code;
    u.digits = digits;
    u.color = 2;
    return u;
}

// Drawn at window pixel (300, 200) at `pitch`, showing the time `now`.
item_draw_ctx at(const local_time& now, int pitch = 2, bool selected = false)
{
    item_draw_ctx c;
    c.x = 300;
    c.y = 200;
    c.pitch = pitch;
    c.now = now;
    c.selected = selected;
    return c;
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

dot_set number_dots(const item& u, uint32_t value)
{
    return capture([&] {
        draw_number(u.color, 300, 200, value, (uint8_t)u.digits, (uint8_t)u.size, (uint8_t)u.thickness,
                    u.decimals, 0);
    });
}

// The digits a clock field shows at `now`.
std::string shown(const item& u, const local_time& now = fixed_sunday())
{
    return read_cells(capture([&] { draw_item(u, at(now)); }), 300, 200, u.digits, u.size, 2);
}

} // namespace

TEST(Calendar, ClockFieldsShowTheLocalTimeWithLeadingZeros)
{
    at_fixed_time t;
    EXPECT_EQ(shown(field(CODE_HOUR, 2)), "09");
    EXPECT_EQ(shown(field(CODE_MINUTE, 2)), "05");
    EXPECT_EQ(shown(field(CODE_SECOND, 2)), "07");
    EXPECT_EQ(shown(field(CODE_YEAR, 4)), "2024");
    EXPECT_EQ(shown(field(CODE_YEAR, 2)), "24");
    EXPECT_EQ(shown(field(CODE_MONTH, 2)), "06");
    EXPECT_EQ(shown(field(CODE_DAY, 2)), "09");

    EXPECT_EQ(shown(field(CODE_HOUR, 2), fixed_wednesday()), "23");
    EXPECT_EQ(shown(field(CODE_YEAR, 4), fixed_wednesday()), "1999");
    EXPECT_EQ(shown(field(CODE_MONTH, 3), fixed_wednesday()), "012");
}

TEST(Calendar, LunarFieldsAndTheirPaletteSamplesShowTheLunarDate)
{
    at_fixed_time t;
    // 2024-06-09 is lunar 2024-05-04; 1999-12-31 is lunar 1999-11-24.
    EXPECT_EQ(shown(field(CODE_LUNAR_YEAR, 4)), "2024");
    EXPECT_EQ(shown(field(CODE_LUNAR_MONTH, 2)), "05");
    EXPECT_EQ(shown(field(CODE_LUNAR_DAY, 6)), "000004");
    EXPECT_EQ(shown(field(CODE_LUNAR_DAY, 2), fixed_wednesday()), "24");
    // They count as clock fields: a frame paints them again when the date moves on.
    EXPECT_TRUE(shows_clock(field(CODE_LUNAR_MONTH, 2)));
    EXPECT_EQ(clock_value(field(CODE_LUNAR_MONTH, 2), fixed_wednesday()), 11);

    // The palette's samples show today's lunar date, not 8s.
    std::unique_ptr<document> d(new document());
    const dot_set palette = capture([&] { draw_palette(*d, UI_PITCH, fixed_sunday(), true); });
    const struct { int id; const char* reads; } samples[] = {
        {SAMPLE_LUNAR_YEAR, "2024"}, {SAMPLE_LUNAR_MONTH, "05"}, {SAMPLE_LUNAR_DAY, "04"}};
    for (const auto& s : samples) {
        const palette_sample& p = palette_sample_of(s.id);
        EXPECT_EQ(read_cells(palette, p.x, p.y, p.sample.digits, p.sample.size, UI_PITCH), s.reads) << s.id;
    }
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

    // The clock the fields show can be replaced by a fixed one, and given back.
    set_clock_source(fixed_wednesday);
    EXPECT_EQ(read_clock().year, 1999);
    EXPECT_EQ(read_clock().weekday, 3);
    set_clock_source(nullptr);
    EXPECT_EQ(read_clock().year, get_local_time().year);   // the computer's clock again

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
        const int gaps[] = {5 * pitch, 1, 1, 3 * pitch, 1, 2 * pitch};
        for (int code = CODE_YEAR; code <= CODE_SECOND; code++) {
            int wx = 0, wy = 0;
            unit_word_position(at(fixed_sunday(), pitch), code, 100, wx, wy);
            EXPECT_EQ(wx, 400 + gaps[code - CODE_YEAR]) << code << " at pitch " << pitch;
            EXPECT_EQ(wy, 198);
        }
    }
}

TEST(Calendar, TheWordFollowsTheNumber)
{
    at_fixed_time t;
    item u = field(CODE_HOUR, 2);
    u.font_px = 16;
    EXPECT_EQ(measure_item(u).w, (4 + 1 + 1) * 2);
    EXPECT_EQ(measure_item(u).h, 8);
    // The word stands 3 dots right of the number's width.
    recording r;
    draw_item(u, at(fixed_sunday()));
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
    item u = field(CODE_WEEKDAY, 2);
    u.font_px = 16;
    recording r;
    draw_item(u, at(fixed_sunday()));
    EXPECT_EQ(measure_item(u).w, 48);    // three double-byte characters: 3 x font_px
    EXPECT_EQ(measure_item(u).h, 16);
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("星期日").c_str(), 16, 2, 300, 200));

    // Another day, another name, in the selected look too.
    r.rec.reset();
    kind_of(u).draw(u, at(fixed_wednesday(), 2, true));
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("星期三").c_str(), 16, 2, 300, 200));

    item w = field(CODE_WIND, 4);
    w.font_px = 12;
    r.rec.reset();
    draw_item(w, at(fixed_sunday()));
    EXPECT_EQ(measure_item(w).w, 36);
    EXPECT_EQ(measure_item(w).h, 12);
    EXPECT_EQ(lit_positions(r.rec), word_dots(gbk_from_utf8("正北风").c_str(), 12, 2, 300, 200));
}
