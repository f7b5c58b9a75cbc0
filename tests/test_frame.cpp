// The frame routine, the reshape callback and the button looks through the recorder.
#include "app/frame.h"
#include "edit/text_input.h"
#include "items/calendar.h"
#include "frame_helpers.h"
#include "items/buttons.h"
#include "items/palette.h"
#include <memory>

namespace {

// A designer with a panel of its own, no items, drawn at pitch 2 through the recorder.
struct FrameTest : ::testing::Test {
    std::unique_ptr<designer> owner{new designer()};
    designer& g = *owner;

    void SetUp() override
    {
        need_screen_fonts();
        // The least window, as the designer opens for a small panel.
        g.v.window_w = WINDOW_MIN_W;
        g.v.window_h = WINDOW_MIN_H;
        panel(256, 64);
    }
    void panel(int w, int h)
    {
        g.doc.settings.panel_w = w;
        g.doc.settings.panel_h = h;
    }
    // A new item from palette sample `id` at dot (x, y).
    item_id add(int id, int x, int y, void (*shape)(item&) = nullptr)
    {
        item it = palette_sample_of(id).sample;
        it.x = x;
        it.y = y;
        if (shape) shape(it);
        item_id made = NO_ITEM;
        EXPECT_TRUE(doc_create(g.doc, it, made).ok);
        return made;
    }
};

// Texts a recorded frame drew.
std::vector<std::u16string> texts(const gfx_recorder& rec)
{
    std::vector<std::u16string> out;
    for (const gfx_event& e : rec.of_type(gfx_event::TEXT)) out.push_back(e.text);
    return out;
}

bool drew(const gfx_recorder& rec, const std::u16string& s)
{
    for (const std::u16string& t : texts(rec))
        if (t == s) return true;
    return false;
}

local_time frame_clock = {2026, 12, 8, 10, 0, 0, 2};
local_time read_frame_clock() { return frame_clock; }

} // namespace

TEST_F(FrameTest, ReshapeMapsWindowPixelsOneToOne)
{
    recording r;
    on_reshape(g, 1324, 0);
    EXPECT_EQ(r.rec.viewport[2], 1324);
    EXPECT_EQ(r.rec.viewport[3], 1);   // a height of 0 counts as 1
    EXPECT_EQ(g.v.window_w, 1324);
    EXPECT_EQ(g.v.window_h, 1);
    on_reshape(g, 800, 600);
    EXPECT_EQ(r.rec.ortho[0], 0);
    EXPECT_EQ(r.rec.ortho[1], 800);
    EXPECT_EQ(r.rec.ortho[2], 600);   // bottom = h, top = 0: y grows downwards
    EXPECT_EQ(r.rec.ortho[3], 0);
    EXPECT_EQ(r.rec.ortho[4], -100);
    EXPECT_EQ(r.rec.ortho[5], 200);
    EXPECT_TRUE(frame_wanted(g));
}

