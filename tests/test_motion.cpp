// Pointer moves with the button held: drags and their 20 px limit, group
// moves, the rubber band, resizing by every handle, window moves, and the
// calendar composites.
#include "command/led_command.h"
#include "output/script_export.h"
#include "test_press_helpers.h"
#include <cstdio>

namespace {

// One motion step of (dx, dy) screen pixels with handle h grabbed.
void resize_step(int h, int dx, int dy)
{
    left_down = 1;
    resize_handle = h;
    screen_cursor(600, 300, cursor_prev);
    on_motion(600 + dx, 300 + dy);
    left_down = 0;
    resize_handle = 0;
}

struct rect4 {
    int x, y, w, h;
    bool operator==(const rect4& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};
std::ostream& operator<<(std::ostream& os, const rect4& r)
{
    return os << "(" << r.x << "," << r.y << "," << r.w << "," << r.h << ")";
}

rect4 rect_of(const Digit_unit& d) { return {d.x, d.y, d.width, d.height}; }
rect4 rect_of(const string_draw& s) { return {s.x, s.y, s.box_width, s.box_height}; }

} // namespace

// ---- drags ------------------------------------------------------------------------

TEST_F(PointerTest, DragStopsShortOf20PxFromTheLeftAndTopEdges)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    press(310, 305);
    drag(30, 200);   // x would be 20: dropped
    EXPECT_EQ(digit_table[90].x, 300);
    EXPECT_EQ(digit_table[90].y, 300);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_INFO);
    drag(31, 200);
    EXPECT_EQ(digit_table[90].x, 21);
    EXPECT_EQ(digit_table[90].y, 195);
    drag(200, 25);   // y would be 20: dropped, not clamped
    EXPECT_EQ(digit_table[90].x, 21);
    EXPECT_EQ(digit_table[90].y, 195);
    drag(500, 400);  // back in range: the drag goes on
    EXPECT_EQ(digit_table[90].x, 490);
    EXPECT_EQ(digit_table[90].y, 395);
    release(500, 400);
    drag(600, 450);  // released: nothing follows
    EXPECT_EQ(digit_table[90].x, 490);
}

TEST_F(PointerTest, TextDragKeepsTheCursor)
{
    put_text(5, 300, 300, 40, 20);
    press(310, 305);
    const int sets = screen_log.cursor_sets, shape = screen_log.cursor_shape;
    drag(410, 355);
    EXPECT_EQ(string_table[5].x, 400);
    EXPECT_EQ(string_table[5].y, 350);
    EXPECT_EQ(screen_log.cursor_sets, sets);
    EXPECT_EQ(screen_log.cursor_shape, shape);
    release(410, 355);
}

TEST_F(PointerTest, TheGroupFollowsTheDraggedItem)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 400, 320, 60, 8);
    put_text(5, 500, 340, 40, 20);
    digit_table[91].group_selected = string_table[5].group_selected = 1;
    digit_table[90].group_selected = 1;
    press(310, 304);
    ASSERT_EQ(current_unit, 90);
    drag(360, 324);
    drag(370, 334);
    release(370, 334);
    EXPECT_EQ(rect_of(digit_table[90]), (rect4{360, 330, 50, 8}));   // moved once, as the anchor
    EXPECT_EQ(rect_of(digit_table[91]), (rect4{460, 350, 60, 8}));
    EXPECT_EQ(rect_of(string_table[5]), (rect4{560, 370, 40, 20}));
}

TEST_F(PointerTest, GroupModeWithNothingCurrentDragsTheGroupByThePointer)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    put_unit(91, KIND_LINE, 400, 320, 60, 8);
    put_text(5, 500, 340, 40, 20);
    put_unit(92, KIND_LINE, 600, 400, 50, 8);   // not in the group
    digit_table[90].group_selected = string_table[5].group_selected = 1;

    on_passive_motion(420, 324);
    multi_select = 1;
    press_only(420, 324);   // adds 91; the phantom slot is the anchor
    ASSERT_EQ(digit_table[91].group_selected, 1);
    drag(450, 334);
    release(450, 334);
    EXPECT_EQ(rect_of(digit_table[90]), (rect4{330, 310, 50, 8}));
    EXPECT_EQ(rect_of(digit_table[91]), (rect4{430, 330, 60, 8}));
    EXPECT_EQ(rect_of(string_table[5]), (rect4{530, 350, 40, 20}));
    EXPECT_EQ(rect_of(digit_table[92]), (rect4{600, 400, 50, 8}));
    EXPECT_EQ(digit_table[NO_ITEM].visible, 0);

    // The same with a text pressed: the text table's phantom slot is the anchor.
    multi_select = 1;
    press_only(540, 355);
    drag(520, 345);
    release(520, 345);
    EXPECT_EQ(rect_of(digit_table[90]), (rect4{310, 300, 50, 8}));
    EXPECT_EQ(rect_of(string_table[5]), (rect4{510, 340, 40, 20}));
    EXPECT_EQ(string_table[NO_ITEM].visible, 0);
}

