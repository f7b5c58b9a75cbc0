// Digit_unit renderers: variable items, captions, description lines and button rows.
#include "dot_helpers.h"
#include "items/digit_item.h"
#include "items/digits.h"
#include "items/graphic_items.h"
#include "items/table_item.h"
#include "items/kinds.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include <algorithm>
#include <set>
#include <utility>


namespace {

// A clean record of the given kind and component code, outside the panel.
Digit_unit& item(int index, uint8_t kind, int code)
{
    Digit_unit& u = digit_table[index];
    u = Digit_unit();
    u.visible = 1;
    u.kind = kind;
    u.reg_addr = code;
    u.x = 100;
    u.y = 300;
    return u;
}

struct setup {
    setup()
    {
        need_screen_fonts();
        fill_glyph_table();
        set_panel(256, 64, 2);
    }
    ~setup() { set_panel(256, 64, 2); }
};

std::vector<gfx_event> texts(const gfx_recorder& rec) { return rec.of_type(gfx_event::TEXT); }

const gfx_event* text_event(const gfx_recorder& rec, const std::u16string& s)
{
    static gfx_event found;
    for (const gfx_event& e : texts(rec))
        if (e.text == s) { found = e; return &found; }
    return nullptr;
}

// Buttons drawn: each look fills its rectangle with one untextured quad.
size_t quads(const gfx_recorder& rec) { return rec.count(gfx_event::QUAD); }

std::u16string caption_of(int code)
{
    char out[160];
    bool shifted = false;
    variable_caption(code, out, sizeof out, shifted);
    return to_wide(out);
}

std::u16string description_of(const Digit_unit& u)
{
    char out[160];
    description_line(u, out, sizeof out);
    return to_wide(out);
}

} // namespace

TEST(DigitItem, RegisterVariablesShowTheirCaptionAndFourteenButtons)
{
    setup s;
    Digit_unit& u = item(210, KIND_VARIABLE, 41);
    recording r;
    measure_items(210, NO_ITEM);
    draw_digit_item_selected(u);
    EXPECT_EQ(u.button_count, 14);
    EXPECT_EQ(quads(r.rec), 14u);   // outside the panel: no nudge buttons
    const gfx_event* cap = text_event(r.rec, u"寄存器:4x40001");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 92);
    EXPECT_EQ(cap->y[0], 300);
    EXPECT_TRUE(same_colour(*cap, 1, 1, 1));
    EXPECT_NE(text_event(r.rec, u"小数-"), nullptr);

    u.reg_addr = 40;
    r.rec.reset();
    measure_items(210, NO_ITEM);
    draw_digit_item_selected(u);
    EXPECT_EQ(u.button_count, 12);
    EXPECT_EQ(quads(r.rec), 12u);
    EXPECT_EQ(text_event(r.rec, u"小数+"), nullptr);
    for (const gfx_event& e : texts(r.rec)) EXPECT_EQ(e.text.find(u"寄存器"), std::u16string::npos);

    u.reg_addr = 190;
    EXPECT_EQ(caption_of(190), u"寄存器:4x40150");
}

TEST(DigitItem, CaptionsOfTheComponentCodes)
{
    setup s;
    EXPECT_EQ(caption_of(0), u"计数 1");
    EXPECT_EQ(caption_of(4), u"计数 5");
    EXPECT_EQ(caption_of(5), u"阳历 年");
    EXPECT_EQ(caption_of(7), u"阳历 日");
    EXPECT_EQ(caption_of(8), u"时");
    EXPECT_EQ(caption_of(10), u"秒");
    EXPECT_EQ(caption_of(11), u"温度");
    EXPECT_EQ(caption_of(13), u"湿度");
    EXPECT_EQ(caption_of(16), u"星期");
    EXPECT_EQ(caption_of(17), u"农历 年");
    EXPECT_EQ(caption_of(19), u"农历 日");
    EXPECT_EQ(caption_of(20), u"风向寄存器:4x40021");
    EXPECT_EQ(caption_of(22), u"安全生产计数器:0");
    EXPECT_EQ(caption_of(39), u"安全生产计数器:17");
    for (int none : {12, 14, 15, 21, 40, -1, -100000}) EXPECT_EQ(caption_of(none), u"") << none;

    // Fixed captions stand at the item's corner, formatted ones 8 pixels left.
    Digit_unit& u = item(11, KIND_VARIABLE, 11);
    recording r;
    draw_digit_item_selected(u);
    const gfx_event* cap = text_event(r.rec, u"温度");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 100);
    u.reg_addr = 22;
    r.rec.reset();
    draw_digit_item_selected(u);
    cap = text_event(r.rec, u"安全生产计数器:0");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 92);
}

