/*******************************************************************************
 * edit/motion.cpp - pointer moves with the left button held
 *
 * After a press has set things up, each move grows the rubber band and adds
 * what it covers to the group, resizes the current item (or the window) by
 * the grabbed handle, drags the current item with the group, or drags the
 * window by an empty spot of its top band.
 *
 * Limits: a drag never puts an item's top-left at 20 px or less from the
 * window's left or top edge (that move is dropped, not clamped); an item is
 * not resized below 5 px, a table cell below 1 px, the window's client area
 * below WINDOW_MIN_W x WINDOW_MIN_H. Only visible records join the group.
 * Depends on: edit/hit_test, edit/state, items/kinds (each kind's resize),
 * items/handles,
 * platform/screen.
 * Does NOT: pick the handle (edit/hover.cpp) or start anything (edit/press.cpp).
 ******************************************************************************/
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "model/settings.h"
#include "items/handles.h"
#include "items/kinds.h"
#include "platform/screen.h"
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int DRAG_LIMIT = 20;          // positions at or left of / above this are dropped
constexpr int BAND_LIMIT = 20;          // the band follows only right of and below this
constexpr int BAND_CORNER_MARGIN = 2;   // a corner must lie 2 px inside the band's far edges
constexpr int WINDOW_MOVE_BAND = 185;   // the window is dragged by presses at or above this
constexpr int WINDOW_MIN_W = 320;       // least client size a resize leaves
constexpr int WINDOW_MIN_H = 200;
constexpr int FRAME_W = 16, FRAME_H = 39;   // outer size minus client size

// The rubber band: extent in dots, normalised rectangle, and the items whose
// top-left corner it covers join the group; the last one is the reference.
void grow_band(int px, int py)
{
    set_cursor_shape(CURSOR_CROSSHAIR);
    if (px <= BAND_LIMIT || py <= BAND_LIMIT) return;
    const int p = dot_pitch();
    rubber_band.pic_width = (px - rubber_band.left) / p;
    rubber_band.pic_height = (py - rubber_band.top) / p;
    band_rect[0] = std::min(px, rubber_band.left);
    band_rect[1] = std::min(py, rubber_band.top);
    band_rect[2] = std::abs(rubber_band.pic_width);
    band_rect[3] = std::abs(rubber_band.pic_height);
    const int64_t L = band_rect[0], T = band_rect[1];
    const int64_t R = L + (int64_t)band_rect[2] * p, B = T + (int64_t)band_rect[3] * p;
    auto covers = [&](int64_t x, int64_t y) {
        return L < x && x + BAND_CORNER_MARGIN < R && T < y && y + BAND_CORNER_MARGIN < B;
    };
    for (int i = 0; i <= LAST_ITEM_INDEX; i++) {
        Digit_unit& d = digit_table[i];
        if (!d.visible || !covers(d.x, d.y)) continue;
        d.group_selected = 1;
        set_sel_ref(SEL_REF_UNIT, i);
    }
    for (int i = 0; i <= LAST_ITEM_INDEX; i++) {
        string_draw& s = string_table[i];
        if (!s.visible || !covers(s.x, s.y)) continue;
        s.group_selected = 1;
        set_sel_ref(SEL_REF_TEXT, i);
    }
}

// Resize a Digit_unit by handle h; kinds without resize rules stay as they are.
void resize_unit(Digit_unit& u, int h, int dx, int dy)
{
    if (const auto resize = kind_of(u).resize) resize(u, h, dx, dy);
}

// Resize a text box by handle h when the box stays at least 5 px each way.
void resize_text(string_draw& s, int h, int dx, int dy)
{
    const handle_way way = HANDLE_WAYS[h];
    if (!size_allows(s.box_width, way.w, dx, ITEM_MIN) || !size_allows(s.box_height, way.h, dy, ITEM_MIN)) return;
    if (way.w < 0) { s.x += dx; s.box_width -= dx; }
    if (way.w > 0) s.box_width += dx;
    if (way.h < 0) { s.y += dy; s.box_height -= dy; }
    if (way.h > 0) s.box_height += dy;
}

// Resize the window by handle h: the left and top handles also move it.
void resize_window(int h, int dx, int dy)
{
    const handle_way way = HANDLE_WAYS[h];
    const int64_t w = (int64_t)window_size[0] + way.w * (int64_t)dx;
    const int64_t ht = (int64_t)window_size[1] + way.h * (int64_t)dy;
    if (w - FRAME_W < WINDOW_MIN_W || ht - FRAME_H < WINDOW_MIN_H) return;
    const bool moves = way.w < 0 || way.h < 0;
    if (way.w < 0) window_pos[0] += dx;
    if (way.h < 0) window_pos[1] += dy;
    window_size[0] = (int32_t)w;
    window_size[1] = (int32_t)ht;
    if (moves) place_window(window_pos[0], window_pos[1]);
    size_window(window_size[0] - FRAME_W, window_size[1] - FRAME_H);
}

// The handle acts on the current unit, else the current text, else the window.
void resize_by_handle(int h, int dx, int dy)
{
    if (h < HANDLE_TOP_LEFT || h > HANDLE_TOP) return;
    if (Digit_unit* u = current_unit_record()) resize_unit(*u, h, dx, dy);
    else if (string_draw* s = current_text_record()) resize_text(*s, h, dx, dy);
    else resize_window(h, dx, dy);
}

// The anchor goes to the pointer minus the press offset, the group with it;
// a place at 20 px or less from the left or top edge is dropped.
template <typename Item>
void drag_anchor(Item& item, int px, int py)
{
    const int64_t nx = (int64_t)px - drag_offset[0], ny = (int64_t)py - drag_offset[1];
    if (nx <= DRAG_LIMIT || ny <= DRAG_LIMIT || nx > INT32_MAX || ny > INT32_MAX) return;
    const int old_x = item.x, old_y = item.y;
    item.x = (int32_t)nx;
    item.y = (int32_t)ny;
    apply_group_move(old_x, old_y, item.x, item.y);
}

// True while a tool button of the delete, command or align row is held.
bool tool_button_held()
{
    return row_down[ROW_ALIGN] || row_down[ROW_DELETE] || row_down[ROW_COMMAND];
}

} // namespace

// Band, resize, item drag, window move, in that order.
void on_motion(int x, int y)
{
    screen_cursor(x, y, cursor_now);
    pointer_pos[0] = x;
    pointer_pos[1] = y;
    // Only the left button drags: a right-button drag would find the state of
    // an older press.
    if (!left_down) return;

    if (band_active) grow_band(x, y);

    if (resize_handle) {
        resize_by_handle(resize_handle, cursor_now[0] - cursor_prev[0], cursor_now[1] - cursor_prev[1]);
        cursor_prev[0] = cursor_now[0];
        cursor_prev[1] = cursor_now[1];
    }

    if (unit_drag && !band_active && !resize_handle) {
        set_cursor_shape(CURSOR_INFO);
        drag_anchor(digit_table[unit_anchor()], x, y);
    }
    if (string_drag && !band_active && !resize_handle) drag_anchor(string_table[text_anchor()], x, y);

    if (empty_press && !unit_drag && !string_drag && !band_active && !tool_button_held() && !resize_handle &&
        y <= WINDOW_MOVE_BAND) {
        window_pos[0] += cursor_now[0] - drag_offset[0];
        window_pos[1] += cursor_now[1] - drag_offset[1];
        place_window(window_pos[0], window_pos[1]);
        drag_offset[0] = cursor_now[0];
        drag_offset[1] = cursor_now[1];
    }
}
