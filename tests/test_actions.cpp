// Property and nudge buttons of texts and Digit_unit records: steps and bounds.
#include "edit/actions.h"
#include "model/default_layout.h"
#include "model/settings.h"
#include "model/tables.h"
#include <gtest/gtest.h>

namespace {

// Fresh records and the start zoom for every test.
class Actions : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_item_tables();
        saved_pitch = led_pitch;
        led_pitch = 2;
    }
    void TearDown() override
    {
        led_pitch = saved_pitch;
        reset_item_tables();
    }
    string_draw& text() { return string_table[5]; }
    Digit_unit& unit(uint8_t kind)
    {
        Digit_unit& d = digit_table[210];
        d.kind = kind;
        return d;
    }
    // Press text button k n times.
    void text_press(string_draw& s, int k, int n)
    {
        for (int i = 0; i < n; i++) text_prop_action(s, k);
    }
    void unit_press(Digit_unit& d, int k, int n)
    {
        for (int i = 0; i < n; i++) unit_prop_action(d, k);
    }
    uint8_t saved_pitch = 2;
};

// Text button positions.
enum { FONT_UP, FONT_DOWN, COLOUR_UP, COLOUR_DOWN, MODE_UP, MODE_DOWN, REG_UP, REG_DOWN,
       WIDTH_UP, WIDTH_DOWN, HEIGHT_UP, HEIGHT_DOWN, SPEED_UP, SPEED_DOWN, DIR_UP, DIR_DOWN };
// Unit button positions.
enum { SIZE_UP, SIZE_DOWN, U_COLOUR_UP, U_COLOUR_DOWN, THICK_UP, THICK_DOWN, DIGITS_UP,
       DIGITS_DOWN, TYPE_UP, TYPE_DOWN, U_REG_UP, U_REG_DOWN, DEC_UP, DEC_DOWN };

} // namespace

TEST_F(Actions, FontLadderClimbsToStepSeventeenAndStopsThere)
{
    string_draw& s = text();
    ASSERT_EQ(s.font_step, 1);
    text_press(s, FONT_UP, 20);
    EXPECT_EQ(s.font_step, 17);
    EXPECT_EQ(s.font_size, 64);
    EXPECT_EQ(s.box_height, 128);
    text_press(s, FONT_DOWN, 1);
    EXPECT_EQ(s.font_step, 16);
    EXPECT_EQ(s.font_size, 64);
    EXPECT_EQ(s.box_height, 128);
}

TEST_F(Actions, FontLadderGivesEachStepItsSizeAndTwiceItAsBoxHeight)
{
    const int sizes[17] = {0, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 48, 64};
    string_draw& s = text();
    s.font_step = 0;
    for (int step = 1; step <= 16; step++) {
        text_prop_action(s, FONT_UP);
        ASSERT_EQ(s.font_step, step);
        EXPECT_EQ(s.font_size, sizes[step]) << "step " << step;
        EXPECT_EQ(s.box_height, 2 * sizes[step]) << "step " << step;
    }
    // The box height is in pixels whatever the zoom.
    led_pitch = 4;
    text_press(s, FONT_DOWN, 3);
    EXPECT_EQ(s.font_size, 24);
    EXPECT_EQ(s.box_height, 48);
}

TEST_F(Actions, FontDownFromStepOneGoesToZeroAndKeepsTheSize)
{
    string_draw& s = text();
    s.box_height = 30;   // whatever the box was
    text_press(s, FONT_DOWN, 3);
    EXPECT_EQ(s.font_step, 0);
    EXPECT_EQ(s.font_size, 12);
    EXPECT_EQ(s.box_height, 30);
    // A step that arrived out of range is brought back to the ladder's end.
    s.font_step = 200;
    text_prop_action(s, FONT_UP);
    EXPECT_EQ(s.font_step, 17);
}

TEST_F(Actions, TextRegisterWrapsUpwardAndStopsAtZeroDownward)
{
    string_draw& s = text();
    s.reg_addr = 254;
    text_press(s, REG_UP, 1);
    EXPECT_EQ(s.reg_addr, 255);
    text_press(s, REG_UP, 1);
    EXPECT_EQ(s.reg_addr, 0);
    text_press(s, REG_DOWN, 2);
    EXPECT_EQ(s.reg_addr, 0);
}

