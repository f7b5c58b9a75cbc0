// Pointer moves with the button held: drags and their 20 px limit, group
// moves, the rubber band, resizing by every handle, window moves, and the
// parts of a date or time.
#include "edit/arrange.h"
#include "items/handles.h"
#include "output/script_export.h"
#include "test_press_helpers.h"
#include <cstdio>

namespace {

// One motion step of (dx, dy) window pixels with handle h grabbed, as a press
// on that handle of the current item (or of the window, with none) starts it.
void resize_step(test_editor& t, int h, int dx, int dy)
{
    interaction& ui = *t.ui;
    ui.left_down = true;
    ui.gesture = GESTURE_RESIZE;
    ui.resize_handle = h;
    ui.resize_window = current_item(t.e) == nullptr;
    if (const item* it = current_item(t.e)) ui.resize_from = *it;
    ui.press_x = 600;
    ui.press_y = 300;
    screen_cursor(600, 300, ui.cursor_prev);
    on_motion(t.e, 600 + dx, 300 + dy);
    on_mouse(t.e, 0, 1, 600 + dx, 300 + dy);
}

struct rect4 {
    int64_t x, y, w, h;
    bool operator==(const rect4& o) const { return x == o.x && y == o.y && w == o.w && h == o.h; }
};
std::ostream& operator<<(std::ostream& os, const rect4& r)
{
    return os << "(" << r.x << "," << r.y << "," << r.w << "," << r.h << ")";
}

// The box an item covers, in dots.
rect4 rect_of(const item& it)
{
    const dot_box b = measure_item(it);
    return {b.x, b.y, b.w, b.h};
}

// A date pulled off the palette with the year's corner dropped on dot (x, y):
// year, month and day, in that order, into `parts`.
void pull_date(PointerTest& t, int64_t x, int64_t y, item_id parts[3])
{
    const palette_sample& s = palette_sample_of(SAMPLE_YEAR);
    t.press(s.x + 5, s.y + 5);
    const int tx = s.x + 5 + t.px(x) - s.x, ty = s.y + 5 + t.py(y) - s.y;
    t.drag(tx, ty);
    t.release(tx, ty);
    parts[0] = t.ui->current;
    ASSERT_EQ(parts_after(*t.doc, parts[0], parts + 1, 2), 2);
}

// Keeps the window's screen place the handlers start from at (50, 50) for
// the test, and puts back what it was.
struct window_place {
    int32_t was[2] = {window_pos[0], window_pos[1]};
    window_place() { window_pos[0] = window_pos[1] = 50; }
    ~window_place()
    {
        window_pos[0] = was[0];
        window_pos[1] = was[1];
    }
};

} // namespace

// ---- drags ------------------------------------------------------------------------

TEST_F(PointerTest, DragStopsShortOf20PxFromTheLeftAndTopEdges)
{
    const item_id d = add(sample(SAMPLE_LINE, 20, 80));   // corner at (306, 306)
    press(px(20) + 10, py(80));
    drag(30, 200);   // the corner would be at x 20: dropped
    EXPECT_EQ(at(d).x, 20);
    EXPECT_EQ(at(d).y, 80);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_INFO);
    drag(32, 200);   // at x 22
    EXPECT_EQ(at(d).x, -122);
    EXPECT_EQ(at(d).y, 27);
    drag(200, 20);   // y would be 20: dropped, not clamped
    EXPECT_EQ(at(d).x, -122);
    EXPECT_EQ(at(d).y, 27);
    drag(500, 400);  // back in range: the drag goes on
    EXPECT_EQ(at(d).x, 112);
    EXPECT_EQ(at(d).y, 127);
    release(500, 400);
    drag(600, 450);  // released: nothing follows
    EXPECT_EQ(at(d).x, 112);
}

TEST_F(PointerTest, TextDragKeepsTheCursor)
{
    const item_id t = add_text(20, 80, "AB");
    press(px(20) + 10, py(80) + 5);
    const int sets = screen_log.cursor_sets, shape = screen_log.cursor_shape;
    drag(px(20) + 110, py(80) + 55);
    EXPECT_EQ(at(t).x, 70);
    EXPECT_EQ(at(t).y, 105);
    EXPECT_EQ(screen_log.cursor_sets, sets);
    EXPECT_EQ(screen_log.cursor_shape, shape);
    release(px(20) + 110, py(80) + 55);
}

