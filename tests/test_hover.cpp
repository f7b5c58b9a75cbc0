// Pointer moves without a button: hover marks, the handle map of
// update_resize_cursor and the order in which rectangles are tested.
#include "edit/keys.h"
#include "test_press_helpers.h"

namespace {

struct handle_case {
    int px, py, handle, cursor;
};

} // namespace

TEST_F(PointerTest, HandleMapOfARectangle)
{
    // L 100, R 160, T 100, B 120.
    const handle_case cases[] = {
        {101, 104, HANDLE_LEFT, CURSOR_RIGHT_SIDE},          // left edge beats the corner below the top
        {101, 101, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {104, 104, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {95, 95, HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER},
        {96, 118, HANDLE_BOTTOM_LEFT, CURSOR_TOP_RIGHT_CORNER},
        {158, 101, HANDLE_TOP_RIGHT, CURSOR_TOP_RIGHT_CORNER},
        {159, 119, HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER},
        {165, 125, HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER},
        {130, 118, HANDLE_BOTTOM, CURSOR_UP_DOWN},
        {158, 110, HANDLE_RIGHT, CURSOR_LEFT_RIGHT},
        {165, 110, HANDLE_RIGHT, CURSOR_LEFT_RIGHT},
        {130, 102, HANDLE_TOP, CURSOR_UP_DOWN},
        {95, 110, HANDLE_LEFT, CURSOR_RIGHT_SIDE},
        {102, 110, HANDLE_LEFT, CURSOR_RIGHT_SIDE},
        {103, 110, HANDLE_NONE, CURSOR_RIGHT_ARROW},        // left band reaches 2 px inside only
        {130, 110, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {94, 110, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {166, 110, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {130, 94, HANDLE_NONE, CURSOR_RIGHT_ARROW},
        {130, 126, HANDLE_NONE, CURSOR_RIGHT_ARROW},
    };
    for (const handle_case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.px << "," << c.py);
        resize_handle = 99;
        update_resize_cursor_at(c.px, c.py, 100, 100, 60, 20);
        EXPECT_EQ(resize_handle, c.handle);
        EXPECT_EQ(screen_log.cursor_shape, c.cursor);
    }
    // The four-argument form tests pointer_pos.
    pointer_pos[0] = 159;
    pointer_pos[1] = 119;
    update_resize_cursor(100, 100, 60, 20);
    EXPECT_EQ(resize_handle, HANDLE_BOTTOM_RIGHT);
}

TEST_F(PointerTest, DuringARubberBandTheInsideKeepsHandleAndCursor)
{
    band_active = 1;
    resize_handle = HANDLE_RIGHT;
    set_cursor_shape(CURSOR_CROSSHAIR);
    const int sets = screen_log.cursor_sets;
    update_resize_cursor_at(130, 110, 100, 100, 60, 20);
    EXPECT_EQ(resize_handle, HANDLE_RIGHT);
    EXPECT_EQ(screen_log.cursor_sets, sets);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
    // Outside it the handle is cleared as always.
    update_resize_cursor_at(300, 110, 100, 100, 60, 20);
    EXPECT_EQ(resize_handle, HANDLE_NONE);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
}

TEST_F(PointerTest, WindowEdgeGivesAHandleOnlyWithoutANearerItem)
{
    on_passive_motion(1, 250);
    EXPECT_EQ(resize_handle, HANDLE_LEFT);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_SIDE);

    put_text(5, 700, 300, 40, 20);
    current_string = 5;
    on_passive_motion(1, 250);   // the text, tested last, is far away
    EXPECT_EQ(resize_handle, HANDLE_NONE);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_RIGHT_ARROW);
    on_passive_motion(739, 310);
    EXPECT_EQ(resize_handle, HANDLE_RIGHT);

    // A deleted current text has no handles: the window's show again.
    string_table[5].visible = 0;
    on_passive_motion(1, 250);
    EXPECT_EQ(resize_handle, HANDLE_LEFT);
}

TEST_F(PointerTest, HandlesComeFromTheCurrentUnitByKind)
{
    put_unit(90, KIND_LINE, 400, 300, 60, 8);
    current_unit = 90;
    on_passive_motion(459, 307);   // a line 8 px high has corners only at its ends
    EXPECT_EQ(resize_handle, HANDLE_BOTTOM_RIGHT);
    on_passive_motion(430, 307);
    EXPECT_EQ(resize_handle, HANDLE_BOTTOM);

    // Variables have no handles of their own: only the window's.
    put_unit(210, KIND_VARIABLE, 400, 300, 88, 80);
    current_unit = 210;
    on_passive_motion(487, 340);
    EXPECT_EQ(resize_handle, HANDLE_NONE);
    on_passive_motion(1, 250);
    EXPECT_EQ(resize_handle, HANDLE_LEFT);

    // A table: the selected cell's rectangle, here cell (1, 1) at (420, 310), 20 x 10.
    Digit_unit& t = put_table(421, 400, 300);
    t.sel_col = t.sel_row = 1;
    current_unit = 421;
    on_passive_motion(439, 319);
    EXPECT_EQ(resize_handle, HANDLE_BOTTOM_RIGHT);
    on_passive_motion(479, 329);   // the table's own corner is not a handle
    EXPECT_EQ(resize_handle, HANDLE_NONE);
    t.sel_col = NO_BUTTON;           // no cell: no handle from the table
    on_passive_motion(439, 319);
    EXPECT_EQ(resize_handle, HANDLE_NONE);
}

TEST_F(PointerTest, HoverMarksTheButtonsOfTheCurrentItems)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_text(5, 500, 340, 40, 20);
    put_unit(91, KIND_LINE, 300, 400, 50, 8);
    current_unit = 90;
    multi_select = 1;
    on_passive_motion(620, 40);   // "颜色+"
    EXPECT_EQ(multi_select, 1);   // group mode lasts until F6
    EXPECT_EQ(pointer_pos[0], 620);
    EXPECT_EQ(pointer_pos[1], 40);
    EXPECT_EQ(digit_table[90].prop_hover, 2);
    EXPECT_EQ(digit_table[91].prop_hover, NO_BUTTON);   // not current: untouched
    on_passive_motion(480, 80);   // "Y-"
    EXPECT_EQ(digit_table[90].nudge_hover, 3);

    // With a current text too (after an alignment both can be current), the
    // text's row is drawn on top: only its button is marked, the one a press runs.
    current_string = 5;
    on_passive_motion(620, 40);
    EXPECT_EQ(string_table[5].prop_hover, 2);
    EXPECT_EQ(digit_table[90].prop_hover, NO_HOVER);
    EXPECT_EQ(digit_table[90].nudge_hover, NO_HOVER);

    on_passive_motion(480, 80);   // "Y-"
    EXPECT_EQ(string_table[5].nudge_hover, 3);
    EXPECT_EQ(digit_table[90].nudge_hover, NO_HOVER);
    EXPECT_EQ(digit_table[90].prop_hover, NO_HOVER);

    // Text buttons 14 and 15 exist (a scrolling text shows all 16); a unit has 14.
    string_table[5].mode = 1;
    const menu_unit& t15 = string_table[5].prop_buttons[15];
    on_passive_motion(t15.x + 5, t15.y - 5);
    EXPECT_EQ(string_table[5].prop_hover, 15);
    EXPECT_EQ(digit_table[90].prop_hover, NO_HOVER);
}

TEST_F(PointerTest, HoverMarksTheToolButtons)
{
    // The align row shows with a group, the span row in merge mode; the
    // delete button while something is selected.
    put_unit(90, KIND_LINE, 300, 300, 50, 8).group_selected = 1;
    sel_box[0] = 300;
    merge_mode = 1;
    int x, y;
    centre_of(align_row[0], x, y);   // "左对齐"
    on_passive_motion(x, y);
    EXPECT_EQ(row_hover[ROW_ALIGN], 0);
    EXPECT_EQ(row_hover[ROW_SPAN], NO_HOVER);   // "合并" stands under it, out of reach
    EXPECT_EQ(row_hover[ROW_COMMAND], NO_HOVER);
    centre_of(align_row[5], x, y);   // "等高度"
    on_passive_motion(x, y);
    EXPECT_EQ(row_hover[ROW_ALIGN], 5);
    centre_of(delete_row[2], x, y);
    on_passive_motion(x, y);
    EXPECT_EQ(row_hover[ROW_DELETE], 2);
    EXPECT_EQ(row_hover[ROW_ALIGN], NO_HOVER);
    centre_of(command_row[7], x, y);
    on_passive_motion(x, y);
    EXPECT_EQ(row_hover[ROW_COMMAND], 7);
    EXPECT_EQ(row_hover[ROW_DELETE], NO_HOVER);

    // The hover rectangle is the drawn and pressed one: just outside the
    // right end of "左对齐" nothing is marked.
    int l, t, r, b;
    l = align_row[0].x - led_pitch;
    r = align_row[0].x + led_pitch * (align_row[0].w - 1);
    t = align_row[0].y - led_pitch * align_row[0].h;
    b = align_row[0].y + led_pitch * (align_row[0].h / 4 + 2);
    on_passive_motion(r, (t + b) / 2);
    EXPECT_EQ(row_hover[ROW_ALIGN], NO_HOVER);
    on_passive_motion(r - 1, (t + b) / 2);
    EXPECT_EQ(row_hover[ROW_ALIGN], 0);
    on_passive_motion(l + 1, b);
    EXPECT_EQ(row_hover[ROW_ALIGN], NO_HOVER);
}

TEST_F(PointerTest, ZoomKeysRefitTheToolButtonsToTheirLabels)
{
    const int w2 = delete_row[2].w;
    on_key(17, 0, 0);   // Ctrl+Q: zoom in to 3
    on_key(17, 0, 0);   // and to 4
    ASSERT_EQ(led_pitch, 4);
    EXPECT_LT(delete_row[2].w, w2);
    EXPECT_GE(led_pitch * (delete_row[2].w - 1), label_width_px(delete_row[2].label, 36));
    on_key(1, 0, 0);    // Ctrl+A: zoom out
    on_key(1, 0, 0);
    ASSERT_EQ(led_pitch, 2);
    EXPECT_EQ(delete_row[2].w, w2);
}