TEST_F(Actions, TextColourModeAndDirectionStayInTheirRanges)
{
    string_draw& s = text();
    text_press(s, COLOUR_UP, 10);
    EXPECT_EQ(s.color, 6);
    text_press(s, COLOUR_DOWN, 10);
    EXPECT_EQ(s.color, 0);
    s.color = 40;   // from elsewhere: one press brings it back into the colour table
    text_press(s, COLOUR_DOWN, 1);
    EXPECT_EQ(s.color, 6);

    text_press(s, MODE_UP, 5);
    EXPECT_EQ(s.mode, 3);
    text_press(s, MODE_DOWN, 5);
    EXPECT_EQ(s.mode, 0);

    text_press(s, DIR_UP, 9);
    EXPECT_EQ(s.direction, 6);
    text_press(s, DIR_DOWN, 1);
    EXPECT_EQ(s.direction, 5);
    text_press(s, DIR_DOWN, 9);
    EXPECT_EQ(s.direction, 0);
}

TEST_F(Actions, TextBoxStepsByWholeDotsAndSpeedByOne)
{
    string_draw& s = text();
    s.box_width = 1;
    s.box_height = 1;
    s.speed = 0;
    text_press(s, WIDTH_DOWN, 2);   // never below one dot
    text_press(s, HEIGHT_UP, 3);    // half a dot rounds up to one, then one dot a press
    text_press(s, SPEED_UP, 40);
    text_press(s, SPEED_DOWN, 1);
    EXPECT_EQ(s.box_width, 1);
    EXPECT_STREQ(text_prop_action(s, WIDTH_DOWN), "宽度已最小");
    EXPECT_EQ(s.box_height, 8);
    EXPECT_EQ(s.speed, 39);
    text_press(s, WIDTH_UP, 5);
    text_press(s, HEIGHT_DOWN, 1);
    EXPECT_EQ(s.box_width, 12);
    EXPECT_EQ(s.box_height, 6);
    led_pitch = 3;
    text_press(s, WIDTH_UP, 1);
    EXPECT_EQ(s.box_width, 15);
}

TEST_F(Actions, NudgesMoveByOneDotOfTheCurrentZoom)
{
    string_draw& s = text();
    Digit_unit& d = unit(KIND_LINE);
    s.x = s.y = d.x = d.y = 300;
    led_pitch = 3;
    for (int k = 0; k < 4; k++) {
        text_nudge_action(s, k);
        unit_nudge_action(d, k);
    }
    EXPECT_EQ(s.x, 300);
    EXPECT_EQ(s.y, 300);
    text_nudge_action(s, 0);
    text_nudge_action(s, 3);
    unit_nudge_action(d, 1);
    unit_nudge_action(d, 2);
    EXPECT_EQ(s.x, 303);
    EXPECT_EQ(s.y, 297);
    EXPECT_EQ(d.x, 297);
    EXPECT_EQ(d.y, 303);
    text_nudge_action(s, 4);   // no such button
    EXPECT_EQ(s.x, 303);
}

TEST_F(Actions, SizeButtonsOfPlainItemsChangeSizeHeightAndWidth)
{
    Digit_unit& d = unit(KIND_BLOCK);
    d.size = 59;
    d.width = 10;
    d.height = 10;
    unit_press(d, SIZE_UP, 4);
    EXPECT_EQ(d.size, 61);      // rises while at most 60
    EXPECT_EQ(d.height, 14);    // height and width follow every press
    EXPECT_EQ(d.width, 14);
    // A negative size never rises: the bound is tested unsigned.
    d.size = -1;
    unit_press(d, SIZE_UP, 1);
    EXPECT_EQ(d.size, -1);
}

TEST_F(Actions, SizeDownStopsWhereAnExtentWouldFallBelowOneDot)
{
    Digit_unit& d = unit(KIND_BLOCK);
    d.size = 3;
    d.height = 4;
    d.width = 8;
    unit_press(d, SIZE_DOWN, 2);
    EXPECT_EQ(d.size, 2);
    EXPECT_EQ(d.height, 2);
    EXPECT_EQ(d.width, 6);
    EXPECT_STREQ(unit_prop_action(d, SIZE_DOWN), "大小已最小");
}