TEST_F(PointerTest, OnlyTheLeftButtonDrags)
{
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    current_unit = 90;
    unit_drag = 1;          // left over by an older press
    resize_handle = HANDLE_RIGHT;
    empty_press = 1;
    on_mouse(2, 0, 310, 304);
    on_motion(400, 100);
    EXPECT_EQ(rect_of(digit_table[90]), (rect4{300, 300, 50, 8}));
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
    EXPECT_EQ(pointer_pos[0], 400);   // the position is still followed
}

// ---- rubber band ---------------------------------------------------------------------

TEST_F(PointerTest, RubberBandSelectsCoveredCornersInBothDirections)
{
    put_unit(90, KIND_LINE, 400, 300, 50, 8);
    put_unit(91, KIND_LINE, 450, 320, 60, 8);
    put_text(5, 420, 310, 40, 20);
    put_unit(92, KIND_LINE, 600, 400, 50, 8);   // outside
    put_unit(93, KIND_LINE, 430, 305, 50, 8);
    digit_table[93].visible = 0;                // hidden: never selected
    put_unit(94, KIND_LINE, 498, 340, 50, 8);   // corner only 2 px inside the right edge

    press(380, 280);
    ASSERT_EQ(band_active, 1);
    drag(500, 360);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
    EXPECT_EQ(rubber_band.pic_width, 60);
    EXPECT_EQ(rubber_band.pic_height, 40);
    EXPECT_EQ(band_rect[0], 380);
    EXPECT_EQ(band_rect[1], 280);
    EXPECT_EQ(band_rect[2], 60);
    EXPECT_EQ(band_rect[3], 40);
    EXPECT_EQ(digit_table[90].group_selected, 1);
    EXPECT_EQ(digit_table[91].group_selected, 1);
    EXPECT_EQ(string_table[5].group_selected, 1);
    EXPECT_EQ(digit_table[92].group_selected, 0);
    EXPECT_EQ(digit_table[93].group_selected, 0);
    EXPECT_EQ(digit_table[94].group_selected, 0);
    EXPECT_EQ(sel_box[0], 420);   // texts come last: the text is the reference
    EXPECT_EQ(sel_box[2], 40);
    release(500, 360);
    EXPECT_EQ(band_active, 0);
    EXPECT_EQ(string_table[5].group_selected, 1);

    // Up and to the left from the far corner selects the same.
    click(900, 450);   // empty: ends the group
    ASSERT_EQ(digit_table[90].group_selected, 0);
    press(500, 360);
    drag(383, 283);
    EXPECT_EQ(rubber_band.pic_width, -58);   // truncated toward zero
    EXPECT_EQ(rubber_band.pic_height, -38);
    EXPECT_EQ(band_rect[0], 383);
    EXPECT_EQ(band_rect[1], 283);
    EXPECT_EQ(band_rect[2], 58);
    EXPECT_EQ(digit_table[90].group_selected, 1);
    EXPECT_EQ(digit_table[91].group_selected, 1);
    EXPECT_EQ(string_table[5].group_selected, 1);
    EXPECT_EQ(digit_table[92].group_selected, 0);
    // Within 20 px of the window's edge the band stays as it was.
    drag(15, 200);
    EXPECT_EQ(band_rect[0], 383);
    release(15, 200);
}

// ---- resizing --------------------------------------------------------------------------

TEST_F(PointerTest, RectanglesTakeEveryHandle)
{
    const rect4 want[9] = {{},
                           {403, 304, 57, 26}, {403, 300, 57, 30}, {403, 300, 57, 34}, {400, 300, 60, 34},
                           {400, 300, 63, 34}, {400, 300, 63, 30}, {400, 304, 63, 26}, {400, 304, 60, 26}};
    for (uint8_t kind : {KIND_RECT, KIND_FILLED_RECT})
        for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
            SCOPED_TRACE(h);
            Digit_unit& d = put_unit(360, kind, 400, 300, 60, 30);
            current_unit = 360;
            resize_step(h, 3, 4);
            EXPECT_EQ(rect_of(d), want[h]);
        }
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);   // the window never moved
}