TEST_F(PointerTest, TheGroupFollowsTheDraggedItem)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id b = add(sample(SAMPLE_LINE, 70, 90));
    const item_id t = add_text(120, 100, "AB");
    for (item_id id : {b, t, a}) group_add(e, id);
    press(px(25), py(80));
    ASSERT_EQ(ui->current, a);
    drag(px(25) + 50, py(80) + 20);
    drag(px(25) + 60, py(80) + 30);
    release(px(25) + 60, py(80) + 30);
    EXPECT_EQ(at(a).x, 50);   // moved once, as the one pressed
    EXPECT_EQ(at(a).y, 95);
    EXPECT_EQ(at(b).x, 100);
    EXPECT_EQ(at(b).y, 105);
    EXPECT_EQ(at(t).x, 150);
    EXPECT_EQ(at(t).y, 115);
}

TEST_F(PointerTest, GroupModeWithNothingCurrentDragsTheGroupByThePointer)
{
    const item_id a = add(sample(SAMPLE_LINE, 20, 80));
    const item_id b = add(sample(SAMPLE_LINE, 70, 90));
    const item_id t = add_text(120, 100, "AB");
    const item_id d = add(sample(SAMPLE_LINE, 150, 120));   // not in the group
    group_add(e, a);
    group_add(e, t);

    ui->multi_select = true;
    on_passive_motion(e, px(75), py(90));
    press_only(px(75), py(90));   // adds b
    ASSERT_TRUE(ui->group[b]);
    ASSERT_EQ(ui->current, NO_ITEM);
    drag(px(75) + 30, py(90) + 10);
    release(px(75) + 30, py(90) + 10);
    EXPECT_EQ(rect_of(at(a)).x, 35);
    EXPECT_EQ(at(a).y, 85);
    EXPECT_EQ(at(b).x, 85);
    EXPECT_EQ(at(t).x, 135);
    EXPECT_EQ(at(t).y, 105);
    EXPECT_EQ(at(d).x, 150);
    EXPECT_EQ(at(d).y, 120);

    // The same with the text pressed.
    press_only(px(137), py(107));
    drag(px(137) - 20, py(107) - 10);
    release(px(137) - 20, py(107) - 10);
    EXPECT_EQ(at(a).x, 25);
    EXPECT_EQ(at(t).x, 125);
    EXPECT_EQ(at(t).y, 100);
    EXPECT_EQ(at(d).x, 150);
}

TEST_F(PointerTest, OnlyTheLeftButtonDrags)
{
    const item_id d = add(sample(SAMPLE_LINE, 20, 80));
    ui->current = d;
    ui->gesture = GESTURE_DRAG;   // left over by an older press
    ui->resize_handle = HANDLE_RIGHT;
    on_mouse(e, 2, 0, px(25), py(80));
    on_motion(e, 400, 100);
    EXPECT_EQ(at(d).x, 20);
    EXPECT_EQ(at(d).y, 80);
    EXPECT_EQ(at(d).w, 25);
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
    EXPECT_EQ(ui->pointer_x, 400);   // the position is still followed
}

// ---- rubber band ---------------------------------------------------------------------