TEST_F(Actions, UnitFieldsStayInTheirRanges)
{
    Digit_unit& d = unit(KIND_VARIABLE);
    d.reg_addr = 41;   // a register item: no size preset
    struct {
        int up, down;
        int32_t (*get)(const Digit_unit&);
        int min, max;
    } fields[] = {
        {U_COLOUR_UP, U_COLOUR_DOWN, [](const Digit_unit& u) { return (int32_t)u.color; }, 0, 6},
        // A stroke or a digit count of 0 would leave nothing to see or pick.
        {THICK_UP, THICK_DOWN, [](const Digit_unit& u) { return u.thickness; }, 1, 3},
        {DIGITS_UP, DIGITS_DOWN, [](const Digit_unit& u) { return u.digits; }, 1, 6},
        {TYPE_UP, TYPE_DOWN, [](const Digit_unit& u) { return u.data_type; }, 0, 8},
    };
    for (auto& f : fields) {
        unit_press(d, f.up, 12);
        EXPECT_EQ(f.get(d), f.max) << "button " << f.up;
        unit_press(d, f.down, 1);
        EXPECT_EQ(f.get(d), f.max - 1) << "button " << f.down;
        unit_press(d, f.down, 12);
        EXPECT_EQ(f.get(d), f.min) << "button " << f.down;
        EXPECT_NE(unit_prop_action(d, f.down), nullptr) << "a refused press says so";
    }
    // Each kind of variable keeps to its own address codes: registers from
    // 41 up, safe-production counters 22..39, counters 0..4; a clock or
    // calendar field has one code only.
    d.reg_addr = 42;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.reg_addr, 41);
    EXPECT_STREQ(unit_prop_action(d, U_REG_DOWN), "地址已最小");
    d.reg_addr = 38;
    unit_press(d, U_REG_UP, 3);
    EXPECT_EQ(d.reg_addr, 39);
    d.reg_addr = 23;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.reg_addr, 22);
    d.reg_addr = 3;
    unit_press(d, U_REG_UP, 3);
    EXPECT_EQ(d.reg_addr, 4);
    d.reg_addr = 5;
    EXPECT_STREQ(unit_prop_action(d, U_REG_UP), "此项的地址不可更改");
    EXPECT_EQ(d.reg_addr, 5);
    // The register has no upper bound, and stops at 0.
    d.reg_addr = 300;
    unit_press(d, U_REG_UP, 2);
    EXPECT_EQ(d.reg_addr, 302);
    d.reg_addr = 1;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.reg_addr, 0);
}

TEST_F(Actions, DecimalsStayBelowTheDigitCount)
{
    Digit_unit& d = unit(KIND_VARIABLE);
    d.reg_addr = 41;
    d.digits = 4;
    d.decimals = 0;
    unit_press(d, DEC_UP, 10);
    EXPECT_EQ(d.decimals, 3);
    unit_press(d, DEC_DOWN, 10);
    EXPECT_EQ(d.decimals, 0);
    // Without digits there is no room for decimals (no wrap past 255).
    d.digits = 0;
    unit_press(d, DEC_UP, 300);
    EXPECT_EQ(d.decimals, 0);
}

TEST_F(Actions, RectanglesTakeWidthAndHeightButtonsAtFourToSeven)
{
    for (uint8_t kind : {KIND_RECT, KIND_FILLED_RECT}) {
        digit_table[210] = Digit_unit();
        Digit_unit& d = unit(kind);
        d.width = 20;
        d.height = 10;
        d.thickness = 1;
        d.digits = 2;
        unit_press(d, 4, 3);
        unit_press(d, 5, 1);
        unit_press(d, 6, 2);
        unit_press(d, 7, 5);
        EXPECT_EQ(d.width, 24);   // one dot a press
        EXPECT_EQ(d.height, 4);   // and never below one dot
        EXPECT_EQ(d.thickness, 1);   // not the thickness or digit fields
        EXPECT_EQ(d.digits, 2);
        unit_press(d, U_COLOUR_UP, 1);   // other positions as other kinds
        EXPECT_EQ(d.color, 1);
        unit_press(d, SIZE_UP, 1);
        EXPECT_EQ(d.width, 26);
    }
}

