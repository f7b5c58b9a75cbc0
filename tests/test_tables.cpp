// Record defaults and the fixed tables.
#include "model/tables.h"
#include "platform/gbk.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(Tables, FreshRecordsCarryTheirDefaults)
{
    string_draw s;
    EXPECT_STREQ(s.text, "Txt");
    EXPECT_EQ(s.font_size, 12);
    EXPECT_EQ(s.reg_addr, 0);
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.owner, 0xA5A5);
    EXPECT_EQ(s.text_len, 3);
    EXPECT_EQ(s.aux2, 18);
    EXPECT_EQ(s.prop_hover, NO_BUTTON);

    Digit_unit d;
    EXPECT_EQ(d.kind, KIND_VARIABLE);
    EXPECT_EQ(d.font_px, 12);
    EXPECT_EQ(d.size_preset, 1);
    EXPECT_EQ(d.size, 4);
    EXPECT_EQ(d.color, 0);
    EXPECT_EQ(d.thickness, 1);
    EXPECT_EQ(d.digits, 2);
    EXPECT_EQ(d.valve, 128);
    EXPECT_EQ(d.sel_col, NO_BUTTON);
    EXPECT_EQ(d.bitmap, nullptr);
    for (const merge_record& m : d.merges) EXPECT_EQ(m.flag, 0);

    menu_unit m;
    EXPECT_EQ(m.y, 64);
    EXPECT_EQ(m.w, 6);
    EXPECT_EQ(m.label_size, 36);
    EXPECT_FLOAT_EQ(m.fill_r, 0.2f);

    led_unit u;
    EXPECT_EQ(u.y, 64);
    EXPECT_EQ(u.w, 64);
    EXPECT_EQ(u.h, 32);
}

TEST(Tables, PropertyButtonsArePlacedFromTheAnchor)
{
    string_draw s;
    // Pair k: "+" at (a + 50 + 58k, b - 45), "-" at (a + 50 + 58k, b - 5), a = 500, b = 100.
    EXPECT_EQ(s.prop_buttons[0].x, 550);
    EXPECT_EQ(s.prop_buttons[0].y, 55);
    EXPECT_EQ(s.prop_buttons[1].y, 95);
    EXPECT_EQ(s.prop_buttons[15].x, 956);
    EXPECT_EQ(s.prop_buttons[3].label_size, 30);
    EXPECT_EQ(s.prop_buttons[2].label_size, 36);
    EXPECT_EQ(gbk_to_utf8(s.prop_buttons[14].label), "方向+");
    EXPECT_EQ(s.nudge_buttons[0].x, 420);
    EXPECT_EQ(s.nudge_buttons[3].x, 470);
    EXPECT_EQ(s.nudge_buttons[3].y, 95);
    EXPECT_EQ(s.nudge_buttons[0].w, 24);

    Digit_unit d;
    EXPECT_EQ(gbk_to_utf8(d.prop_buttons[12].label), "小数+");
    EXPECT_EQ(d.prop_buttons[12].x, 898);
    EXPECT_FLOAT_EQ(d.prop_buttons[10].fill_b, 0.45f);
    EXPECT_EQ(d.prop_buttons[7].w, 28);
    EXPECT_EQ(d.prop_buttons[7].h, 15);
}

TEST(Tables, CopyFieldIsBoundedAndTerminated)
{
    char buf[4];
    copy_field(buf, sizeof buf, "abcdef");
    EXPECT_STREQ(buf, "abc");
    copy_field(buf, sizeof buf, nullptr);
    EXPECT_STREQ(buf, "");
}
