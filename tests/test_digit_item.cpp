// Variables and the selected look of every item but texts: captions,
// description lines, positions and button rows.
#include "dot_helpers.h"
#include "items/digit_item.h"
#include "items/digits.h"
#include "items/kinds.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/view.h"
#include <algorithm>
#include <memory>

namespace {

// A panel of 256 x 64 dots seen at the designer's start, screen fonts and glyphs ready.
struct setup {
    std::unique_ptr<document> doc{new document()};
    view v;
    setup()
    {
        need_screen_fonts();
        fill_glyph_table();
        canvas_use_pitch(2);
        doc->settings.panel_w = 256;
        doc->settings.panel_h = 64;
    }

    // A clean item of a kind and code. Dot (-83, 77) stands off the panel, at window pixel (100, 300).
    static item make(item_kind kind, int code, int x = -83, int y = 77)
    {
        item u;
        u.kind = kind;
        u.code = code;
        u.x = x;
        u.y = y;
        return u;
    }

    item_draw_ctx ctx(const item& u, bool selected) const
    {
        item_draw_ctx c;
        c.doc = doc.get();
        c.x = view_x(v, u.x);
        c.y = view_y(v, u.y);
        c.pitch = view_pitch(v);
        c.selected = selected;
        return c;
    }
    // The controls' context. It carries the view's pitch: the controls stand
    // at fixed window places and at UI_PITCH whatever it is.
    item_draw_ctx controls(const item& u) const { return ctx(u, true); }
    // Draw as the frame draws the current item: the item, then its controls.
    void selected(const item& u) const
    {
        draw_item(u, ctx(u, true));
        draw_selection_controls(u, controls(u));
    }
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

std::u16string description_of(const item& u)
{
    char out[160];
    description_line(u, out, sizeof out);
    return to_wide(out);
}

} // namespace

TEST(DigitItem, RegisterVariablesShowTheirCaptionAndFourteenButtons)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 41);
    recording r;
    s.selected(u);
    EXPECT_EQ(shown_prop_buttons(u), 14);
    EXPECT_EQ(quads(r.rec), 14u);   // outside the panel: no nudge buttons
    const gfx_event* cap = text_event(r.rec, u"寄存器:4x40001");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 92);
    EXPECT_EQ(cap->y[0], 300);
    EXPECT_TRUE(same_colour(*cap, 1, 1, 1));
    EXPECT_NE(text_event(r.rec, u"小数-"), nullptr);

    u.code = 40;
    r.rec.reset();
    s.selected(u);
    EXPECT_EQ(shown_prop_buttons(u), 12);
    EXPECT_EQ(quads(r.rec), 12u);
    EXPECT_EQ(text_event(r.rec, u"小数+"), nullptr);
    for (const gfx_event& e : texts(r.rec)) EXPECT_EQ(e.text.find(u"寄存器"), std::u16string::npos);

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
    item u = setup::make(KIND_VARIABLE, 11);
    recording r;
    s.selected(u);
    const gfx_event* cap = text_event(r.rec, u"温度");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 100);
    u.code = 22;
    r.rec.reset();
    s.selected(u);
    cap = text_event(r.rec, u"安全生产计数器:0");
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->x[0], 92);
}

TEST(DigitItem, DescriptionLinesNameTheValueType)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 45);
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
    u.code = 16;
    EXPECT_EQ(description_of(u), u"大小=5,颜色=3");

    // A figure's size is told in dots, at every zoom.
    item f = setup::make(KIND_RECT, 7);
    f.w = 30; f.h = 15; f.color = 2;
    EXPECT_EQ(description_of(f), u"宽度=30,高度=15，颜色=2");
    // The line and the buttons stand where they do, and keep their size, at every zoom.
    std::vector<gfx_event> buttons_at_2;
    for (int pitch : {2, 1, 3, 8}) {
        recording r;
        s.v.pitch = pitch;
        s.selected(f);
        const gfx_event* at = text_event(r.rec, u"宽度=30,高度=15，颜色=2");
        ASSERT_NE(at, nullptr) << pitch;
        EXPECT_EQ(at->x[0], 550) << pitch;
        EXPECT_EQ(at->y[0], 120) << pitch;
        const std::vector<gfx_event> buttons = r.rec.of_type(gfx_event::QUAD);
        ASSERT_EQ(buttons.size(), 12u) << pitch;
        if (pitch == 2) buttons_at_2 = buttons;
        for (size_t k = 0; k < buttons.size(); k++)
            for (int c = 0; c < 4; c++) {
                EXPECT_EQ(buttons[k].x[c], buttons_at_2[k].x[c]) << pitch << " button " << k;
                EXPECT_EQ(buttons[k].y[c], buttons_at_2[k].y[c]) << pitch << " button " << k;
            }
    }
    s.v.pitch = 2;

    // Drawn in white at (anchor_x + 50, anchor_y + 20) with the 36 face.
    u.code = 45; u.data_type = 0;
    recording r;
    s.selected(u);
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
    item u = setup::make(KIND_VARIABLE, 50, 3, 3);
    recording r;
    s.selected(u);
    const gfx_event* pos = text_event(r.rec, u"x=3,y=3");
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->x[0], 420);
    EXPECT_EQ(pos->y[0], 120);
    EXPECT_EQ(quads(r.rec), 14u + 4u);
    EXPECT_NE(text_event(r.rec, u"Y-"), nullptr);

    // Just off the panel's near side or its far side: not inside.
    for (int x : {-1, 256}) {
        u.x = x;
        r.rec.reset();
        s.selected(u);
        EXPECT_EQ(quads(r.rec), 14u) << x;
        EXPECT_EQ(text_event(r.rec, u"X+"), nullptr);
    }
}