TEST_F(Actions, ValveButtonsStepTheThresholdByFour)
{
    Digit_unit& d = unit(KIND_VALVE);
    d.valve = 128;
    d.thickness = 1;
    unit_press(d, 4, 3);
    unit_press(d, 5, 1);
    EXPECT_EQ(d.valve, 136);
    EXPECT_EQ(d.thickness, 1);
    d.digits = 2;
    unit_press(d, DIGITS_UP, 1);   // positions 6 and 7 as other kinds
    EXPECT_EQ(d.digits, 3);
}

TEST_F(Actions, CalendarPartsChangeOnlyTheirSizeAtZeroAndOne)
{
    Digit_unit& d = unit(KIND_VARIABLE);
    d.reg_addr = 5;
    d.size = 60;
    d.width = 50;
    d.height = 30;
    unit_press(d, SIZE_UP, 3);
    EXPECT_EQ(d.size, 61);
    unit_press(d, SIZE_DOWN, 2);
    EXPECT_EQ(d.size, 59);
    EXPECT_EQ(d.width, 50);
    EXPECT_EQ(d.height, 30);
    unit_press(d, THICK_UP, 1);   // the rest as other kinds
    EXPECT_EQ(d.thickness, 2);
}

TEST_F(Actions, TableSizeGrowsEveryCellOfTheTable)
{
    Digit_unit& d = unit(KIND_TABLE);
    d.cols = 3;
    d.rows = 2;
    for (int i = 0; i < TABLE_MAX; i++) d.col_width[i] = d.row_height[i] = 10;
    d.size = 20;
    unit_press(d, SIZE_UP, 2);
    EXPECT_EQ(d.size, 22);
    for (int c = 0; c < 3; c++) EXPECT_EQ(d.col_width[c], 14);   // one dot a press
    for (int r = 0; r < 2; r++) EXPECT_EQ(d.row_height[r], 14);
    EXPECT_EQ(d.col_width[3], 10);   // cells outside the table are left alone
    EXPECT_EQ(d.row_height[2], 10);
    unit_press(d, SIZE_DOWN, 1);
    EXPECT_EQ(d.size, 21);
    EXPECT_EQ(d.col_width[0], 12);
    EXPECT_EQ(d.width, 0);   // the table's own extent is the renderer's
}

TEST_F(Actions, TableRowsAndColumnsStayWithinOneToFifty)
{
    Digit_unit& d = unit(KIND_TABLE);
    d.cols = 4;
    d.rows = 3;
    for (int i = 0; i < TABLE_MAX - 1; i++) d.col_width[i] = d.row_height[i] = 20;
    unit_press(d, 4, 60);
    EXPECT_EQ(d.rows, 50);
    EXPECT_EQ(d.row_height[49], 20);   // the last row shows too
    unit_press(d, 5, 60);
    EXPECT_EQ(d.rows, 1);
    unit_press(d, 6, 60);
    EXPECT_EQ(d.cols, 50);
    unit_press(d, 7, 3);
    EXPECT_EQ(d.cols, 47);
    unit_press(d, 7, 60);
    EXPECT_EQ(d.cols, 1);
    // The size buttons never reach past the arrays.
    d.rows = 250;
    unit_press(d, SIZE_UP, 1);
    EXPECT_EQ(d.row_height[49], 22);
}

TEST_F(Actions, TableWidthAndHeightChangeOnlyTheSelectedCell)
{
    Digit_unit& d = unit(KIND_TABLE);
    d.cols = 4;
    d.rows = 3;
    for (int i = 0; i < TABLE_MAX; i++) d.col_width[i] = d.row_height[i] = 10;
    d.sel_col = 2;
    d.sel_row = 1;
    d.data_type = 3;
    d.reg_addr = 7;
    unit_press(d, 8, 3);
    unit_press(d, 9, 1);
    unit_press(d, 10, 1);
    unit_press(d, 11, 4);
    EXPECT_EQ(d.col_width[2], 14);   // one dot a press, never below one dot
    EXPECT_EQ(d.row_height[1], 4);
    for (int c : {0, 1, 3}) EXPECT_EQ(d.col_width[c], 10);
    for (int r : {0, 2}) EXPECT_EQ(d.row_height[r], 10);
    EXPECT_EQ(d.data_type, 3);   // not the type or register fields
    EXPECT_EQ(d.reg_addr, 7);

    // No cell selected, or a selection outside the table: nothing changes.
    for (uint8_t none : {(uint8_t)NO_BUTTON, (uint8_t)4, (uint8_t)60}) {
        d.sel_col = none;
        d.sel_row = none;
        unit_press(d, 8, 1);
        unit_press(d, 10, 1);
        for (int i = 0; i < TABLE_MAX; i++) {
            EXPECT_EQ(d.col_width[i], i == 2 ? 14 : 10);
            EXPECT_EQ(d.row_height[i], i == 1 ? 4 : 10);
        }
    }
}

