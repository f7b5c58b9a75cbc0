// Property and nudge buttons of texts and the other items: steps and bounds.
#include "edit/actions.h"
#include "items/buttons.h"
#include "items/kinds.h"
#include "model/kind_forms.h"
#include <gtest/gtest.h>

namespace {

// A fresh item of `kind`.
item make(item_kind kind)
{
    item it;
    it.kind = kind;
    return it;
}

// Press text button k n times.
void text_press(item& t, int k, int n)
{
    for (int i = 0; i < n; i++) text_prop_action(t, k);
}

// Press button k of any other item n times (a table's picked cell: col, row).
void unit_press(item& d, int k, int n, int col = NO_BUTTON, int row = NO_BUTTON)
{
    for (int i = 0; i < n; i++) unit_prop_action(d, k, col, row);
}

// Text button positions.
enum { FONT_UP, FONT_DOWN, COLOUR_UP, COLOUR_DOWN, MODE_UP, MODE_DOWN, REG_UP, REG_DOWN,
       WIDTH_UP, WIDTH_DOWN, HEIGHT_UP, HEIGHT_DOWN, SPEED_UP, SPEED_DOWN, DIR_UP, DIR_DOWN };
// Positions of the other items' buttons.
enum { SIZE_UP, SIZE_DOWN, U_COLOUR_UP, U_COLOUR_DOWN, THICK_UP, THICK_DOWN, DIGITS_UP,
       DIGITS_DOWN, TYPE_UP, TYPE_DOWN, U_REG_UP, U_REG_DOWN, DEC_UP, DEC_DOWN };

} // namespace

TEST(Actions, FontLadderGivesEachStepItsSizeAndStopsAtBothEnds)
{
    const int sizes[17] = {0, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 48, 64};
    item s = make(KIND_TEXT);
    ASSERT_EQ(s.font_step, 1);
    s.font_step = 0;
    for (int step = 1; step <= 16; step++) {
        EXPECT_TRUE(text_prop_action(s, FONT_UP)) << "step " << step;
        ASSERT_EQ(s.font_step, step);
        EXPECT_EQ(s.font_size, sizes[step]) << "step " << step;
        EXPECT_EQ(s.h, sizes[step]) << "the box is as high as the font, in dots";
    }
    // Past the top the size stays, and the status line says so.
    const outcome top = text_prop_action(s, FONT_UP);
    EXPECT_FALSE(top);
    EXPECT_EQ(top.why, "字号已最大");
    text_press(s, FONT_UP, 3);
    EXPECT_EQ(s.font_step, 17);
    EXPECT_EQ(s.font_size, 64);
    EXPECT_EQ(s.h, 64);
    text_press(s, FONT_DOWN, 1);
    EXPECT_EQ(s.font_step, 16);
    EXPECT_EQ(s.font_size, 64);
    text_press(s, FONT_DOWN, 3);
    EXPECT_EQ(s.font_size, 24);
    EXPECT_EQ(s.h, 24);

    // Down from step one goes to zero and keeps the size and the box.
    s = make(KIND_TEXT);
    s.h = 30;
    text_press(s, FONT_DOWN, 3);
    EXPECT_EQ(s.font_step, 0);
    EXPECT_EQ(s.font_size, 12);
    EXPECT_EQ(s.h, 30);
    EXPECT_EQ(text_prop_action(s, FONT_DOWN).why, "字号已最小");
    // A step that arrived out of range is brought back to the ladder's end.
    s.font_step = 200;
    text_prop_action(s, FONT_UP);
    EXPECT_EQ(s.font_step, 17);
}