TEST(DigitItem, DescriptionLinesNameTheValueType)
{
    setup s;
    Digit_unit& u = item(212, KIND_VARIABLE, 45);
    u.size = 5; u.color = 3; u.thickness = 2; u.digits = 4;
    const char16_t* names[DATA_TYPES] = {u"无符号16位整数", u"浮点数CDAB", u"有符号整数", u"浮点数ABCD",
                                         u"浮点数DCBA", u"无符号32位整数", u"负32位整数", u"浮点数BADC",
                                         u"位数零值显示"};
    for (int t = 0; t < DATA_TYPES; t++) {
        u.data_type = t;
        EXPECT_EQ(description_of(u), u"大小=5,颜色=3，粗细=2,位数=4,类型=" + std::u16string(names[t]));
    }
    u.data_type = 9;
    EXPECT_EQ(description_of(u), u"大小=5,颜色=3，粗细=2,位数=4,类型=9");
    u.data_type = -7;
    EXPECT_EQ(description_of(u), u"大小=5,颜色=3，粗细=2,位数=4,类型=-7");
    u.reg_addr = 16;
    EXPECT_EQ(description_of(u), u"大小=5,颜色=3");

    Digit_unit& f = item(360, KIND_RECT, 7);
    f.width = 60; f.height = 30; f.color = 2;
    EXPECT_EQ(description_of(f), u"宽度=30,高度=15，颜色=2");
    led_pitch = 3;
    EXPECT_EQ(description_of(f), u"宽度=20,高度=10，颜色=2");
    led_pitch = 0;   // never divides by zero
    EXPECT_EQ(description_of(f), u"宽度=60,高度=30，颜色=2");
    led_pitch = 2;

    // Drawn in white at (anchor_x + 50, anchor_y + 20) with the 36 face.
    u.reg_addr = 45; u.data_type = 0;
    recording r;
    draw_digit_item_selected(u);
    const gfx_event* line = text_event(r.rec, u"大小=5,颜色=3，粗细=2,位数=4,类型=无符号16位整数");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->x[0], 550);
    EXPECT_EQ(line->y[0], 120);
    EXPECT_EQ(line->size, 36);
    EXPECT_TRUE(same_colour(*line, 1, 1, 1));
}

TEST(DigitItem, DotPositionAndNudgeButtonsOnlyInsideThePanel)
{
    setup s;
    Digit_unit& u = item(213, KIND_VARIABLE, 50);
    u.x = 271; u.y = 151;
    recording r;
    draw_digit_item_selected(u);
    const gfx_event* pos = text_event(r.rec, u"x=3,y=3");
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->x[0], 420);
    EXPECT_EQ(pos->y[0], 120);
    EXPECT_EQ(quads(r.rec), 14u + 4u);
    EXPECT_NE(text_event(r.rec, u"Y-"), nullptr);

    // On the panel's edge or past its far side: not inside.
    for (int x : {265, 265 + 2 * 256}) {
        u.x = x;
        r.rec.reset();
        draw_digit_item_selected(u);
        EXPECT_EQ(quads(r.rec), 14u) << x;
        EXPECT_EQ(text_event(r.rec, u"X+"), nullptr);
    }
}