TEST_F(Actions, SizePresetsOfWeekdayAndWindItems)
{
    for (int code : {16, 20}) {
        Digit_unit& d = unit(KIND_VARIABLE);
        d.reg_addr = code;
        d.size_preset = 1;
        unit_press(d, SIZE_UP, 1);
        EXPECT_EQ(d.size_preset, 2);
        EXPECT_EQ(d.font_px, 16);
        EXPECT_EQ(d.height, 32);
        EXPECT_EQ(d.width, 96);
        unit_press(d, SIZE_UP, 5);
        EXPECT_EQ(d.size_preset, 4);   // the buttons stop at 4
        EXPECT_EQ(d.font_px, 32);
        EXPECT_EQ(d.height, 64);
        EXPECT_EQ(d.width, 192);
        unit_press(d, SIZE_DOWN, 3);
        EXPECT_EQ(d.size_preset, 1);
        EXPECT_EQ(d.font_px, 12);
        EXPECT_EQ(d.height, 24);
        EXPECT_EQ(d.width, 72);
        // At 0 nothing is set.
        unit_press(d, SIZE_DOWN, 2);
        EXPECT_EQ(d.size_preset, 0);
        EXPECT_EQ(d.font_px, 12);
    }
}

TEST_F(Actions, SizePresetMappingSnapsBackAndCoversFiveAndSix)
{
    Digit_unit& d = unit(KIND_VARIABLE);
    d.reg_addr = 20;
    d.size_preset = 3;
    d.width = 5;   // changed by other means
    apply_size_preset(d);
    EXPECT_EQ(d.font_px, 24);
    EXPECT_EQ(d.height, 48);
    EXPECT_EQ(d.width, 128);
    d.size_preset = 5;
    apply_size_preset(d);
    EXPECT_EQ(d.width, 256);
    EXPECT_EQ(d.height, 96);
    d.size_preset = 6;
    apply_size_preset(d);
    EXPECT_EQ(d.font_px, 64);
    EXPECT_EQ(d.width, 384);
    d.size_preset = 7;   // no such preset
    apply_size_preset(d);
    EXPECT_EQ(d.width, 384);

    // Other codes keep their own sizes.
    Digit_unit& e = digit_table[211];
    e.kind = KIND_BLOCK;
    e.reg_addr = 17;
    e.size_preset = 2;
    e.width = 5;
    apply_size_preset(e);
    unit_press(e, SIZE_UP, 1);
    EXPECT_EQ(e.width, 8);   // 5 px is two and a half dots: three, then one more
    EXPECT_EQ(e.size_preset, 2);
}

TEST(TextActions, SwitchedScrollingTextsKeepARegisterTheScriptCarries)
{
    string_draw s;
    s.reg_addr = 120;
    s.mode = 2;
    text_prop_action(s, 4);   // "类型+": mode 3, switched scrolling
    EXPECT_EQ(s.mode, 3);
    EXPECT_EQ(s.reg_addr, 49);
    text_prop_action(s, 6);   // "地址+" wraps after 49
    EXPECT_EQ(s.reg_addr, 0);
    for (int i = 0; i < 49; i++) text_prop_action(s, 6);
    EXPECT_EQ(s.reg_addr, 49);
    text_prop_action(s, 5);   // back to mode 2: the full 8-bit range again
    for (int i = 0; i < 10; i++) text_prop_action(s, 6);
    EXPECT_EQ(s.reg_addr, 59);
}