TEST(Actions, TextRegisterColourModeAndDirectionStayInTheirRanges)
{
    item s = make(KIND_TEXT);
    s.code = 254;
    text_press(s, REG_UP, 1);
    EXPECT_EQ(s.code, 255);
    text_press(s, REG_UP, 1);
    EXPECT_EQ(s.code, 0);   // the register is 8-bit: it wraps upward
    text_press(s, REG_DOWN, 2);
    EXPECT_EQ(s.code, 0);   // and stops at zero downward

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

TEST(Actions, TextBoxStepsByOneDotAndSpeedByOne)
{
    item s = make(KIND_TEXT);
    s.w = 1;
    s.h = 1;
    s.speed = 0;
    text_press(s, WIDTH_DOWN, 2);   // never below one dot
    text_press(s, HEIGHT_UP, 3);
    text_press(s, SPEED_UP, 40);
    text_press(s, SPEED_DOWN, 1);
    EXPECT_EQ(s.w, 1);
    EXPECT_EQ(text_prop_action(s, WIDTH_DOWN).why, "宽度已最小");
    EXPECT_EQ(s.h, 4);
    EXPECT_EQ(s.speed, 39);
    text_press(s, WIDTH_UP, 5);
    text_press(s, HEIGHT_DOWN, 1);
    EXPECT_EQ(s.w, 6);
    EXPECT_EQ(s.h, 3);
}

TEST(Actions, NudgesMoveByOneDot)
{
    for (item_kind kind : {KIND_TEXT, KIND_LINE}) {
        item it = make(kind);
        it.x = it.y = 150;
        for (int k = 0; k < NUDGE_BUTTONS; k++) nudge_action(it, k);
        EXPECT_EQ(it.x, 150);
        EXPECT_EQ(it.y, 150);
        nudge_action(it, 0);   // "X+"
        nudge_action(it, 3);   // "Y-"
        EXPECT_EQ(it.x, 151);
        EXPECT_EQ(it.y, 149);
        nudge_action(it, 1);   // "X-"
        nudge_action(it, 1);
        nudge_action(it, 2);   // "Y+"
        EXPECT_EQ(it.x, 149);
        EXPECT_EQ(it.y, 150);
        nudge_action(it, NUDGE_BUTTONS);   // no such button
        EXPECT_EQ(it.x, 149);
    }
}

TEST(Actions, SizeButtonsOfFiguresStepBothExtentsAndStopAtOneDot)
{
    item d = make(KIND_BLOCK);
    d.w = d.h = 10;
    unit_press(d, SIZE_UP, 4);
    EXPECT_EQ(measure_item(d).w, 14);   // the block's side, one dot a press
    EXPECT_EQ(measure_item(d).h, 14);

    d.h = 2;
    d.w = 4;
    unit_press(d, SIZE_DOWN, 1);
    EXPECT_EQ(d.h, 1);
    EXPECT_EQ(d.w, 3);
    const outcome o = unit_prop_action(d, SIZE_DOWN, NO_BUTTON, NO_BUTTON);
    EXPECT_EQ(o.why, "大小已最小");
    EXPECT_EQ(d.h, 1);   // neither extent moves when one cannot
    EXPECT_EQ(d.w, 3);
}

TEST(Actions, VariableFieldsStayInTheirRanges)
{
    item d = make(KIND_VARIABLE);
    d.code = 41;   // a register item: no size preset
    struct {
        int up, down;
        int32_t (*get)(const item&);
        int min, max;
    } fields[] = {
        {U_COLOUR_UP, U_COLOUR_DOWN, [](const item& u) { return (int32_t)u.color; }, 0, 6},
        // A stroke or a digit count of 0 would leave nothing to see or pick.
        {THICK_UP, THICK_DOWN, [](const item& u) { return u.thickness; }, 1, 3},
        {DIGITS_UP, DIGITS_DOWN, [](const item& u) { return u.digits; }, 1, 6},
        {TYPE_UP, TYPE_DOWN, [](const item& u) { return u.data_type; }, 0, 8},
    };
    for (auto& f : fields) {
        unit_press(d, f.up, 12);
        EXPECT_EQ(f.get(d), f.max) << "button " << f.up;
        unit_press(d, f.down, 1);
        EXPECT_EQ(f.get(d), f.max - 1) << "button " << f.down;
        unit_press(d, f.down, 12);
        EXPECT_EQ(f.get(d), f.min) << "button " << f.down;
        EXPECT_FALSE(unit_prop_action(d, f.down, NO_BUTTON, NO_BUTTON).why.empty()) << "a refused press says so";
    }
    // Each kind of variable keeps to its own address codes: registers from
    // 41 up, safe-production counters 22..39, counters 0..4; a clock or
    // calendar field has one code only.
    d.code = 42;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.code, 41);
    EXPECT_EQ(unit_prop_action(d, U_REG_DOWN, NO_BUTTON, NO_BUTTON).why, "地址已最小");
    d.code = 38;
    unit_press(d, U_REG_UP, 3);
    EXPECT_EQ(d.code, 39);
    d.code = 23;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.code, 22);
    d.code = 3;
    unit_press(d, U_REG_UP, 3);
    EXPECT_EQ(d.code, 4);
    d.code = CODE_YEAR;
    EXPECT_EQ(unit_prop_action(d, U_REG_UP, NO_BUTTON, NO_BUTTON).why, "此项的地址不可更改");
    EXPECT_EQ(d.code, CODE_YEAR);
    // The register has no upper bound; the counters stop at 0.
    d.code = 300;
    unit_press(d, U_REG_UP, 2);
    EXPECT_EQ(d.code, 302);
    d.code = 1;
    unit_press(d, U_REG_DOWN, 3);
    EXPECT_EQ(d.code, 0);

    // Decimals stay below the digit count; without digits there is no room
    // for any (and no wrap past 255).
    d.code = 41;
    d.digits = 4;
    d.decimals = 0;
    unit_press(d, DEC_UP, 10);
    EXPECT_EQ(d.decimals, 3);
    unit_press(d, DEC_DOWN, 10);
    EXPECT_EQ(d.decimals, 0);
    d.digits = 0;
    unit_press(d, DEC_UP, 300);
    EXPECT_EQ(d.decimals, 0);
}