TEST(DigitItem, GroupSelectionShowsCaptionAndButtonsButNoDescription)
{
    setup s;
    Digit_unit& u = item(214, KIND_VARIABLE, 41);
    u.x = 271; u.y = 151;
    u.group_selected = 1;
    recording r;
    draw_digit_item_selected(u);
    EXPECT_NE(text_event(r.rec, u"寄存器:4x40001"), nullptr);
    EXPECT_EQ(quads(r.rec), 14u);
    for (const gfx_event& e : texts(r.rec)) {
        EXPECT_EQ(e.text.find(u"大小="), std::u16string::npos);
        EXPECT_EQ(e.text.find(u"x="), std::u16string::npos);
    }
}

TEST(DigitItem, ButtonRowsFollowTheKindAndTheCode)
{
    setup s;
    struct row { uint8_t kind; int code; size_t buttons; };
    const row rows[] = {
        {KIND_VARIABLE, 16, 4}, {KIND_VARIABLE, 20, 4}, {KIND_VARIABLE, 0, 12},
        {KIND_BLOCK, 0, 4}, {KIND_LINE, 0, 4}, {KIND_CIRCLE, 512, 4}, {KIND_COLON, 0, 4},
        {KIND_VLINE, 0, 4}, {7, 0, 4}, {KIND_RECT, 3, 12}, {KIND_TABLE, 0, 12},
        {KIND_FILLED_RECT, 3, 12}, {KIND_FILLED_CIRCLE, 512, 14}, {KIND_VALVE, 2, 12},
        {KIND_RECT, 16, 4}, {KIND_VALVE, 20, 4}, {12, 0, 4}};
    for (const row& w : rows) {
        Digit_unit& u = item(215, w.kind, w.code);
        u.x = 80;   // outside the panel: property buttons only
        u.height = 10; u.width = 10;
        recording r;
        draw_digit_item_selected(u);
        EXPECT_EQ(quads(r.rec), w.buttons) << "kind " << (int)w.kind << " code " << w.code;
    }
}

TEST(DigitItem, FiguresShowTheirOwnButtonLabels)
{
    setup s;
    auto labels = [](Digit_unit& u) {
        recording r;
        draw_digit_item_selected(u);
        std::vector<std::u16string> out;
        for (const gfx_event& e : texts(r.rec)) out.push_back(e.text);
        return out;
    };
    auto has = [](const std::vector<std::u16string>& v, const std::u16string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    Digit_unit& rect = item(354, KIND_RECT, 1);
    rect.x = 80;
    auto l = labels(rect);
    for (auto s16 : {u"大小+", u"颜色-", u"宽度+", u"宽度-", u"高度+", u"高度-", u"类型+", u"地址-"})
        EXPECT_TRUE(has(l, s16));
    EXPECT_FALSE(has(l, u"粗细+"));
    EXPECT_FALSE(has(l, u"位数-"));
    // The record's own labels are left as they were.
    EXPECT_EQ(to_wide(rect.prop_buttons[4].label), u"粗细+");

    Digit_unit& table = item(421, KIND_TABLE, 0);
    table.x = 80;
    l = labels(table);
    for (auto s16 : {u"行数+", u"行数-", u"列数+", u"列数-", u"宽度+", u"宽度-", u"高度+", u"高度-"})
        EXPECT_TRUE(has(l, s16));
    EXPECT_FALSE(has(l, u"类型+"));

    Digit_unit& valve = item(382, KIND_VALVE, 2);
    valve.x = 80;
    l = labels(valve);
    EXPECT_TRUE(has(l, u"阀门+"));
    EXPECT_TRUE(has(l, u"阀门-"));
    EXPECT_TRUE(has(l, u"位数+"));
}

TEST(DigitItem, PressedAndHoveredPropertyButtons)
{
    setup s;
    Digit_unit& u = item(216, KIND_VARIABLE, 0);
    u.prop_hover = 3;
    u.prop_pressed = 5;
    u.prop_down = 1;
    recording r;
    draw_digit_item_selected(u);
    auto q = r.rec.of_type(gfx_event::QUAD);
    ASSERT_EQ(q.size(), 13u);   // twelve buttons and the highlighted one again
    int dark = 0, mid = 0;
    for (const gfx_event& e : q) {
        if (same_colour(e, 0.2f, 0.2f, 0.2f)) dark++;
        if (same_colour(e, 0.5f, 0.5f, 0.5f)) mid++;
    }
    EXPECT_EQ(dark, 1);
    EXPECT_EQ(mid, 1);
    // The pressed look only while the button is held.
    u.prop_down = 0;
    r.rec.reset();
    draw_digit_item_selected(u);
    dark = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::QUAD))
        if (same_colour(e, 0.2f, 0.2f, 0.2f)) dark++;
    EXPECT_EQ(dark, 0);
}