TEST_F(PointerTest, RubberBandSelectsCoveredCornersInBothDirections)
{
    // The band from (380, 280) to (500, 360) covers corners from dot (58, 68) to (115, 105).
    const item_id a = add(sample(SAMPLE_LINE, 70, 80));
    const item_id b = add(sample(SAMPLE_LINE, 90, 90));
    const item_id t = add_text(80, 85, "AB");
    const item_id out = add(sample(SAMPLE_LINE, 150, 100));
    const item_id edge = add(sample(SAMPLE_LINE, 116, 95));   // corner only 2 px inside the right edge

    press(380, 280);
    ASSERT_EQ(ui->gesture, GESTURE_BAND);
    drag(500, 360);
    EXPECT_EQ(screen_log.cursor_shape, CURSOR_CROSSHAIR);
    EXPECT_EQ(ui->band_w, 60);
    EXPECT_EQ(ui->band_h, 40);
    EXPECT_TRUE(ui->group[a] && ui->group[b] && ui->group[t]);
    EXPECT_FALSE(ui->group[out]);
    EXPECT_FALSE(ui->group[edge]);
    EXPECT_EQ(ui->sel_ref, t);   // texts come last: the text is the reference
    release(500, 360);
    EXPECT_FALSE(ui->band_shown);
    EXPECT_TRUE(ui->group[t]);

    // Up and to the left from the far corner selects the same.
    click(900, 450);   // empty: ends the group
    ASSERT_FALSE(group_exists(*ui));
    press(500, 360);
    drag(383, 283);
    EXPECT_EQ(ui->band_w, -58);   // truncated toward zero
    EXPECT_EQ(ui->band_h, -38);
    EXPECT_TRUE(ui->group[a] && ui->group[b] && ui->group[t]);
    EXPECT_FALSE(ui->group[out]);
    // Within 20 px of the window's edge the band stays as it was.
    drag(15, 200);
    EXPECT_EQ(ui->band_w, -58);
    release(15, 200);
}

// ---- resizing --------------------------------------------------------------------------

TEST_F(PointerTest, RectanglesTakeEveryHandle)
{
    // Each handle dragged by 6, 8 px: 3, 4 dots.
    const rect4 want[HANDLE_COUNT] = {{},
                                      {43, 34, 27, 11}, {43, 30, 27, 15}, {43, 30, 27, 19}, {40, 30, 30, 19},
                                      {40, 30, 33, 19}, {40, 30, 33, 15}, {40, 34, 33, 11}, {40, 34, 30, 11}};
    for (int s : {SAMPLE_RECT, SAMPLE_FILLED_RECT})
        for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
            SCOPED_TRACE(h);
            item r = sample(s, 40, 30);
            r.w = 30;
            r.h = 15;
            ui->current = add(r);
            resize_step(*this, h, 6, 8);
            EXPECT_EQ(rect_of(at(ui->current)), want[h]);
            doc_delete(*doc, ui->current);
        }
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);   // the window never moved
}

TEST_F(PointerTest, LinesCirclesAndOtherKindsTakeTheirHandles)
{
    // A line's ends move; its height is not the user's to drag.
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        item l = sample(SAMPLE_LINE, 40, 30);
        l.w = 30;
        ui->current = add(l);
        resize_step(*this, h, 6, 8);
        const handle_way way = handle_way_of(h);
        const item& it = at(ui->current);
        EXPECT_EQ(it.x, way.w < 0 ? 43 : 40);
        EXPECT_EQ(it.w, way.w < 0 ? 27 : way.w > 0 ? 33 : 30);
        EXPECT_EQ(it.y, 30);
        doc_delete(*doc, ui->current);
    }
    // A circle grows only by its bottom handle: the radius.
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        ui->current = add(sample(SAMPLE_CIRCLE, 100, 60));
        resize_step(*this, h, 6, 8);
        EXPECT_EQ(at(ui->current).h, h == HANDLE_BOTTOM ? 14 : 10);
        EXPECT_EQ(at(ui->current).x, 100);
        doc_delete(*doc, ui->current);
    }
    // A kind without resize rules stays as it is and keeps the window from resizing.
    ui->current = add(sample(SAMPLE_REGISTER, 100, 60));
    const item was = at(ui->current);
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) resize_step(*this, h, 6, 8);
    EXPECT_EQ(rect_of(at(ui->current)), rect_of(was));
    EXPECT_EQ(at(ui->current).size, was.size);
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, ScrollingTextBoxesTakeEveryHandle)
{
    const rect4 want[HANDLE_COUNT] = {{},
                                      {43, 34, 17, 6}, {43, 30, 17, 10}, {43, 30, 17, 14}, {40, 30, 20, 14},
                                      {40, 30, 23, 14}, {40, 30, 23, 10}, {40, 34, 23, 6}, {40, 34, 20, 6}};
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        const item_id s = add_text(40, 30, "ABCDEFGH");
        at(s).mode = TEXT_SCROLLING;
        at(s).w = 20;
        at(s).h = 10;
        ui->current = s;
        resize_step(*this, h, 6, 8);
        EXPECT_EQ(rect_of(at(s)), want[h]);
        doc_delete(*doc, s);
    }
    // A static text's box is what it shows: no handle changes it.
    const item_id s = add_text(40, 30, "ABCD");
    ui->current = s;
    const rect4 shown = rect_of(at(s));
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) resize_step(*this, h, 6, 8);
    EXPECT_EQ(rect_of(at(s)), shown);
}