TEST(Actions, RectanglesAndValvesRelabelFourToSeven)
{
    for (item_kind kind : {KIND_RECT, KIND_FILLED_RECT}) {
        item d = make(kind);
        d.w = 10;
        d.h = 3;
        d.thickness = 1;
        d.digits = 2;
        unit_press(d, 4, 3);
        unit_press(d, 5, 1);
        unit_press(d, 6, 2);
        unit_press(d, 7, 8);
        EXPECT_EQ(d.w, 12);   // one dot a press
        EXPECT_EQ(d.h, 1);    // and never below one dot
        EXPECT_EQ(unit_prop_action(d, 7, NO_BUTTON, NO_BUTTON).why, "高度已最小");
        EXPECT_EQ(d.thickness, 1);   // not the thickness or digit fields
        EXPECT_EQ(d.digits, 2);
        unit_press(d, U_COLOUR_UP, 1);   // other positions as other kinds
        EXPECT_EQ(d.color, 1);
        unit_press(d, SIZE_UP, 1);
        EXPECT_EQ(d.w, 13);
    }

    // A valve's 4 and 5 step its threshold by four.
    item v = make(KIND_VALVE);
    v.valve = 128;
    v.thickness = 1;
    unit_press(v, 4, 3);
    unit_press(v, 5, 1);
    EXPECT_EQ(v.valve, 136);
    EXPECT_EQ(v.thickness, 1);
    v.digits = 2;
    unit_press(v, DIGITS_UP, 1);   // positions 6 and 7 as other kinds
    EXPECT_EQ(v.digits, 3);
}