TEST_F(FrameTest, ButtonsAndReadOutsFollowTheSelection)
{
    recording r;
    interaction& ui = g.ui;
    const std::u16string del = u"删除所选", save = u"保存数据", close = u"关闭窗口";

    // Nothing selected: save, close and fit, no delete button, no read-outs.
    frame_routine(g);
    EXPECT_TRUE(drew(r.rec, save));
    EXPECT_TRUE(drew(r.rec, close));
    EXPECT_TRUE(drew(r.rec, u"适合窗口"));
    EXPECT_FALSE(drew(r.rec, del));
    EXPECT_FALSE(drew(r.rec, u"左对齐"));
    EXPECT_FALSE(drew(r.rec, u"合并"));
    EXPECT_EQ(r.rec.clears, 1);
    // With no clock on the panel, the palette's clock samples still tick.
    set_clock_source(read_frame_clock);
    frame_routine(g);
    EXPECT_FALSE(frame_wanted(g));
    frame_clock.second++;
    EXPECT_TRUE(frame_wanted(g)) << "the palette's clock stands still";
    set_clock_source(nullptr);

    // A current item brings the delete button and its own buttons, once. At
    // every zoom they stand where they did, in the same face.
    const item_id block = add(SAMPLE_BLOCK, 30, 20);
    ui.current = block;
    std::vector<gfx_event> at_start;
    for (int pitch : {2, 1, 5, 8}) {
        SCOPED_TRACE(pitch);
        g.v.pitch = pitch;
        r.rec.reset();
        frame_routine(g);
        EXPECT_TRUE(drew(r.rec, del));
        std::vector<gfx_event> controls;
        for (const gfx_event& e : r.rec.of_type(gfx_event::TEXT))
            if (e.text == del || e.text == save || e.text == u"颜色+" || e.text == u"颜色-") controls.push_back(e);
        ASSERT_EQ(controls.size(), 4u);
        if (pitch == 2) at_start = controls;
        for (size_t k = 0; k < controls.size(); k++) {
            EXPECT_EQ(controls[k].text, at_start[k].text);
            EXPECT_EQ(controls[k].x[0], at_start[k].x[0]) << k;
            EXPECT_EQ(controls[k].y[0], at_start[k].y[0]) << k;
            EXPECT_EQ(controls[k].size, at_start[k].size) << k;
        }
    }
    g.v.pitch = 2;
    ui.current = NO_ITEM;

    // The pointer read-out in dots.
    r.rec.reset();
    ui.show_coords = true;
    ui.pointer_x = 271;
    ui.pointer_y = 151;
    frame_routine(g);
    bool found = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::TEXT))
        if (e.text == u"[3 , 3]") {
            found = true;
            EXPECT_EQ(e.x[0], 271);
            EXPECT_EQ(e.y[0], 151);
            EXPECT_TRUE(same_colour(e, 1, 1, 1));
        }
    EXPECT_TRUE(found);
    // Outside the panel's area (left of it, above it, on the palette) there is no read-out.
    const int outside[][2] = {{264, 151}, {271, 144}, {100, 400}};
    for (const auto& at : outside) {
        r.rec.reset();
        ui.pointer_x = at[0];
        ui.pointer_y = at[1];
        frame_routine(g);
        for (const gfx_event& e : r.rec.of_type(gfx_event::TEXT)) EXPECT_NE(e.text[0], u'[') << at[0] << "," << at[1];
    }
    ui.show_coords = false;

    // A group selection: delete button, the reference's box in dots and the six align buttons.
    const item_id box = add(SAMPLE_RECT, 10, 5, [](item& it) {
        it.w = 20;
        it.h = 12;
    });
    r.rec.reset();
    ui.group[box] = true;
    ui.group[block] = true;
    ui.sel_ref = box;
    frame_routine(g);
    EXPECT_TRUE(drew(r.rec, del));
    EXPECT_TRUE(drew(r.rec, u"[x=10,y=5,w=20,h=12]"));
    for (const char16_t* a : {u"左对齐", u"右对齐", u"上对齐", u"下对齐", u"等长度", u"等高度"})
        EXPECT_TRUE(drew(r.rec, a)) << "missing align button";
    ui.group.reset();
    ui.sel_ref = NO_ITEM;

    // Span mode shows merge and split.
    r.rec.reset();
    ui.merge_mode = true;
    frame_routine(g);
    EXPECT_TRUE(drew(r.rec, u"合并"));
    EXPECT_TRUE(drew(r.rec, u"拆分"));
    ui.merge_mode = false;

    // The input method's composition stands at the caret of the current
    // text, underlined: a text whose corner is window pixel (300, 200).
    const item_id text = add(SAMPLE_TEXT, 17, 27, [](item& it) {
        copy_field(it.text, TEXT_LEN, "abc");
        it.font_size = 12;
    });
    ASSERT_EQ(view_x(g.v, 17), 300);
    ASSERT_EQ(view_y(g.v, 27), 200);
    r.rec.reset();
    ui.current = text;
    editor e = g.edit();
    on_composition(e, "zhong");
    frame_routine(g);
    bool composed = false;
    for (const gfx_event& t : r.rec.of_type(gfx_event::TEXT))
        if (t.text == u"zhong") {
            composed = true;
            EXPECT_GE(t.x[0], 300 + 6 * 2 * 3);   // right of three half-width characters
            EXPECT_EQ(t.y[0], 200 + 12 * 2);      // on the line's baseline
        }
    EXPECT_TRUE(composed);
    bool underlined = false;
    for (const gfx_event& l : r.rec.of_type(gfx_event::LINE))
        underlined |= l.y[0] == l.y[1] && l.y[0] > 224 && l.y[0] < 230 && l.x[1] - l.x[0] > 20;
    EXPECT_TRUE(underlined);
    on_composition(e, "");
    r.rec.reset();
    frame_routine(g);
    EXPECT_FALSE(drew(r.rec, u"zhong"));
}

