// Pointer moves without a button: hover marks, the handle map of the resize
// handles and the order in which the window and the current item are tested.
#include "edit/arrange.h"
#include "edit/keys.h"
#include "items/handles.h"
#include "test_press_helpers.h"

namespace {

struct handle_case {
    int dx, dy, handle, cursor;   // from the rectangle's top-left pixel
};

} // namespace

TEST_F(PointerTest, HandleMapOfARectangle)
{
    // A 30 x 10 dot rectangle: 60 x 20 px at pitch 2, L .. L + 60, T .. T + 20.
    ui->current = add_rect(20, 30, 30, 10);
    const int L = px(20), T = py(30);
    const handle_case cases[] = {
        {1, 4, HANDLE_LEFT, CURSOR_RIGHT_SIDE},            // left edge beats the corner below the top
        {1, 1, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {4, 4, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {-5, -5, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {-4, 18, HANDLE_BOTTOM_LEFT, CURSOR_TOP_RIGHT_CORNER},
        {58, 1, HANDLE_TOP_RIGHT, CURSOR_TOP_RIGHT_CORNER},
        {59, 19, HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER},
        {65, 25, HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER},
        {30, 18, HANDLE_BOTTOM, CURSOR_UP_DOWN},
        {58, 10, HANDLE_RIGHT, CURSOR_LEFT_RIGHT},
        {65, 10, HANDLE_RIGHT, CURSOR_LEFT_RIGHT},
        {30, 2, HANDLE_TOP, CURSOR_UP_DOWN},
        {-5, 10, HANDLE_LEFT, CURSOR_RIGHT_SIDE},
        {2, 10, HANDLE_LEFT, CURSOR_RIGHT_SIDE},
        {3, 10, HANDLE_NONE, CURSOR_RIGHT_ARROW},          // the left band reaches 2 px inside only
        {30, 10, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {-6, 10, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {66, 10, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {30, -6, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {30, 26, HANDLE_NONE, CURSOR_RIGHT_ARROW},
    };
    for (const handle_case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.dx << "," << c.dy);
        ui->resize_handle = 99;
        on_passive_motion(e, L + c.dx, T + c.dy);
        EXPECT_EQ(ui->resize_handle, c.handle);
        EXPECT_EQ(screen_log.cursor_shape, c.cursor);
    }
}

TEST_F(PointerTest, DuringARubberBandTheInsideKeepsHandleAndCursor)
{
    ui->current = add_rect(20, 30, 30, 10);
    ui->gesture = GESTURE_BAND;
    ui->resize_handle = HANDLE_RIGHT;
    set_cursor_shape(CURSOR_CROSSHAIR);
    const int sets = screen_log.cursor_sets;
    test_resize_handles(e, px(20) + 30, py(30) + 10);
    EXPECT_EQ(ui->resize_handle, HANDLE_RIGHT);
    EXPECT_EQ(screen_log.cursor_sets, sets);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
    // Outside it the handle is cleared as always.
    test_resize_handles(e, px(20) + 200, py(30) + 10);
    EXPECT_EQ(ui->resize_handle, HANDLE_NONE);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
}

TEST_F(PointerTest, WindowEdgeGivesAHandleOnlyWithoutANearerItem)
{
    on_passive_motion(e, 1, 250);
    EXPECT_EQ(ui->resize_handle, HANDLE_LEFT);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_SIDE);

    ui->current = add_text(200, 80, "ABCD");   // 32 x 18 dots
    on_passive_motion(e, 1, 250);   // the text, tested last, is far away
    EXPECT_EQ(ui->resize_handle, HANDLE_NONE);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
    on_passive_motion(e, px(200) + 64 - 1, py(80) + 18);
    EXPECT_EQ(ui->resize_handle, HANDLE_RIGHT);

    // A deleted current text has no handles: the window's show again.
    doc_delete(*doc, ui->current);
    on_passive_motion(e, 1, 250);
    EXPECT_EQ(ui->resize_handle, HANDLE_LEFT);
}

TEST_F(PointerTest, HandlesComeFromTheCurrentItemByKind)
{
    // A line is hit 2 dots either side of it: 10 px high, corners only at its ends.
    item line = sample(SAMPLE_LINE, 60, 80);
    line.w = 30;
    ui->current = add(line);
    on_passive_motion(e, px(90) - 1, py(82) - 1);
    EXPECT_EQ(ui->resize_handle, HANDLE_BOTTOM_RIGHT);
    on_passive_motion(e, px(75), py(82) - 1);
    EXPECT_EQ(ui->resize_handle, HANDLE_BOTTOM);

    // Variables have no handles of their own: only the window's.
    ui->current = add(sample(SAMPLE_REGISTER, 150, 60));
    const px_box b = item_px_box(e, at(ui->current));
    on_passive_motion(e, (int)(b.x + b.w - 1), (int)(b.y + b.h - 1));
    EXPECT_EQ(ui->resize_handle, HANDLE_NONE);
    on_passive_motion(e, 1, 250);
    EXPECT_EQ(ui->resize_handle, HANDLE_LEFT);

    // A table: the picked cell's rectangle, here cell (1, 1), 10 x 5 dots at (210, 65).
    ui->current = add_table(200, 60);
    ui->sel_col = ui->sel_row = 1;
    on_passive_motion(e, px(220) - 1, py(70) - 1);
    EXPECT_EQ(ui->resize_handle, HANDLE_BOTTOM_RIGHT);
    on_passive_motion(e, px(240) - 1, py(75) - 1);   // the table's own corner is not a handle
    EXPECT_EQ(ui->resize_handle, HANDLE_NONE);
    ui->sel_col = NO_BUTTON;                          // no cell: no handle from the table
    on_passive_motion(e, px(220) - 1, py(70) - 1);
    EXPECT_EQ(ui->resize_handle, HANDLE_NONE);
}

TEST_F(PointerTest, HoverMarksTheButtonsOfTheCurrentItem)
{
    add(sample(SAMPLE_LINE, 20, 80));
    const item_id text = add_text(120, 90, "AB");
    ui->current = add(sample(SAMPLE_LINE, 20, 100));
    ui->multi_select = true;
    on_passive_motion(e, 620, 40);   // "颜色+"
    EXPECT_TRUE(ui->multi_select);   // group mode lasts until F6
    EXPECT_EQ(ui->pointer_x, 620);
    EXPECT_EQ(ui->pointer_y, 40);
    EXPECT_EQ(ui->prop.hover, 2);
    EXPECT_EQ(ui->nudge.hover, NO_HOVER);
    on_passive_motion(e, 480, 80);   // "Y-"
    EXPECT_EQ(ui->nudge.hover, 3);
    EXPECT_EQ(ui->prop.hover, NO_HOVER);

    // A figure shows fewer property buttons than a text: where a scrolling
    // text's "方向-" stands, the line has none to mark.
    const button& last = prop_buttons(KIND_TEXT)[PROP_BUTTONS - 1];
    on_passive_motion(e, last.x + 5, last.y - 5);
    EXPECT_EQ(ui->prop.hover, NO_HOVER);
    at(text).mode = TEXT_SCROLLING;
    at(text).w = 32;
    at(text).h = 16;
    ui->current = text;
    on_passive_motion(e, last.x + 5, last.y - 5);
    EXPECT_EQ(ui->prop.hover, PROP_BUTTONS - 1);
    on_passive_motion(e, 480, 80);
    EXPECT_EQ(ui->nudge.hover, 3);
    EXPECT_EQ(ui->prop.hover, NO_HOVER);
}

TEST_F(PointerTest, HoverMarksTheToolButtons)
{
    // The align row shows with a group, the span row in merge mode; the
    // delete button while something is selected.
    group_add(e, add(sample(SAMPLE_LINE, 20, 80)));
    ui->merge_mode = true;
    const int p = UI_PITCH;
    const button* align = tool_row(ROW_ALIGN, v.window_w);
    int x, y;
    centre_of(align[ALIGN_LEFT], x, y);
    on_passive_motion(e, x, y);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, ALIGN_LEFT);
    EXPECT_EQ(ui->rows[ROW_SPAN].hover, NO_HOVER);   // "合并" stands under it, out of reach
    EXPECT_EQ(ui->rows[ROW_COMMAND].hover, NO_HOVER);
    centre_of(align[SAME_HEIGHT], x, y);
    on_passive_motion(e, x, y);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, SAME_HEIGHT);
    centre_of(tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT], x, y);
    on_passive_motion(e, x, y);
    EXPECT_EQ(ui->rows[ROW_DELETE].hover, DELETE_SLOT);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, NO_HOVER);
    centre_of(tool_row(ROW_COMMAND, v.window_w)[CLOSE_SLOT], x, y);
    on_passive_motion(e, x, y);
    EXPECT_EQ(ui->rows[ROW_COMMAND].hover, CLOSE_SLOT);
    EXPECT_EQ(ui->rows[ROW_DELETE].hover, NO_HOVER);

    // The hover rectangle is the drawn and pressed one: just outside the
    // right end of "左对齐" nothing is marked.
    int l, t, r, b;
    button_rect(align[ALIGN_LEFT], p, l, t, r, b);
    on_passive_motion(e, r, (t + b) / 2);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, NO_HOVER);
    on_passive_motion(e, r - 1, (t + b) / 2);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, ALIGN_LEFT);
    on_passive_motion(e, l + 1, b);
    EXPECT_EQ(ui->rows[ROW_ALIGN].hover, NO_HOVER);
}