TEST(Actions, DateAndTimePartsChangeOnlyTheirDigitSizeAtZeroAndOne)
{
    item d = make(KIND_VARIABLE);
    d.code = CODE_YEAR;
    d.size = 60;
    d.w = 50;
    d.h = 30;
    unit_press(d, SIZE_UP, 3);
    EXPECT_EQ(d.size, 61);
    EXPECT_EQ(unit_prop_action(d, SIZE_UP, NO_BUTTON, NO_BUTTON).why, "大小已最大");
    unit_press(d, SIZE_DOWN, 2);
    EXPECT_EQ(d.size, 59);
    EXPECT_EQ(d.w, 50);
    EXPECT_EQ(d.h, 30);
    unit_press(d, THICK_UP, 1);   // the rest as other kinds
    EXPECT_EQ(d.thickness, 2);
}

TEST(Actions, TableButtonsSizeCellsRowsAndColumns)
{
    item d = make(KIND_TABLE);
    d.grid.cols = 3;
    d.grid.rows = 2;
    for (int i = 0; i < TABLE_MAX; i++) d.grid.col_w[i] = d.grid.row_h[i] = 10;
    // "大小+" grows every cell of the table, one dot a press.
    unit_press(d, SIZE_UP, 2);
    for (int c = 0; c < 3; c++) EXPECT_EQ(d.grid.col_w[c], 12);
    for (int r = 0; r < 2; r++) EXPECT_EQ(d.grid.row_h[r], 12);
    EXPECT_EQ(d.grid.col_w[3], 10);   // cells outside the table are left alone
    EXPECT_EQ(d.grid.row_h[2], 10);
    unit_press(d, SIZE_DOWN, 1);
    EXPECT_EQ(d.grid.col_w[0], 11);
    EXPECT_EQ(measure_item(d).w, 33);
    EXPECT_EQ(measure_item(d).h, 22);

    // Rows and columns stay within 1..50.
    d.grid.cols = 4;
    d.grid.rows = 3;
    for (int i = 0; i < TABLE_MAX - 1; i++) d.grid.col_w[i] = d.grid.row_h[i] = 20;
    d.grid.row_h[TABLE_MAX - 1] = 0;
    unit_press(d, 4, 60);
    EXPECT_EQ(d.grid.rows, 50);
    EXPECT_EQ(d.grid.row_h[49], 20);   // the last row shows too
    EXPECT_EQ(unit_prop_action(d, 4, NO_BUTTON, NO_BUTTON).why, "行数已最大");
    unit_press(d, 5, 60);
    EXPECT_EQ(d.grid.rows, 1);
    unit_press(d, 6, 60);
    EXPECT_EQ(d.grid.cols, 50);
    unit_press(d, 7, 3);
    EXPECT_EQ(d.grid.cols, 47);
    unit_press(d, 7, 60);
    EXPECT_EQ(d.grid.cols, 1);
    // The size buttons never reach past the arrays.
    d.grid.rows = 250;
    unit_press(d, SIZE_UP, 1);
    EXPECT_EQ(d.grid.row_h[49], 21);
}

TEST(Actions, TableWidthAndHeightChangeOnlyThePickedCell)
{
    item d = make(KIND_TABLE);
    d.grid.cols = 4;
    d.grid.rows = 3;
    for (int i = 0; i < TABLE_MAX; i++) d.grid.col_w[i] = d.grid.row_h[i] = 10;
    d.grid.row_h[1] = 3;
    d.data_type = 3;
    d.code = 7;
    unit_press(d, 8, 3, 2, 1);
    unit_press(d, 9, 1, 2, 1);
    unit_press(d, 10, 1, 2, 1);
    unit_press(d, 11, 6, 2, 1);
    EXPECT_EQ(d.grid.col_w[2], 12);   // one dot a press, never below one dot
    EXPECT_EQ(d.grid.row_h[1], 1);
    EXPECT_EQ(unit_prop_action(d, 11, 2, 1).why, "高度已最小");
    for (int c : {0, 1, 3}) EXPECT_EQ(d.grid.col_w[c], 10);
    for (int r : {0, 2}) EXPECT_EQ(d.grid.row_h[r], 10);
    EXPECT_EQ(d.data_type, 3);   // not the type or register fields
    EXPECT_EQ(d.code, 7);

    // No cell picked, or a pick outside the table: nothing changes, and the user is told.
    for (int none : {NO_BUTTON, 4, 60, -1}) {
        EXPECT_EQ(unit_prop_action(d, 8, none, none).why, "请先选中一个单元格");
        unit_press(d, 10, 1, none, none);
        for (int i = 0; i < TABLE_MAX; i++) {
            EXPECT_EQ(d.grid.col_w[i], i == 2 ? 12 : 10);
            EXPECT_EQ(d.grid.row_h[i], i == 1 ? 1 : 10);
        }
    }
}