TEST_F(PointerTest, LinesCirclesAndOtherKindsTakeTheirHandles)
{
    const rect4 line[9] = {{},
                           {403, 300, 57, 8}, {403, 300, 57, 8}, {403, 300, 57, 8}, {400, 300, 60, 8},
                           {400, 300, 63, 8}, {400, 300, 63, 8}, {400, 300, 63, 8}, {400, 300, 60, 8}};
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        // Handle 1 would leave height 8 - 4 = 4: every handle is tried with the
        // height upward drag the table allows.
        Digit_unit& d = put_unit(90, KIND_LINE, 400, 300, 60, 8);
        current_unit = 90;
        resize_step(h, 3, h == HANDLE_TOP_LEFT || h == HANDLE_TOP || h == HANDLE_TOP_RIGHT ? -4 : 4);
        EXPECT_EQ(rect_of(d), line[h]);
    }
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        Digit_unit& c = put_unit(125, KIND_CIRCLE, 400, 300, 40, 20);
        current_unit = 125;
        resize_step(h, 3, 4);
        EXPECT_EQ(rect_of(c), (rect4{400, 300, 40, h == HANDLE_BOTTOM ? 24 : 20}));
    }
    // A kind without resize rules stays as it is and keeps the window from resizing.
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        Digit_unit& v = put_unit(210, KIND_VARIABLE, 400, 300, 88, 80);
        current_unit = 210;
        resize_step(h, 3, 4);
        EXPECT_EQ(rect_of(v), (rect4{400, 300, 88, 80}));
    }
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, TextBoxesTakeEveryHandle)
{
    const rect4 want[9] = {{},
                           {403, 304, 37, 16}, {403, 300, 37, 20}, {403, 300, 37, 24}, {400, 300, 40, 24},
                           {400, 300, 43, 24}, {400, 300, 43, 20}, {400, 304, 43, 16}, {400, 304, 40, 16}};
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        string_draw& s = put_text(5, 400, 300, 40, 20);
        current_string = 5;
        resize_step(h, 3, 4);
        EXPECT_EQ(rect_of(s), want[h]);
    }
}

TEST_F(PointerTest, TheWindowTakesEveryHandle)
{
    struct change { int px, py, w, h; bool placed; };
    const change want[9] = {{},
                            {3, 4, -3, -4, true}, {3, 0, -3, 0, true}, {3, 0, -3, 4, true}, {0, 0, 0, 4, false},
                            {0, 0, 3, 4, false}, {0, 0, 3, 0, false}, {0, 4, 3, -4, true}, {0, 4, 0, -4, true}};
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        window_pos[0] = window_pos[1] = 50;
        window_size[0] = TEST_WINDOW_W;
        window_size[1] = TEST_WINDOW_H;
        clear_screen_log();
        resize_step(h, 3, 4);
        EXPECT_EQ(window_pos[0], 50 + want[h].px);
        EXPECT_EQ(window_pos[1], 50 + want[h].py);
        EXPECT_EQ(window_size[0], TEST_WINDOW_W + want[h].w);
        EXPECT_EQ(window_size[1], TEST_WINDOW_H + want[h].h);
        EXPECT_EQ(screen_log.places, want[h].placed ? 1 : 0);
        if (want[h].placed) {
            EXPECT_EQ(screen_log.placed[0], window_pos[0]);
            EXPECT_EQ(screen_log.placed[1], window_pos[1]);
        }
        EXPECT_EQ(screen_log.sizes, 1);
        EXPECT_EQ(screen_log.sized[0], window_size[0] - 16);
        EXPECT_EQ(screen_log.sized[1], window_size[1] - 39);
    }
    // Not below a usable client area.
    clear_screen_log();
    window_size[0] = 400;
    resize_step(HANDLE_RIGHT, -100, 0);
    EXPECT_EQ(window_size[0], 400);
    EXPECT_EQ(screen_log.sizes, 0);
}

