/*******************************************************************************
 * edit/hover.cpp - pointer moves without a button: hover marks, resize handles
 *
 * Every such move marks the button drawn on top under the
 * pointer (the renderers draw it highlighted; a press there runs it), and tests the window, the current unit (or its table's
 * selected cell) and the current text for an edge or corner within 5 px: the
 * last rectangle tested decides resize_handle and the cursor shape.
 *
 * Limits: only the rows that are shown are tested, with the same rectangles
 * that are drawn and pressed; hover indices are -1 for none.
 * Depends on: edit/hit_test, edit/state, items/kinds (which kinds offer
 * handles), model/button_rows, platform/screen.
 * Does NOT: change any record (only hover fields), press or drag anything.
 ******************************************************************************/
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "items/kinds.h"
#include "model/button_rows.h"
#include "platform/screen.h"

namespace {

constexpr int HANDLE_REACH = 5;       // zones reach 5 px both sides of an edge
constexpr int LEFT_EDGE_REACH = 2;    // the left edge band reaches 2 px inside

// Set the handle and show its cursor.
void set_handle(int handle, int cursor)
{
    resize_handle = handle;
    set_cursor_shape(cursor);
}

} // namespace

// Corners first, then the bottom, right and top edges, and the left edge over all of them.
void update_resize_cursor_at(int px, int py, int x, int y, int w, int h)
{
    const int64_t L = x, R = (int64_t)x + w, T = y, B = (int64_t)y + h;
    const int64_t d = HANDLE_REACH;
    if (px < L - d || px > R + d || py < T - d || py > B + d) {
        set_handle(HANDLE_NONE, CURSOR_RIGHT_ARROW);
        return;
    }
    if (px <= L + d && py >= B - d) {
        set_handle(HANDLE_BOTTOM_LEFT, CURSOR_TOP_RIGHT_CORNER);
    } else if (px <= L + d && py <= T + d) {
        set_handle(HANDLE_TOP_LEFT, CURSOR_TOP_LEFT_CORNER);
    } else if (px >= R - d && py <= T + d) {
        set_handle(HANDLE_TOP_RIGHT, CURSOR_TOP_RIGHT_CORNER);
    } else {
        if (py >= B - d) {
            if (px >= R - d) set_handle(HANDLE_BOTTOM_RIGHT, CURSOR_TOP_LEFT_CORNER);
            else set_handle(HANDLE_BOTTOM, CURSOR_UP_DOWN);
        } else if (!band_active) {
            // During a rubber band the inside keeps the handle and cursor it has.
            set_handle(HANDLE_NONE, CURSOR_RIGHT_ARROW);
        }
        if (px >= R - d && py > T + d && py < B - d) set_handle(HANDLE_RIGHT, CURSOR_LEFT_RIGHT);
        if (py <= T + d && px > L + d && px < R - d) set_handle(HANDLE_TOP, CURSOR_UP_DOWN);
    }
    // Last, and over any corner: the left edge band.
    const int64_t e = LEFT_EDGE_REACH;
    if (px <= L + e && py > T + e && py < B - e) set_handle(HANDLE_LEFT, CURSOR_RIGHT_SIDE);
}

// The handle test at the last known pointer position.
void update_resize_cursor(int left, int top, int width, int height)
{
    update_resize_cursor_at(pointer_pos[0], pointer_pos[1], left, top, width, height);
}

// Window, current unit (or its selected cell), current text: the last test decides.
void test_resize_handles(int px, int py)
{
    update_resize_cursor_at(px, py, 0, 0, window_size[0], window_size[1]);
    int32_t box[4];
    if (const Digit_unit* d = current_unit_record())
        if (resize_handle_box(*d, box)) update_resize_cursor_at(px, py, box[0], box[1], box[2], box[3]);
    if (const string_draw* s = current_text_record())
        update_resize_cursor_at(px, py, s->x, s->y, s->box_width, s->box_height);
}

// Marks the buttons under the pointer, picks the handle.
void on_passive_motion(int x, int y)
{
    pointer_pos[0] = x;
    pointer_pos[1] = y;

    // Only the button drawn on top is marked: the one a press would run.
    const button_spot b = button_under(x, y);
    auto mark = [&](int row) { return b.row == row ? b.index : NO_HOVER; };
    if (string_draw* s = current_text_record()) {
        s->prop_hover = mark(BUTTONS_TEXT_PROP);
        s->nudge_hover = mark(BUTTONS_TEXT_NUDGE);
    }
    if (Digit_unit* d = current_unit_record()) {
        d->prop_hover = mark(BUTTONS_UNIT_PROP);
        d->nudge_hover = mark(BUTTONS_UNIT_NUDGE);
    }
    row_hover[ROW_ALIGN] = mark(BUTTONS_ALIGN);
    row_hover[ROW_DELETE] = mark(BUTTONS_DELETE);
    row_hover[ROW_COMMAND] = mark(BUTTONS_COMMAND);
    row_hover[ROW_SPAN] = mark(BUTTONS_SPAN);

    test_resize_handles(x, y);
}
