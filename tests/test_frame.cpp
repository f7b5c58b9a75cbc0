// The frame routine, the reshape callback and the button looks through the recorder.
#include "app/frame.h"
#include "edit/state.h"
#include "edit/text_input.h"
#include "frame_helpers.h"
#include "items/buttons.h"
#include "model/button_rows.h"
#include "model/tables.h"

namespace {

// Texts a recorded frame drew, as UTF-8 lines (for readable failures).
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

} // namespace

TEST(Frame, ReshapeMapsWindowPixelsOneToOne)
{
    recording r;
    on_reshape(1324, 0);
    EXPECT_EQ(r.rec.viewport[2], 1324);
    EXPECT_EQ(r.rec.viewport[3], 1);   // a height of 0 counts as 1
    on_reshape(800, 600);
    EXPECT_EQ(r.rec.ortho[0], 0);
    EXPECT_EQ(r.rec.ortho[1], 800);
    EXPECT_EQ(r.rec.ortho[2], 600);   // bottom = h, top = 0: y grows downwards
    EXPECT_EQ(r.rec.ortho[3], 0);
    EXPECT_EQ(r.rec.ortho[4], -100);
    EXPECT_EQ(r.rec.ortho[5], 200);
}

TEST(Frame, ButtonsAndReadOutsFollowTheSelection)
{
    need_screen_fonts();
    layout_button_rows();
    set_panel(256, 64, 2);
    recording r;
    const std::u16string del = u"删除所选", save = u"保存数据", close = u"关闭窗口";

    // Nothing selected: save and close, no delete button, no read-outs.
    current_unit = NO_ITEM;
    current_string = NO_STRING_AT_START;
    frame_routine();
    EXPECT_TRUE(drew(r.rec, save));
    EXPECT_TRUE(drew(r.rec, close));
    EXPECT_FALSE(drew(r.rec, del));
    EXPECT_FALSE(drew(r.rec, u"左对齐"));
    EXPECT_FALSE(drew(r.rec, u"合并"));
    EXPECT_EQ(r.rec.clears, 1);

    // A current item brings the delete button.
    r.rec.reset();
    current_unit = 12;
    frame_routine();
    EXPECT_TRUE(drew(r.rec, del));
    current_unit = NO_ITEM;

    // The pointer read-out in dots.
    r.rec.reset();
    show_coords = 1;
    pointer_pos[0] = 271;
    pointer_pos[1] = 151;
    frame_routine();
    auto t = r.rec.of_type(gfx_event::TEXT);
    bool found = false;
    for (const gfx_event& e : t)
        if (e.text == u"[3 , 3]") {
            found = true;
            EXPECT_EQ(e.x[0], 271);
            EXPECT_EQ(e.y[0], 151);
            EXPECT_TRUE(same_colour(e, 1, 1, 1));
        }
    EXPECT_TRUE(found);
    // Left of or above the panel origin there is no read-out.
    r.rec.reset();
    pointer_pos[0] = 265;
    frame_routine();
    for (const gfx_event& e : r.rec.of_type(gfx_event::TEXT)) EXPECT_NE(e.text[0], u'[');
    show_coords = 0;

    // A group selection: delete button, the selection read-out and the six align buttons.
    r.rec.reset();
    string_table[5].group_selected = 1;
    sel_box[0] = 265 + 20; sel_box[1] = 145 + 10; sel_box[2] = 40; sel_box[3] = 24;
    frame_routine();
    EXPECT_TRUE(drew(r.rec, del));
    EXPECT_TRUE(drew(r.rec, u"[x=10,y=5,w=20,h=12]"));
    for (const char16_t* a : {u"左对齐", u"右对齐", u"上对齐", u"下对齐", u"等长度", u"等高度"})
        EXPECT_TRUE(drew(r.rec, a)) << "missing align button";
    string_table[5].group_selected = 0;

    // Span mode shows merge and split.
    r.rec.reset();
    merge_mode = 1;
    frame_routine();
    EXPECT_TRUE(drew(r.rec, u"合并"));
    EXPECT_TRUE(drew(r.rec, u"拆分"));
    merge_mode = 0;

    // The input method's composition stands at the caret of the current text, underlined.
    r.rec.reset();
    string_draw& s = string_table[7];
    s.visible = s.text_ready = 1;
    s.x = 300;
    s.y = 200;
    s.font_size = 12;
    s.line_chars = 3;
    s.line_count = 1;
    current_string = 7;
    on_composition("zhong");
    frame_routine();
    bool composed = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::TEXT))
        if (e.text == u"zhong") {
            composed = true;
            EXPECT_GE(e.x[0], 300 + 6 * 2 * 3);   // right of three half-width characters
            EXPECT_EQ(e.y[0], 200 + 12 * 2);      // on the line's baseline
        }
    EXPECT_TRUE(composed);
    bool underlined = false;
    for (const gfx_event& e : r.rec.of_type(gfx_event::LINE))
        underlined |= e.y[0] == e.y[1] && e.y[0] > 224 && e.y[0] < 230 && e.x[1] - e.x[0] > 20;
    EXPECT_TRUE(underlined);
    on_composition("");
    s = string_draw();
    current_string = NO_STRING_AT_START;
}

TEST(Frame, PanelIsDrawnWithItsGridUnderTheOrigin)
{
    need_screen_fonts();
    layout_button_rows();
    set_panel(128, 32, 2);
    recording r;
    frame_routine();
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
    set_panel(256, 64, 2);
}

TEST(Buttons, RectangleScalesWithThePitchAroundTheBasePoint)
{
    menu_unit b;
    b.x = 550; b.y = 55; b.w = 28; b.h = 15;
    int l, t, rr, bt;
    led_pitch = 2;
    button_rect(b, l, t, rr, bt);
    EXPECT_EQ(l, 548); EXPECT_EQ(rr, 604);
    EXPECT_EQ(t, 25);  EXPECT_EQ(bt, 65);
    led_pitch = 4;
    button_rect(b, l, t, rr, bt);
    EXPECT_EQ(l, 546); EXPECT_EQ(rr, 658);
    EXPECT_EQ(t, -5);  EXPECT_EQ(bt, 75);
    led_pitch = 2;
}

TEST(Buttons, RowRulePicksTheLooks)
{
    need_screen_fonts();
    layout_button_rows();
    recording r;
    auto fills = [&](void) {
        std::vector<gfx_event> q = r.rec.of_type(gfx_event::QUAD);
        r.rec.reset();
        return q;
    };
    // Normal: light-grey outline then the button's own fill, white label.
    draw_row_button(command_row, 2, 100, 100, 0);
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
    draw_row_button(command_row, 2, 100, 2, 1);
    EXPECT_EQ(r.rec.count(gfx_event::LINE), 0u);
    label = r.rec.of_type(gfx_event::TEXT);
    EXPECT_TRUE(same_colour(label[0], 0.9f, 0.9f, 0.9f));
    fills();
    draw_row_button(command_row, 2, 100, 2, 0);
    EXPECT_EQ(r.rec.count(gfx_event::LINE), 4u);
    fills();

    // Hovered: drawn once more in mid grey, also over a pressed one.
    draw_row_button(command_row, 2, 2, 2, 1);
    q = fills();
    ASSERT_EQ(q.size(), 2u);
    EXPECT_TRUE(same_colour(q[0], 0.2f, 0.2f, 0.2f));
    EXPECT_TRUE(same_colour(q[1], 0.5f, 0.5f, 0.5f));
}