TEST_F(PointerTest, TheWindowTakesEveryHandle)
{
    window_place place;
    // A window a little larger than the least one: it can shrink by a few pixels.
    constexpr int OUTER_W = WINDOW_MIN_W + 100 + 16, OUTER_H = WINDOW_MIN_H + 100 + 39;
    struct change { int px, py, w, h; bool placed; };
    const change want[HANDLE_COUNT] = {{},
                                       {3, 4, -3, -4, true}, {3, 0, -3, 0, true}, {3, 0, -3, 4, true}, {0, 0, 0, 4, false},
                                       {0, 0, 3, 4, false}, {0, 0, 3, 0, false}, {0, 4, 3, -4, true}, {0, 4, 0, -4, true}};
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        ui->window_x = ui->window_y = 50;
        ui->window_w = OUTER_W;
        ui->window_h = OUTER_H;
        clear_screen_log();
        resize_step(*this, h, 3, 4);
        EXPECT_EQ(ui->window_x, 50 + want[h].px);
        EXPECT_EQ(ui->window_y, 50 + want[h].py);
        EXPECT_EQ(ui->window_w, OUTER_W + want[h].w);
        EXPECT_EQ(ui->window_h, OUTER_H + want[h].h);
        EXPECT_EQ(screen_log.places, want[h].placed ? 1 : 0);
        if (want[h].placed) {
            EXPECT_EQ(screen_log.placed[0], ui->window_x);
            EXPECT_EQ(screen_log.placed[1], ui->window_y);
        }
        EXPECT_EQ(screen_log.sizes, 1);
        EXPECT_EQ(screen_log.sized[0], ui->window_w - 16);
        EXPECT_EQ(screen_log.sized[1], ui->window_h - 39);
    }
    // Not below the least client area, where every control fits.
    ui->window_w = WINDOW_MIN_W + 16;
    ui->window_h = WINDOW_MIN_H + 39;
    for (int h : {HANDLE_RIGHT, HANDLE_BOTTOM, HANDLE_TOP_LEFT}) {
        SCOPED_TRACE(h);
        clear_screen_log();
        resize_step(*this, h, h == HANDLE_TOP_LEFT ? 1 : -1, h == HANDLE_TOP_LEFT ? 1 : -1);
        EXPECT_EQ(ui->window_w, WINDOW_MIN_W + 16);
        EXPECT_EQ(ui->window_h, WINDOW_MIN_H + 39);
        EXPECT_EQ(screen_log.sizes + screen_log.places, 0);
    }

    // Through the pointer: every edge of the client area can be grabbed, the
    // right and the bottom ones too, even over the scroll bars of a large panel.
    for (bool large : {false, true}) {
        if (large) set_panel(1024, 512);
        lay_out(WINDOW_MIN_W + 100, WINDOW_MIN_H + 100);
        ASSERT_EQ(v.vbar && v.hbar, large);
        const int W = v.window_w, H = v.window_h;
        struct grab { int x, y, handle, dx, dy, dw, dh; };
        const grab grabs[] = {{W - 2, H / 2, HANDLE_RIGHT, 30, 0, 30, 0},
                              {W / 2, H - 2, HANDLE_BOTTOM, 0, 20, 0, 20},
                              {W - 2, H - 2, HANDLE_BOTTOM_RIGHT, -40, -30, -40, -30},
                              {1, H / 2, HANDLE_LEFT, -25, 0, 25, 0}};
        for (const grab& g : grabs) {
            SCOPED_TRACE(testing::Message() << "large " << large << " handle " << g.handle);
            ui->window_x = ui->window_y = window_pos[0] = window_pos[1] = 50;
            ui->window_w = W + 16;
            ui->window_h = H + 39;
            const int64_t sx = v.scroll_x, sy = v.scroll_y;
            clear_screen_log();
            on_passive_motion(e, g.x, g.y);
            EXPECT_EQ(ui->resize_handle, g.handle);
            EXPECT_TRUE(ui->resize_window);
            press_only(g.x, g.y);
            EXPECT_EQ(ui->gesture, GESTURE_RESIZE);
            drag(g.x + g.dx, g.y + g.dy);
            release(g.x + g.dx, g.y + g.dy);
            EXPECT_EQ(ui->window_w, W + 16 + g.dw);
            EXPECT_EQ(ui->window_h, H + 39 + g.dh);
            EXPECT_EQ(screen_log.sizes, 1);
            EXPECT_EQ(screen_log.sized[0], W + g.dw);
            EXPECT_EQ(screen_log.sized[1], H + g.dh);
            EXPECT_EQ(ui->window_x, g.handle == HANDLE_LEFT ? 50 - 25 : 50);
            EXPECT_EQ(ui->window_y, 50);
            // The view did not scroll under the grab.
            EXPECT_EQ(v.scroll_x, sx);
            EXPECT_EQ(v.scroll_y, sy);
        }
    }
}