TEST_F(FrameTest, PanelIsDrawnWithItsGridUnderTheOrigin)
{
    panel(128, 32);
    recording r;
    frame_routine(g);
    bool panel = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::QUAD))
        if (same_colour(e, 0, 0, 0) && e.x[0] == 265 && e.y[0] == 145 && e.x[2] == 265 + 256 && e.y[2] == 145 + 64)
            panel = true;
    EXPECT_TRUE(panel);
    // The first vertical grid line sits 4 dots right of the origin, across the panel.
    bool grid = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (same_colour(e, 0.2f, 0.2f, 0.2f) && e.x[0] == 273 && e.y[0] == 145 && e.y[1] == 145 + 64) grid = true;
    EXPECT_TRUE(grid);
    // The palette frame hangs 145 pixels down: its top line at y = 145 from x 225 to 25.
    bool frame_top = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        if (e.y[0] == 145 && e.y[1] == 145 && e.x[0] == 225 && e.x[1] == 25) frame_top = true;
    EXPECT_TRUE(frame_top);
}

TEST(Buttons, RectangleScalesWithThePitchAroundTheBasePoint)
{
    button b;
    b.x = 550; b.y = 55; b.w = 28; b.h = 15;
    int l, t, rr, bt;
    button_rect(b, 2, l, t, rr, bt);
    EXPECT_EQ(l, 548); EXPECT_EQ(rr, 604);
    EXPECT_EQ(t, 25);  EXPECT_EQ(bt, 65);
    button_rect(b, 4, l, t, rr, bt);
    EXPECT_EQ(l, 546); EXPECT_EQ(rr, 658);
    EXPECT_EQ(t, -5);  EXPECT_EQ(bt, 75);
}

TEST(Buttons, RowRulePicksTheLooks)
{
    need_screen_fonts();
    recording r;
    const button* row = tool_row(ROW_COMMAND, WINDOW_MIN_W);
    auto fills = [&](void) {
        std::vector<gfx_event> q = r.rec.of_type(gfx_event::QUAD);
        r.rec.reset();
        return q;
    };
    auto marks = [](int hover, int pressed, int down) { return button_marks{hover, pressed, down}; };
    // Normal: light-grey outline then the button's own fill, white label.
    draw_row_button(row, SAVE_SLOT, marks(NO_BUTTON, NO_BUTTON, 0), 2);
    auto lines = r.rec.of_type(gfx_event::LINE);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(same_colour(lines[0], 0.8f, 0.8f, 0.8f));
    auto label = r.rec.of_type(gfx_event::TEXT);
    ASSERT_EQ(label.size(), 1u);
    EXPECT_TRUE(same_colour(label[0], 1, 1, 1));
    EXPECT_EQ(label[0].size, 36);
    auto q = fills();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_TRUE(same_colour(q[0], 0.2f, 0.2f, 0.2f));

    // Pressed and held: dark fill and a light-grey label; not held: normal.
    draw_row_button(row, SAVE_SLOT, marks(NO_BUTTON, SAVE_SLOT, 1), 2);
    EXPECT_EQ(r.rec.count(gfx_event::LINE), 0u);
    label = r.rec.of_type(gfx_event::TEXT);
    EXPECT_TRUE(same_colour(label[0], 0.9f, 0.9f, 0.9f));
    fills();
    draw_row_button(row, SAVE_SLOT, marks(NO_BUTTON, SAVE_SLOT, 0), 2);
    EXPECT_EQ(r.rec.count(gfx_event::LINE), 4u);
    fills();

    // Hovered: drawn once more in mid grey, also over a pressed one.
    draw_row_button(row, SAVE_SLOT, marks(SAVE_SLOT, SAVE_SLOT, 1), 2);
    q = fills();
    ASSERT_EQ(q.size(), 2u);
    EXPECT_TRUE(same_colour(q[0], 0.2f, 0.2f, 0.2f));
    EXPECT_TRUE(same_colour(q[1], 0.5f, 0.5f, 0.5f));
}