TEST(DigitItem, GroupSelectionShowsCaptionAndButtonsButNoDescription)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 41, 3, 3);
    item_draw_ctx c = s.ctx(u, true);
    item_draw_ctx k = s.controls(u);
    c.look.description = k.look.description = false;   // a group member
    recording r;
    draw_item(u, c);
    draw_selection_controls(u, k);
    EXPECT_NE(text_event(r.rec, u"寄存器:4x40001"), nullptr);
    EXPECT_EQ(quads(r.rec), 14u);
    for (const gfx_event& e : texts(r.rec)) {
        EXPECT_EQ(e.text.find(u"大小="), std::u16string::npos);
        EXPECT_EQ(e.text.find(u"x="), std::u16string::npos);
    }
    // A member whose buttons do not act shows none: the item alone, with its caption.
    c.look.buttons = false;
    r.rec.reset();
    draw_item(u, c);
    EXPECT_EQ(quads(r.rec), 0u);
    EXPECT_NE(text_event(r.rec, u"寄存器:4x40001"), nullptr);
    // Nor does the current item itself: its controls are drawn apart from it.
    c.look.buttons = true;
    c.look.description = true;
    r.rec.reset();
    draw_item(u, c);
    EXPECT_EQ(quads(r.rec), 0u);
    EXPECT_EQ(text_event(r.rec, u"x=3,y=3"), nullptr);
    EXPECT_NE(text_event(r.rec, u"寄存器:4x40001"), nullptr);
}

TEST(DigitItem, ButtonRowsFollowTheKindAndTheCode)
{
    setup s;
    struct row { item_kind kind; int code; size_t buttons; };
    const row rows[] = {
        {KIND_VARIABLE, 16, 4}, {KIND_VARIABLE, 20, 4}, {KIND_VARIABLE, 0, 12}, {KIND_VARIABLE, 300, 14},
        {KIND_BLOCK, 0, 4}, {KIND_LINE, 0, 4}, {KIND_CIRCLE, 512, 4}, {KIND_COLON, 0, 4},
        {KIND_VLINE, 0, 4}, {KIND_RECT, 3, 12}, {KIND_TABLE, 0, 12},
        {KIND_FILLED_RECT, 3, 12}, {KIND_FILLED_CIRCLE, 512, 12}, {KIND_VALVE, 2, 12},
        // Only a weekday or wind variable is cut to four by its code.
        {KIND_RECT, 16, 12}, {KIND_VALVE, 20, 12}};
    for (const row& w : rows) {
        item u = setup::make(w.kind, w.code);   // off the panel: property buttons only
        u.h = 10; u.w = 10;
        recording r;
        s.selected(u);
        EXPECT_EQ(quads(r.rec), w.buttons) << "kind " << (int)w.kind << " code " << w.code;
    }
}

TEST(DigitItem, FiguresShowTheirOwnButtonLabels)
{
    setup s;
    auto labels = [&](const item& u) {
        recording r;
        s.selected(u);
        std::vector<std::u16string> out;
        for (const gfx_event& e : texts(r.rec)) out.push_back(e.text);
        return out;
    };
    auto has = [](const std::vector<std::u16string>& v, const std::u16string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    auto l = labels(setup::make(KIND_RECT, 1));
    for (auto s16 : {u"大小+", u"颜色-", u"宽度+", u"宽度-", u"高度+", u"高度-", u"类型+", u"地址-"})
        EXPECT_TRUE(has(l, s16));
    EXPECT_FALSE(has(l, u"粗细+"));
    EXPECT_FALSE(has(l, u"位数-"));
    // A variable shown next keeps its own labels.
    EXPECT_TRUE(has(labels(setup::make(KIND_VARIABLE, 0)), u"粗细+"));

    item table = setup::make(KIND_TABLE, 0);
    l = labels(table);
    for (auto s16 : {u"行数+", u"行数-", u"列数+", u"列数-", u"宽度+", u"宽度-", u"高度+", u"高度-"})
        EXPECT_TRUE(has(l, s16));
    EXPECT_FALSE(has(l, u"类型+"));

    l = labels(setup::make(KIND_VALVE, 2));
    EXPECT_TRUE(has(l, u"阀门+"));
    EXPECT_TRUE(has(l, u"阀门-"));
    EXPECT_TRUE(has(l, u"位数+"));
}

TEST(DigitItem, PressedAndHoveredPropertyButtons)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 0);
    button_marks marks;
    marks.hover = 3;
    marks.pressed = 5;
    marks.down = 1;
    item_draw_ctx c = s.controls(u);
    c.look.prop = &marks;
    recording r;
    draw_selection_controls(u, c);
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
    marks.down = 0;
    r.rec.reset();
    draw_selection_controls(u, c);
    dark = 0;
    for (const gfx_event& e : r.rec.of_type(gfx_event::QUAD))
        if (same_colour(e, 0.2f, 0.2f, 0.2f)) dark++;
    EXPECT_EQ(dark, 0);
}