TEST(Actions, SizePresetsOfWeekdayAndWindItems)
{
    // Preset: font size, and the three-character word's box it gives.
    for (int code : {CODE_WEEKDAY, CODE_WIND}) {
        item d = make(KIND_VARIABLE);
        d.code = code;
        d.size_preset = 1;
        unit_press(d, SIZE_UP, 1);
        EXPECT_EQ(d.size_preset, 2);
        EXPECT_EQ(d.font_px, 16);
        EXPECT_EQ(measure_item(d).w, 48);
        EXPECT_EQ(measure_item(d).h, 16);
        unit_press(d, SIZE_UP, 5);
        EXPECT_EQ(d.size_preset, 4);   // the buttons stop at 4
        EXPECT_EQ(d.font_px, 32);
        EXPECT_EQ(measure_item(d).w, 96);
        EXPECT_EQ(measure_item(d).h, 32);
        unit_press(d, SIZE_DOWN, 3);
        EXPECT_EQ(d.size_preset, 1);
        EXPECT_EQ(d.font_px, 12);
        EXPECT_EQ(measure_item(d).w, 36);
        // At 0 nothing is set.
        unit_press(d, SIZE_DOWN, 2);
        EXPECT_EQ(d.size_preset, 0);
        EXPECT_EQ(d.font_px, 12);
    }

    // Presets 5 and 6 arrive from files; a font size changed by other means snaps back.
    item d = make(KIND_VARIABLE);
    d.code = CODE_WIND;
    const int fonts[] = {0, 12, 16, 24, 32, 48, 64};
    for (int preset = 1; preset <= 6; preset++) {
        d.size_preset = preset;
        d.font_px = 5;
        apply_size_preset(d);
        EXPECT_EQ(d.font_px, fonts[preset]) << "preset " << preset;
    }
    d.size_preset = 7;   // no such preset
    apply_size_preset(d);
    EXPECT_EQ(d.font_px, 64);

    // Other codes keep their own sizes.
    item e = make(KIND_VARIABLE);
    e.code = CODE_LUNAR_YEAR;
    e.size_preset = 2;
    e.font_px = 5;
    e.size = 4;
    apply_size_preset(e);
    unit_press(e, SIZE_UP, 1);
    EXPECT_EQ(e.font_px, 5);
    EXPECT_EQ(e.size_preset, 2);
    EXPECT_EQ(e.size, 5);
}

TEST(Actions, SwitchedScrollingTextsKeepARegisterTheScriptCarries)
{
    item s = make(KIND_TEXT);
    s.code = 120;
    s.mode = TEXT_STATIC_SWITCHED;
    text_prop_action(s, MODE_UP);   // "类型+": switched scrolling
    EXPECT_EQ(s.mode, TEXT_SCROLLING_SWITCHED);
    EXPECT_EQ(s.code, 49);
    text_prop_action(s, REG_UP);   // "地址+" wraps after 49
    EXPECT_EQ(s.code, 0);
    text_press(s, REG_UP, 49);
    EXPECT_EQ(s.code, 49);
    text_prop_action(s, MODE_DOWN);   // back to switched static: the full 8-bit range again
    text_press(s, REG_UP, 10);
    EXPECT_EQ(s.code, 59);
}