TEST_F(PointerTest, TableCellsTakeEveryHandleAndMergesFollow)
{
    struct want_t { int cw0, cw1, rh0, rh1; int m_dx[3], m_dy0[3], m_dy1[3]; };
    // Cell (1, 1) selected; merges start in cells (0,0), (1,1), (2,2); d = (3, 4).
    const want_t want[9] = {
        {},
        {23, 20, 14, 10, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {23, 20, 10, 10, {3, 3, 3}, {0, 0, 0}, {0, 0, 0}},
        {23, 20, 10, 14, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {20, 20, 10, 14, {0, 0, 0}, {0, 0, 4}, {0, 4, 4}},
        {20, 23, 10, 14, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {20, 23, 10, 10, {0, 3, 3}, {0, 0, 0}, {0, 0, 0}},
        {20, 23, 14, 10, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {20, 20, 14, 10, {0, 0, 0}, {0, 4, 4}, {4, 4, 4}},
    };
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        Digit_unit& t = put_table(421, 400, 300);
        t.sel_col = t.sel_row = 1;
        t.merge_count = 3;
        for (int m = 0; m < 3; m++) t.merges[m] = merge_record{1, -100, -100, -100, -200, m, m};
        current_unit = 421;
        resize_step(h, 3, 4);
        EXPECT_EQ(t.col_width[0], want[h].cw0);
        EXPECT_EQ(t.col_width[1], want[h].cw1);
        EXPECT_EQ(t.row_height[0], want[h].rh0);
        EXPECT_EQ(t.row_height[1], want[h].rh1);
        EXPECT_EQ(t.col_width[2] + t.row_height[2], 30);
        for (int m = 0; m < 3; m++) {
            SCOPED_TRACE(m);
            EXPECT_EQ(t.merges[m].x0, -100 - want[h].m_dx[m]);
            EXPECT_EQ(t.merges[m].x1, -100 - want[h].m_dx[m]);
            EXPECT_EQ(t.merges[m].y0, -100 - want[h].m_dy0[m]);
            EXPECT_EQ(t.merges[m].y1, -200 - want[h].m_dy1[m]);
        }
    }
}

TEST_F(PointerTest, TableEdgesWithoutANeighbourOrACellChangeNothing)
{
    Digit_unit& t = put_table(421, 400, 300);
    current_unit = 421;
    t.sel_col = t.sel_row = 0;   // first cell: no column left of it, no row above
    t.merge_count = 1;
    t.merges[0] = merge_record{1, -100, -100, -100, -200, 0, 0};
    for (int h : {HANDLE_TOP_LEFT, HANDLE_LEFT, HANDLE_BOTTOM_LEFT, HANDLE_TOP_RIGHT, HANDLE_TOP}) resize_step(h, 3, 4);
    EXPECT_EQ(t.col_width[0], 20);
    EXPECT_EQ(t.row_height[0], 10);
    EXPECT_EQ(t.merges[0].x0, -100);
    EXPECT_EQ(t.merges[0].y0, -100);

    t.sel_col = t.sel_row = NO_BUTTON;   // no cell selected
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) resize_step(h, 3, 4);
    for (int c = 0; c < 4; c++) EXPECT_EQ(t.col_width[c], 20);

    t.sel_col = t.sel_row = 1;   // a column is never squeezed below 1 px
    t.col_width[1] = 2;
    resize_step(HANDLE_RIGHT, -3, 0);
    EXPECT_EQ(t.col_width[1], 2);
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, SizeLimitsStopTheItemWithoutResizingTheWindow)
{
    Digit_unit& d = put_unit(360, KIND_RECT, 400, 300, 6, 6);
    current_unit = 360;
    resize_step(HANDLE_RIGHT, 40, 0);   // fast outward drag of a small item's right edge
    EXPECT_EQ(d.width, 46);
    resize_step(HANDLE_BOTTOM, 0, 30);
    EXPECT_EQ(d.height, 36);
    resize_step(HANDLE_LEFT, 42, 0);    // would leave 4 px
    EXPECT_EQ(rect_of(d), (rect4{400, 300, 46, 36}));
    resize_step(HANDLE_LEFT, 41, 0);    // leaves 5 px
    EXPECT_EQ(rect_of(d), (rect4{441, 300, 5, 36}));
    resize_step(HANDLE_RIGHT, -1, 0);   // 4 px would be too narrow
    EXPECT_EQ(d.width, 5);

    string_draw& s = put_text(5, 400, 300, 6, 6);
    current_unit = NO_ITEM;
    current_string = 5;
    resize_step(HANDLE_BOTTOM_RIGHT, 30, 30);
    EXPECT_EQ(rect_of(s), (rect4{400, 300, 36, 36}));
    resize_step(HANDLE_TOP, 0, 32);
    EXPECT_EQ(rect_of(s), (rect4{400, 300, 36, 36}));
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, ACornerGrabbedByHoverAndPressGrowsTheRectangle)
{
    Digit_unit& d = put_unit(360, KIND_RECT, 400, 300, 60, 30);
    current_unit = 360;
    press(459, 329);   // bottom-right corner
    EXPECT_EQ(resize_handle, HANDLE_BOTTOM_RIGHT);
    EXPECT_EQ(unit_drag, 0);
    EXPECT_EQ(band_active, 0);
    drag(469, 335);
    drag(471, 336);
    release(471, 336);
    // 72 x 37 px while dragging; the release puts the size on whole dots.
    EXPECT_EQ(rect_of(d), (rect4{400, 300, 72, 38}));
    EXPECT_EQ(resize_handle, 0);
}

// ---- window move -------------------------------------------------------------------------

TEST_F(PointerTest, AnEmptySpotOfTheTopBandDragsTheWindow)
{
    press(800, 60);
    drag(830, 50);
    EXPECT_EQ(window_pos[0], 80);
    EXPECT_EQ(window_pos[1], 40);
    EXPECT_EQ(screen_log.places, 1);
    EXPECT_EQ(screen_log.placed[0], 80);
    EXPECT_EQ(screen_log.placed[1], 40);
    // The window followed: 10 px right and 5 px down on the screen is (810, 65) in it.
    drag(810, 65);
    EXPECT_EQ(window_pos[0], 90);
    EXPECT_EQ(window_pos[1], 45);
    drag(810, 190);   // below the band the window stays
    EXPECT_EQ(window_pos[1], 45);
    release(810, 190);

    // A held delete button does not drag the window.
    put_unit(90, KIND_LINE, 300, 300, 50, 8);
    current_unit = 90;
    int x, y;
    centre_of(delete_row[2], x, y);
    press(x, y);
    drag(x + 30, y);
    EXPECT_EQ(window_pos[0], 90);
    release(x + 30, y);
}

TEST_F(PointerTest, APropertyButtonActsOnceAndNeverDragsTheWindow)
{
    Digit_unit& d = put_unit(90, KIND_LINE, 300, 300, 50, 8);
    current_unit = 90;
    press(800, 60);   // an empty spot first: the window moves ...
    drag(810, 60);
    release(810, 60);
    ASSERT_EQ(window_pos[0], 60);
    press(620, 40);   // ... but a press on "颜色+" that slips never does
    drag(670, 40);
    drag(630, 45);
    release(630, 45);
    EXPECT_EQ(d.color, 1);
    EXPECT_EQ(window_pos[0], 60);
    EXPECT_EQ(window_pos[1], 50);
    EXPECT_EQ(d.x, 300);
}

// ---- calendar composites ------------------------------------------------------------------

TEST_F(PointerTest, TheYearDragsMonthAndDayAlong)
{
    const Digit_unit& year = digit_table[0];
    press(year.x + 5, year.y + 5);
    ASSERT_EQ(current_unit, 0);
    drag(405, 305);
    release(405, 305);
    EXPECT_EQ(year.x, 400);
    EXPECT_EQ(year.y, 300);
    // Widths (size + size/3 + 1) x digits x p: year 6 x 4 x 2, month and day 6 x 2 x 2.
    EXPECT_EQ(year.width, 48);
    EXPECT_EQ(year.height, 16);
    EXPECT_EQ(digit_table[3].x, 400 + 48 + 18 * 2);
    EXPECT_EQ(digit_table[6].x, digit_table[3].x + 24 + 14 * 2);
    EXPECT_EQ(digit_table[3].y, 300);
    EXPECT_EQ(digit_table[6].y, 300);

    // A size change of the year reaches the whole composite.
    digit_table[0].size = 8;
    digit_table[0].color = 3;
    apply_group_move(0, 0, 0, 0);
    EXPECT_EQ(digit_table[3].size, 8);
    EXPECT_EQ(digit_table[6].color, 3);
    EXPECT_EQ(digit_table[3].width, (8 + 2 + 1) * 2 * 2);
    EXPECT_EQ(digit_table[6].height, 2 * 8 * 2);
}

TEST_F(PointerTest, HourMinuteSecondAndTheMiddlePartsAlone)
{
    led_pitch = 3;
    current_unit = 12;
    digit_table[12].x = 400;
    digit_table[12].y = 300;
    apply_group_move(0, 0, 0, 0);
    const int w12 = digit_table[12].width, w15 = digit_table[15].width;
    EXPECT_EQ(w12, (4 + 1 + 1) * digit_table[12].digits * 3);
    EXPECT_EQ(digit_table[15].x, 400 + w12 + 14 * 3);
    EXPECT_EQ(digit_table[18].x, 400 + w12 + 14 * 3 + w15 + 14 * 3);

    // The month pressed alone: only the day follows, 16 dots after it.
    current_unit = 3;
    digit_table[3].x = 500;
    digit_table[3].y = 350;
    digit_table[3].size = 5;
    const int day_x = digit_table[6].x;
    apply_group_move(0, 0, 0, 0);
    EXPECT_EQ(digit_table[6].x, 500 + digit_table[3].width + 16 * 3);
    EXPECT_NE(digit_table[6].x, day_x);
    EXPECT_EQ(digit_table[6].y, 350);
    EXPECT_EQ(digit_table[6].size, 5);
    EXPECT_NE(digit_table[0].x + digit_table[0].width + 18 * 3, 500);   // the year stayed out of it

    // Another current item lays out nothing.
    current_unit = 90;
    digit_table[6].x = 1;
    apply_group_move(0, 0, 0, 0);
    EXPECT_EQ(digit_table[6].x, 1);
    // A group lays out nothing: only its members move, and only with the group.
    string_table[5].group_selected = 1;
    current_unit = 0;
    digit_table[6].x = 1;
    apply_group_move(0, 0, 0, 0);
    EXPECT_EQ(digit_table[6].x, 1);
}

TEST_F(PointerTest, ADeletedYearLeavesMonthAndDayWhereTheyAre)
{
    current_unit = 0;
    delete_selected();
    const int mx = digit_table[3].x, my = digit_table[3].y;
    apply_group_move(0, 0, 0, 0);
    EXPECT_EQ(digit_table[3].x, mx);
    EXPECT_EQ(digit_table[3].y, my);
    EXPECT_NE(my, DELETED_Y);
}

// ---- whole dots ---------------------------------------------------------------------------

TEST_F(PointerTest, DragsResizesAndGroupMovesComeToRestOnWholeDots)
{
    led_table[0].w = 256;
    led_table[0].h = 64;
    for (int p = 1; p <= 4; p++) {
        led_pitch = (uint8_t)p;
        reset_interaction_state();
        window_size[0] = TEST_WINDOW_W;
        window_size[1] = TEST_WINDOW_H;
        Digit_unit& r = put_unit(360, KIND_RECT, 301, 160, 61, 31);
        string_draw& t = put_text(5, 450, 171, 40, 20);
        t.group_selected = 1;
        r.group_selected = 0;
        click(330, 175);
        ASSERT_EQ(current_unit, 360);
        press(330, 175);   // drag by 8, 5: the text goes along as the group
        drag(338, 180);
        release(338, 180);
        press(r.x + r.width - 1, r.y + r.height - 1);   // then the bottom-right corner, 3 px out
        ASSERT_EQ(resize_handle, HANDLE_BOTTOM_RIGHT);
        drag(r.x + r.width + 2, r.y + r.height + 2);
        release(r.x + r.width + 2, r.y + r.height + 2);

        // What the export writes is what the panel shows: each item stands in
        // the dot the script names, one pixel in as the script reader puts it
        // (at pitch 1 a pixel is a dot), and its size is whole dots.
        const int in = p > 1 ? 1 : 0;
        int X, Y, X2, Y2, TX, TY;
        ASSERT_EQ(sscanf(digit_item_script(360).c_str(), "led r %*d %d %d %d %d", &X, &Y, &X2, &Y2), 4);
        ASSERT_EQ(sscanf(text_item_script(5).c_str(), "led %*dt %*d %d %d", &TX, &TY), 2);
        EXPECT_EQ(r.x, 265 + X * p + in) << "pitch " << p;
        EXPECT_EQ(r.y, 145 + Y * p + in) << "pitch " << p;
        EXPECT_EQ(r.width, (X2 - X) * p) << "pitch " << p;
        EXPECT_EQ(r.height, (Y2 - Y) * p) << "pitch " << p;
        EXPECT_EQ(t.x, 265 + TX * p + in) << "pitch " << p;
        EXPECT_EQ(t.y, 145 + TY * p + in) << "pitch " << p;
        if (p == 2) {
            EXPECT_EQ(r.x, dot_to_screen_x(X));   // where the next start puts it
        }
        EXPECT_NEAR(r.x, 309, p);   // the nearest dot to where the drag left it
        EXPECT_NEAR(t.x, 458, p);
    }
}