TEST(DigitItem, VariablesShowTheSampleCutToTheirDigitCount)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 45);
    u.size = 4; u.color = 1;
    item_draw_ctx c = s.ctx(u, false);
    c.x = 300;
    c.y = 200;
    for (int n : {1, 3, 6}) {
        u.digits = n;
        recording r;
        draw_item(u, c);
        EXPECT_EQ(read_cells(lit_positions(r.rec), 300, 200, n, 4, 2), std::string((size_t)n, '8'));
        EXPECT_EQ(measure_item(u).w, (4 + 1 + 1) * n);
        EXPECT_EQ(measure_item(u).h, 8);
        for (const gfx_event& e : r.rec.of_type(gfx_event::POINT)) EXPECT_TRUE(same_colour(e, 0, 1, 0));
    }
    u.digits = 0;
    recording r;
    draw_item(u, c);
    EXPECT_EQ(r.rec.count(gfx_event::POINT), 0u);
    EXPECT_EQ(measure_item(u).w, 0);

    // The lunar fields and counters have no source: the sample too.
    for (int code : {0, 11, 17, 18, 19, 22}) {
        u.code = code;
        u.digits = 4;
        r.rec.reset();
        draw_item(u, c);
        EXPECT_EQ(read_cells(lit_positions(r.rec), 300, 200, 4, 4, 2), "8888") << code;
    }
}

TEST(DigitItem, SignedTypesGetAMinusCell)
{
    setup s;
    item u = setup::make(KIND_VARIABLE, 45);
    u.digits = 2;
    item_draw_ctx c = s.ctx(u, false);
    c.x = 300;
    c.y = 200;
    for (int t = 0; t < DATA_TYPES; t++) {
        u.data_type = t;
        recording r;
        draw_item(u, c);
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
    item u = setup::make(KIND_VARIABLE, INT32_MIN, INT32_MAX - 5, INT32_MIN + 5);
    u.size = INT32_MAX; u.digits = INT32_MAX; u.thickness = -1; u.decimals = 255;
    u.data_type = INT32_MIN; u.font_px = INT32_MAX;
    button_marks marks;
    marks.hover = INT32_MIN;
    marks.pressed = 3;
    marks.down = 1;
    recording r;
    item_draw_ctx c = s.ctx(u, true);
    c.look.prop = c.look.nudge = &marks;
    draw_item(u, s.ctx(u, false));
    draw_item(u, c);
    item_draw_ctx k = s.controls(u);
    k.look.prop = k.look.nudge = &marks;
    draw_selection_controls(u, k);
    EXPECT_GT(measure_item(u).w, (int64_t)INT32_MAX);   // the box does not wrap round

    item t = setup::make(KIND_TABLE, 0, INT32_MAX - 5, INT32_MIN + 5);
    t.grid.cols = 255; t.grid.rows = 255; t.grid.merge_count = 255;
    for (int i = 0; i < TABLE_MAX; i++) { t.grid.col_w[i] = INT32_MAX; t.grid.row_h[i] = INT32_MIN; }
    for (table_merge& m : t.grid.merges) { m.x0 = INT32_MIN; m.y0 = INT32_MAX; }
    c = s.ctx(t, true);
    c.look.sel_col = c.look.sel_row = 49;
    c.look.span_col = c.look.span_row = 0;
    draw_item(t, c);
    EXPECT_EQ(measure_item(t).w, (int64_t)TABLE_MAX * INT32_MAX);
    EXPECT_EQ(measure_item(t).h, (int64_t)TABLE_MAX * INT32_MIN);
    t.grid.cols = 2; t.grid.rows = 2;
    for (int k = 0; k < KIND_COUNT; k++) {
        t.kind = (item_kind)k;
        t.w = INT32_MAX; t.h = 40;
        draw_item(t, s.ctx(t, false));
        draw_item(t, s.ctx(t, true));
        draw_selection_controls(t, s.controls(t));
    }
    EXPECT_FALSE(r.rec.events.empty());
}