TEST_F(PointerTest, ZoomKeysKeepTheToolButtonsFittedToTheirLabels)
{
    const item_id r = add_rect(20, 30, 30, 10);
    click(px(20) + 4, py(30) + 4);   // selected: the delete button shows
    ASSERT_EQ(ui->current, r);
    const button before = tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT];
    EXPECT_GE(UI_PITCH * (before.w - 1), label_width_px(before.label, before.label_size));
    on_key(e, 17);   // Ctrl+Q: zoom in to 3
    on_key(e, 17);   // and to 4
    ASSERT_EQ(view_pitch(v), 4);
    // The buttons are the view's no more: same place, same size at every zoom,
    // and hovered where they were.
    const button& del = tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT];
    EXPECT_EQ(del.x, before.x);
    EXPECT_EQ(del.y, before.y);
    EXPECT_EQ(del.w, before.w);
    EXPECT_EQ(del.h, before.h);
    int x, y;
    centre_of(before, x, y);
    on_passive_motion(e, x, y);
    EXPECT_EQ(ui->rows[ROW_DELETE].hover, DELETE_SLOT);
    int l, t, rr, b;
    button_rect(before, UI_PITCH, l, t, rr, b);
    on_passive_motion(e, rr, (t + b) / 2);
    EXPECT_EQ(ui->rows[ROW_DELETE].hover, NO_HOVER);
    // The zoom is the view's alone: the item keeps its dots and is pressed where it is drawn.
    EXPECT_EQ(at(r).x, 20);
    EXPECT_EQ(at(r).w, 30);
    click(900, 400);
    EXPECT_EQ(ui->current, NO_ITEM);
    click(px(20) + 4, py(30) + 4);
    EXPECT_EQ(ui->current, r);
    on_key(e, 1);    // Ctrl+A: zoom out
    on_key(e, 1);
    ASSERT_EQ(view_pitch(v), 2);
    EXPECT_EQ(tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT].w, before.w);

    // Scrolled into a panel larger than its area, the zoom keys keep the dot
    // at the area's top-left corner where it is.
    set_panel(1024, 512);
    ASSERT_TRUE(v.hbar && v.vbar);
    view_scroll_by(v, 301, 121);
    const int64_t dot_x = view_dot_at_x(v, v.area_x), dot_y = view_dot_at_y(v, v.area_y);
    ASSERT_EQ(dot_x, 150);
    ASSERT_EQ(dot_y, 60);
    for (unsigned char k : {17, 17, 1, 1, 1}) {   // in to 4, out to 2 and no further
        on_key(e, k);
        EXPECT_EQ(view_dot_at_x(v, v.area_x), dot_x) << v.pitch;
        EXPECT_EQ(view_dot_at_y(v, v.area_y), dot_y) << v.pitch;
    }
    EXPECT_EQ(v.pitch, 2);
}