TEST(DigitItem, VariablesShowTheSampleCutToTheirDigitCount)
{
    setup s;
    Digit_unit& u = item(217, KIND_VARIABLE, 45);
    u.x = 300; u.y = 200; u.size = 4; u.color = 1;
    for (int n : {1, 3, 6}) {
        u.digits = n;
        recording r;
        measure_variable(u, false);
        draw_digit_item(u);
        EXPECT_EQ(read_cells(lit_positions(r.rec), 300, 200, n, 4, 2), std::string((size_t)n, '8'));
        EXPECT_EQ(u.width, (4 + 1 + 1) * n * 2);
        EXPECT_EQ(u.height, 16);
        for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_TRUE(same_colour(e, 0, 1, 0));
    }
    u.digits = 0;
    recording r;
    measure_variable(u, false);
    draw_digit_item(u);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);
    EXPECT_EQ(u.width, 0);

    // The lunar fields and counters have no source: the sample too.
    for (int code : {0, 11, 17, 18, 19, 22}) {
        u.reg_addr = code;
        u.digits = 4;
        r.rec.reset();
        draw_digit_item(u);
        EXPECT_EQ(read_cells(lit_positions(r.rec), 300, 200, 4, 4, 2), "8888") << code;
    }
}

TEST(DigitItem, SignedTypesGetAMinusCell)
{
    setup s;
    Digit_unit& u = item(218, KIND_VARIABLE, 45);
    u.x = 300; u.y = 200; u.digits = 2;
    for (int t = 0; t < DATA_TYPES; t++) {
        u.data_type = t;
        recording r;
        draw_digit_item(u);
        bool left = false;
        for (const auto& p : lit_positions(r.rec)) left = left || p.first < 300;
        EXPECT_EQ(left, t == 2 || t == 6) << "type " << t;
        if (t == 2 || t == 6) {
            EXPECT_EQ(read_cells(lit_positions(r.rec), 284, 200, 1, 4, 2), "-");
        }
    }
}

TEST(DigitItem, HostileFieldsDrawWithoutFaults)
{
    setup s;
    Digit_unit& u = item(219, KIND_VARIABLE, INT32_MIN);
    u.x = INT32_MAX - 5; u.y = INT32_MIN + 5;
    u.size = INT32_MAX; u.digits = INT32_MAX; u.thickness = -1; u.decimals = 255;
    u.data_type = INT32_MIN; u.font_px = INT32_MAX; u.anchor_x = INT32_MAX; u.anchor_y = INT32_MIN;
    u.prop_hover = INT32_MIN; u.nudge_pressed = 3;
    recording r;
    measure_variable(u, false);
    draw_digit_item(u);
    EXPECT_EQ(u.width, INT32_MAX);
    draw_digit_item_selected(u);
    u.kind = KIND_TABLE;
    u.cols = 255; u.rows = 255;
    for (int i = 0; i < TABLE_MAX; i++) { u.col_width[i] = INT32_MAX; u.row_height[i] = INT32_MIN; }
    u.sel_col = 49; u.sel_row = 49; u.span_col = 0; u.span_row = 0;
    for (merge_record& m : u.merges) { m.flag = 1; m.x0 = INT32_MIN; m.y0 = INT32_MAX; }
    measure_table(u, true);
    draw_digit_item_selected(u);
    EXPECT_EQ(u.width, INT32_MAX);
    EXPECT_EQ(u.height, INT32_MIN);
    u.cols = 2; u.rows = 2;
    for (uint8_t k = 0; k < 20; k++) {
        u.kind = k;
        u.width = INT32_MAX; u.height = 40;
        draw_digit_item(u);
        draw_digit_item_selected(u);
    }
    SUCCEED();
}
