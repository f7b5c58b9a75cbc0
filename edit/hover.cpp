/*******************************************************************************
 * edit/hover.cpp - pointer moves without a button: hover marks, resize handles
 *
 * Every such move marks the button drawn on top under the pointer (the frame
 * draws it highlighted; a press there runs it), and tests the window and the
 * current item (or its table's picked cell) for an edge or corner within 5
 * px: the last rectangle tested decides the handle and the cursor shape
 * (during a rubber band, a point inside a rectangle keeps both as they are).
 *
 * Limits: only the rows that are shown are tested, with the same rectangles
 * that are drawn and pressed.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: change any item, press or drag anything.
 ******************************************************************************/
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "items/handles.h"
#include "platform/screen.h"

namespace {

constexpr int HANDLE_REACH = 5;       // zones reach 5 px both sides of an edge
constexpr int LEFT_EDGE_REACH = 2;    // the left edge band reaches 2 px inside
constexpr int CURSOR_KEPT = -1;       // the cursor stays as it is

// The handle of the rectangle (x, y, w, h) under (px, py), and its cursor.
struct handle_hit {
    int handle;
    int cursor;
};

// Corners first, then the bottom, right and top edges, and the left edge over all of them.
handle_hit handle_at(int px, int py, int64_t x, int64_t y, int64_t w, int64_t h, bool inside_keeps, handle_hit kept)
{
    const int64_t L = x, R = x + w, T = y, B = y + h;
    const int64_t d = HANDLE_REACH;
    if (px < L - d || px > R + d || py < T - d || py > B + d) return {HANDLE_NONE, CURSOR_RIGHT_ARROW};
    handle_hit hit = kept;
    if (px <= L + d && py >= B - d) {
        hit = {HANDLE_BOTTOM_LEFT, CURSOR_TOP_RIGHT_CORNER};
    } else if (px <= L + d && py <= T + d) {
        hit = {HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER};
    } else if (px >= R - d && py <= T + d) {
        hit = {HANDLE_TOP_RIGHT, CURSOR_TOP_RIGHT_CORNER};
    } else {
        if (py >= B - d) {
            if (px >= R - d) hit = {HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER};
            else hit = {HANDLE_BOTTOM, CURSOR_UP_DOWN};
        } else if (!inside_keeps) {
            // During a rubber band the inside keeps the handle and cursor it has.
            hit = {HANDLE_NONE, CURSOR_RIGHT_ARROW};
        }
        if (px >= R - d && py > T + d && py < B - d) hit = {HANDLE_RIGHT, CURSOR_LEFT_RIGHT};
        if (py <= T + d && px > L + d && px < R - d) hit = {HANDLE_TOP, CURSOR_UP_DOWN};
    }
    // Last, and over any corner: the left edge band.
    const int64_t edge = LEFT_EDGE_REACH;
    if (px <= L + edge && py > T + edge && py < B - edge) hit = {HANDLE_LEFT, CURSOR_RIGHT_SIDE};
    return hit;
}

} // namespace

void test_resize_handles(editor& e, int px, int py)
{
    interaction& ui = e.ui;
    const bool band = ui.gesture == GESTURE_BAND;
    handle_hit hit{ui.resize_handle, CURSOR_KEPT};
    hit = handle_at(px, py, 0, 0, e.v.window_w, e.v.window_h, band, hit);
    ui.resize_window = hit.handle != HANDLE_NONE;
    dot_box box;
    if (const item* it = current_item(e))
        if (resize_handle_box(e.doc, *it, ui.sel_col, ui.sel_row, box)) {
            const int p = view_pitch(e.v);
            hit = handle_at(px, py, view_x(e.v, box.x), view_y(e.v, box.y), box.w * p, box.h * p, band, hit);
            ui.resize_window = false;
        }
    ui.resize_handle = hit.handle;
    if (hit.cursor != CURSOR_KEPT) set_cursor_shape(hit.cursor);
}

// Marks the buttons under the pointer, picks the handle.
void on_passive_motion(editor& e, int x, int y)
{
    interaction& ui = e.ui;
    ui.pointer_x = x;
    ui.pointer_y = y;
    // Only the button drawn on top is marked: the one a press would run.
    const button_spot b = button_under(e, x, y);
    auto mark = [&](int row) { return b.row == row ? b.index : NO_HOVER; };
    ui.prop.hover = mark(BUTTONS_PROP);
    ui.nudge.hover = mark(BUTTONS_NUDGE);
    ui.rows[ROW_ALIGN].hover = mark(BUTTONS_ALIGN);
    ui.rows[ROW_DELETE].hover = mark(BUTTONS_DELETE);
    ui.rows[ROW_COMMAND].hover = mark(BUTTONS_COMMAND);
    ui.rows[ROW_SPAN].hover = mark(BUTTONS_SPAN);
    test_resize_handles(e, x, y);
}