TEST_F(PointerTest, TableCellsTakeEveryHandleAndMergesFollow)
{
    struct want_t { int cw0, cw1, rh0, rh1; int m_dx[3], m_dy0[3], m_dy1[3]; };
    // Cell (1, 1) picked; merges start in cells (0,0), (1,1), (2,2); d = (3, 4) dots.
    const want_t want[HANDLE_COUNT] = {
        {},
        {13, 10, 9, 5, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {13, 10, 5, 5, {3, 3, 3}, {0, 0, 0}, {0, 0, 0}},
        {13, 10, 5, 9, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {10, 10, 5, 9, {0, 0, 0}, {0, 0, 4}, {0, 4, 4}},
        {10, 13, 5, 9, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {10, 13, 5, 5, {0, 3, 3}, {0, 0, 0}, {0, 0, 0}},
        {10, 13, 9, 5, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
        {10, 10, 9, 5, {0, 0, 0}, {0, 4, 4}, {4, 4, 4}},
    };
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) {
        SCOPED_TRACE(h);
        const item_id id = add_table(100, 60);
        table_grid& g = at(id).grid;
        ui->sel_col = ui->sel_row = 1;
        g.merge_count = 3;
        for (int m = 0; m < 3; m++) g.merges[m] = table_merge{m, m, 100, 100, 100, 200};
        ui->current = id;
        resize_step(*this, h, 6, 8);
        EXPECT_EQ(g.col_w[0], want[h].cw0);
        EXPECT_EQ(g.col_w[1], want[h].cw1);
        EXPECT_EQ(g.row_h[0], want[h].rh0);
        EXPECT_EQ(g.row_h[1], want[h].rh1);
        EXPECT_EQ(g.col_w[2] + g.row_h[2], 15);
        for (int m = 0; m < 3; m++) {
            SCOPED_TRACE(m);
            EXPECT_EQ(g.merges[m].x0, 100 + want[h].m_dx[m]);
            EXPECT_EQ(g.merges[m].x1, 100 + want[h].m_dx[m]);
            EXPECT_EQ(g.merges[m].y0, 100 + want[h].m_dy0[m]);
            EXPECT_EQ(g.merges[m].y1, 200 + want[h].m_dy1[m]);
        }
        doc_delete(*doc, id);
    }
}

TEST_F(PointerTest, TableEdgesWithoutANeighbourOrACellChangeNothing)
{
    const item_id id = add_table(100, 60);
    table_grid& g = at(id).grid;
    ui->current = id;
    ui->sel_col = ui->sel_row = 0;   // first cell: no column left of it, no row above
    g.merge_count = 1;
    g.merges[0] = table_merge{0, 0, 100, 100, 100, 200};
    for (int h : {HANDLE_TOP_LEFT, HANDLE_LEFT, HANDLE_BOTTOM_LEFT, HANDLE_TOP_RIGHT, HANDLE_TOP}) resize_step(*this, h, 6, 8);
    EXPECT_EQ(g.col_w[0], 10);
    EXPECT_EQ(g.row_h[0], 5);
    EXPECT_EQ(g.merges[0].x0, 100);
    EXPECT_EQ(g.merges[0].y0, 100);

    ui->sel_col = ui->sel_row = NO_BUTTON;   // no cell picked
    for (int h = HANDLE_TOP_LEFT; h <= HANDLE_TOP; h++) resize_step(*this, h, 6, 8);
    for (int c = 0; c < 4; c++) EXPECT_EQ(g.col_w[c], 10);

    ui->sel_col = ui->sel_row = 1;   // a column is never squeezed below 1 dot
    g.col_w[1] = 2;
    resize_step(*this, HANDLE_RIGHT, -6, 0);
    EXPECT_EQ(g.col_w[1], 2);
    resize_step(*this, HANDLE_RIGHT, -2, 0);
    EXPECT_EQ(g.col_w[1], 1);
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, SizeLimitsStopTheItemWithoutResizingTheWindow)
{
    ui->current = add_rect(40, 30, 3, 3);
    item& d = at(ui->current);
    resize_step(*this, HANDLE_RIGHT, 40, 0);   // fast outward drag of a small item's right edge
    EXPECT_EQ(d.w, 23);
    resize_step(*this, HANDLE_BOTTOM, 0, 30);
    EXPECT_EQ(d.h, 18);
    resize_step(*this, HANDLE_LEFT, 44, 0);    // would leave 1 dot
    EXPECT_EQ(rect_of(d), (rect4{40, 30, 23, 18}));
    resize_step(*this, HANDLE_LEFT, 42, 0);    // leaves 2
    EXPECT_EQ(rect_of(d), (rect4{61, 30, 2, 18}));
    resize_step(*this, HANDLE_RIGHT, -2, 0);   // 1 dot would be too narrow
    EXPECT_EQ(d.w, 2);

    const item_id s = add_text(40, 60, "ABCDEFGH");
    at(s).mode = TEXT_SCROLLING;
    at(s).w = at(s).h = 3;
    ui->current = s;
    resize_step(*this, HANDLE_BOTTOM_RIGHT, 30, 30);
    EXPECT_EQ(rect_of(at(s)), (rect4{40, 60, 18, 18}));
    resize_step(*this, HANDLE_TOP, 0, 34);
    EXPECT_EQ(rect_of(at(s)), (rect4{40, 60, 18, 18}));
    EXPECT_EQ(screen_log.places + screen_log.sizes, 0);
}

TEST_F(PointerTest, ACornerGrabbedByHoverAndPressGrowsTheRectangle)
{
    const item_id r = add_rect(40, 30, 30, 15);
    ui->current = r;
    const int cx = px(70) - 1, cy = py(45) - 1;   // bottom-right corner
    press(cx, cy);
    EXPECT_EQ(ui->resize_handle, HANDLE_BOTTOM_RIGHT);
    EXPECT_EQ(ui->gesture, GESTURE_RESIZE);
    drag(cx + 10, cy + 6);
    EXPECT_EQ(rect_of(at(r)), (rect4{40, 30, 35, 18}));
    drag(cx + 12, cy + 7);   // 3.5 dots down: the nearest whole dot
    release(cx + 12, cy + 7);
    EXPECT_EQ(rect_of(at(r)), (rect4{40, 30, 36, 19}));
    EXPECT_EQ(ui->resize_handle, 0);
}

// ---- window move -------------------------------------------------------------------------

TEST_F(PointerTest, AnEmptySpotOfTheTopBandDragsTheWindow)
{
    window_place place;
    press(800, 60);
    drag(830, 50);
    EXPECT_EQ(ui->window_x, 80);
    EXPECT_EQ(ui->window_y, 40);
    EXPECT_EQ(screen_log.places, 1);
    EXPECT_EQ(screen_log.placed[0], 80);
    EXPECT_EQ(screen_log.placed[1], 40);
    // The window followed: 10 px right and 5 px down on the screen is (810, 65) in it.
    drag(810, 65);
    EXPECT_EQ(ui->window_x, 90);
    EXPECT_EQ(ui->window_y, 45);
    drag(810, 190);   // below the band the window stays
    EXPECT_EQ(ui->window_y, 45);
    release(810, 190);

    // A held delete button does not drag the window.
    ui->current = add(sample(SAMPLE_LINE, 20, 80));
    int x, y;
    centre_of(tool_row(ROW_DELETE, v.window_w)[DELETE_SLOT], x, y);
    press(x, y);
    drag(x + 30, y);
    EXPECT_EQ(ui->window_x, 90);
    release(x + 30, y);
}

TEST_F(PointerTest, APropertyButtonActsOnceAndNeverDragsTheWindow)
{
    window_place place;
    const item_id d = add(sample(SAMPLE_LINE, 20, 80));
    ui->current = d;
    press(800, 60);   // an empty spot first: the window moves ...
    drag(810, 60);
    release(810, 60);
    ASSERT_EQ(ui->window_x, 60);
    press(620, 40);   // ... but a press on "颜色+" that slips never does
    drag(670, 40);
    drag(630, 45);
    release(630, 45);
    EXPECT_EQ(at(d).color, 1);
    EXPECT_EQ(ui->window_x, 60);
    EXPECT_EQ(ui->window_y, 50);
    EXPECT_EQ(at(d).x, 20);
}

// ---- the parts of a date or time ------------------------------------------------------------

TEST_F(PointerTest, TheYearDragsMonthAndDayAlong)
{
    item_id date[3];
    pull_date(*this, 60, 70, date);
    const item &year = at(date[0]), &month = at(date[1]), &day = at(date[2]);
    EXPECT_EQ(year.x, 60);
    EXPECT_EQ(year.y, 70);
    // Widths (size + size/3 + 1) x digits: year 6 x 4, month and day 6 x 2.
    EXPECT_EQ(rect_of(year).w, 24);
    EXPECT_EQ(rect_of(year).h, 8);
    EXPECT_EQ(month.x, 60 + 24 + 18);
    EXPECT_EQ(day.x, month.x + 12 + 14);
    EXPECT_EQ(month.y, 70);
    EXPECT_EQ(day.y, 70);

    // A size or colour change of the year reaches the whole date.
    click(560, 40);   // "大小+"
    click(620, 40);   // "颜色+"
    EXPECT_EQ(year.size, 5);
    EXPECT_EQ(month.size, 5);
    EXPECT_EQ(day.size, 5);
    EXPECT_EQ(day.color, year.color);
    EXPECT_EQ(rect_of(month).w, (5 + 1 + 1) * 2);
    EXPECT_EQ(rect_of(day).h, 2 * 5);
    EXPECT_EQ(month.x, 60 + 28 + 18);
    EXPECT_EQ(day.x, month.x + 14 + 14);
}

TEST_F(PointerTest, HourMinuteSecondAndTheMiddlePartsAlone)
{
    // The time, pulled at pitch 3: the parts keep their gaps in dots.
    v.pitch = 3;
    const palette_sample& s = palette_sample_of(SAMPLE_HOUR);
    press(s.x + 5, s.y + 5);
    drag(s.x + 5 + px(60) - s.x, s.y + 5 + py(70) - s.y);
    release(s.x + 5 + px(60) - s.x, s.y + 5 + py(70) - s.y);
    const item_id hour = ui->current;
    item_id parts[2];
    ASSERT_EQ(parts_after(*doc, hour, parts, 2), 2);
    EXPECT_EQ(at(hour).x, 60);
    EXPECT_EQ(at(parts[0]).x, 60 + 12 + 14);
    EXPECT_EQ(at(parts[1]).x, 60 + 12 + 14 + 12 + 14);
    EXPECT_EQ(at(parts[1]).y, 70);
    v.pitch = 2;

    // The month pressed alone: only the day follows it.
    item_id date[3];
    pull_date(*this, 20, 20, date);
    const int64_t year_x = at(date[0]).x, gap = at(date[2]).x - at(date[1]).x;
    press(px(at(date[1]).x) + 2, py(20) + 2);
    ASSERT_EQ(ui->current, date[1]);
    drag(px(at(date[1]).x) + 22, py(20) + 12);
    release(px(at(date[1]).x) + 22, py(20) + 12);
    EXPECT_EQ(at(date[1]).y, 25);
    EXPECT_EQ(at(date[2]).y, 25);
    EXPECT_EQ(at(date[2]).x - at(date[1]).x, gap);
    EXPECT_EQ(at(date[0]).x, year_x);
    EXPECT_EQ(at(date[0]).y, 20);

    // A group moves its members and nothing else: the year goes, month and day stay.
    const item_id t = add_text(100, 100, "AB");
    group_add(e, date[0]);
    group_add(e, t);
    const int64_t month_x = at(date[1]).x;
    press(px(year_x) + 2, py(20) + 2);
    drag(px(year_x) + 12, py(20) + 2);
    release(px(year_x) + 12, py(20) + 2);
    EXPECT_EQ(at(date[0]).x, year_x + 5);
    EXPECT_EQ(at(t).x, 105);
    EXPECT_EQ(at(date[1]).x, month_x);
}

TEST_F(PointerTest, ADeletedYearLeavesMonthAndDayWhereTheyAre)
{
    item_id date[3];
    pull_date(*this, 60, 70, date);
    ASSERT_EQ(ui->current, date[0]);
    ASSERT_TRUE(delete_selected(e));
    const int64_t mx = at(date[1]).x, dx = at(date[2]).x;
    // A new item may take the year's place in the document: it leads nothing.
    const item_id r = add_rect(20, 20, 10, 10);
    press(px(25), py(25));
    ASSERT_EQ(ui->current, r);
    drag(px(25) + 20, py(25) + 20);
    release(px(25) + 20, py(25) + 20);
    EXPECT_EQ(at(r).x, 30);
    EXPECT_EQ(at(date[1]).x, mx);
    EXPECT_EQ(at(date[1]).y, 70);
    EXPECT_EQ(at(date[2]).x, dx);
}

// ---- whole dots ---------------------------------------------------------------------------

TEST_F(PointerTest, DragsResizesAndGroupMovesComeToRestOnWholeDots)
{
    for (int p = 1; p <= 4; p++) {
        SCOPED_TRACE(p);
        doc_clear_layout(*doc);
        reset_interaction(*ui);
        ui->window_w = TEST_WINDOW_W;
        ui->window_h = TEST_WINDOW_H;
        v.pitch = p;
        const item_id r = add_rect(20, 10, 30, 15);
        const item_id t = add_text(90, 15, "AB");
        group_add(e, t);
        const int gx = px(20) + 8, gy = py(10) + 8;
        click(gx, gy);
        ASSERT_EQ(ui->current, r);
        press(gx, gy);   // drag by 8, 5 px: the text goes along as the group
        drag(gx + 8, gy + 5);
        release(gx + 8, gy + 5);
        const int64_t mx = (8 + p / 2) / p, my = (5 + p / 2) / p;   // the nearest dot, halves up
        EXPECT_EQ(at(r).x, 20 + mx);
        EXPECT_EQ(at(r).y, 10 + my);
        EXPECT_EQ(at(t).x, 90 + mx);
        EXPECT_EQ(at(t).y, 15 + my);
        // Then the bottom-right corner, 3 px out.
        const int cx = px(at(r).x + at(r).w) - 1, cy = py(at(r).y + at(r).h) - 1;
        press(cx, cy);
        ASSERT_EQ(ui->resize_handle, HANDLE_BOTTOM_RIGHT);
        drag(cx + 3, cy + 3);
        release(cx + 3, cy + 3);
        const int64_t grow = (3 + p / 2) / p;
        EXPECT_EQ(at(r).w, 30 + grow);
        EXPECT_EQ(at(r).h, 15 + grow);

        // What the export writes is where the item stands on the panel.
        int slot, X, Y, X2, Y2;
        ASSERT_EQ(sscanf(item_script(*doc, at(r)).c_str(), "led r %d %d %d %d %d", &slot, &X, &Y, &X2, &Y2), 5)
            << item_script(*doc, at(r));
        EXPECT_EQ(X, at(r).x);
        EXPECT_EQ(Y, at(r).y);
        EXPECT_EQ(X2 - X, at(r).w);
        EXPECT_EQ(Y2 - Y, at(r).h);
    }
}
