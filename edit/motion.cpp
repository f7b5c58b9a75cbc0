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
 * Depends on: edit/hit_test, edit/state, items/kinds (each shape's resize),
 * platform/screen.
 * Does NOT: pick the handle (edit/hover.cpp) or start anything (edit/press.cpp).
 ******************************************************************************/
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "items/kinds.h"
#include "platform/screen.h"
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int DRAG_LIMIT = 20;          // positions at or left of / above this are dropped
constexpr int BAND_LIMIT = 20;          // the band follows only right of and below this
constexpr int BAND_CORNER_MARGIN = 2;   // a corner must lie 2 px inside the band's far edges
constexpr int WINDOW_MOVE_BAND = 185;   // the window is dragged by presses at or above this
constexpr int ITEM_MIN = 5;             // least width and height a resize leaves
constexpr int CELL_MIN = 1;             // least column width and row height a resize leaves
constexpr int WINDOW_MIN_W = 320;       // least client size a resize leaves
constexpr int WINDOW_MIN_H = 200;
constexpr int FRAME_W = 16, FRAME_H = 39;   // outer size minus client size

// Which way a handle moves each side: -1 the size shrinks by d, +1 it grows by d, 0 unchanged.
struct handle_way {
    int w, h;
};
constexpr handle_way HANDLE_WAYS[9] = {
    {0, 0}, {-1, -1}, {-1, 0}, {-1, 1}, {0, 1}, {1, 1}, {1, 0}, {1, -1}, {0, -1}};

// The size a handle would leave in one direction stays at least `least`
// (and inside the 32-bit field).
bool size_allows(int32_t size, int way, int delta, int least)
{
    const int64_t after = (int64_t)size + (int64_t)way * delta;
    return way == 0 || (after >= least && after <= INT32_MAX);
}

// The rubber band: extent in dots, normalised rectangle, and the items whose
// top-left corner it covers join the group; the last one is the reference.
void grow_band(int px, int py)
{
    set_cursor_shape(CURSOR_CROSSHAIR);
    if (px <= BAND_LIMIT || py <= BAND_LIMIT) return;
    const int p = pitch();
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

// Subtract (ddx, ddy) from both ends (or only the second end when
// `second_only`) of every merge record whose cell passes `which`.
template <typename Pick>
void shift_merges(Digit_unit& t, Pick which, int ddx, int ddy, bool second_only)
{
    const int n = std::min<int>(t.merge_count, TABLE_MAX);
    for (int m = 0; m < n; m++) {
        merge_record& g = t.merges[m];
        if (!g.flag || !which(g)) continue;
        if (!second_only) {
            g.x0 -= ddx;
            g.y0 -= ddy;
        }
        g.x1 -= ddx;
        g.y1 -= ddy;
    }
}

// Resize a table's selected cell c, r by handle h: the columns and rows around
// the cell change, and the erased grid pieces right of or below follow.
void resize_table(Digit_unit& t, int h, int dx, int dy)
{
    const int cols = std::min<int>(t.cols, TABLE_MAX), rows = std::min<int>(t.rows, TABLE_MAX);
    const int c = t.sel_col, r = t.sel_row;
    if (c >= cols || r >= rows) return;
    const bool wide = (int64_t)t.width + dx > ITEM_MIN - 1, high = (int64_t)t.height + dy > ITEM_MIN - 1;
    int32_t* cw = t.col_width;
    int32_t* rh = t.row_height;
    // A change that would leave a column or row thinner than CELL_MIN is dropped.
    auto fits = [](int32_t v, int d) { return (int64_t)v + d >= CELL_MIN; };

    switch (h) {
    case HANDLE_TOP_LEFT:
        if (r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r - 1], dy)) { cw[c - 1] += dx; rh[r - 1] += dy; }
        break;
    case HANDLE_LEFT:
        if (wide && c != 0 && fits(cw[c - 1], dx)) {
            shift_merges(t, [&](const merge_record& g) { return g.col + 1 >= c; }, dx, 0, false);
            cw[c - 1] += dx;
        }
        break;
    case HANDLE_BOTTOM_LEFT:
        if (wide && high && r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r], dy)) { cw[c - 1] += dx; rh[r] += dy; }
        break;
    case HANDLE_BOTTOM:
        if (high && fits(rh[r], dy)) {
            shift_merges(t, [&](const merge_record& g) { return g.row > r; }, 0, dy, false);
            shift_merges(t, [&](const merge_record& g) { return g.row == r; }, 0, dy, true);
            rh[r] += dy;
        }
        break;
    case HANDLE_BOTTOM_RIGHT:
        if (wide && high && fits(cw[c], dx) && fits(rh[r], dy)) { cw[c] += dx; rh[r] += dy; }
        break;
    case HANDLE_RIGHT:
        if (wide && fits(cw[c], dx)) {
            shift_merges(t, [&](const merge_record& g) { return g.col >= c; }, dx, 0, false);
            cw[c] += dx;
        }
        break;
    case HANDLE_TOP_RIGHT:
        if (wide && high && r != 0 && c != 0 && fits(cw[c], dx) && fits(rh[r - 1], dy)) { cw[c] += dx; rh[r - 1] += dy; }
        break;
    case HANDLE_TOP:
        if (high && r != 0 && fits(rh[r - 1], dy)) {
            shift_merges(t, [&](const merge_record& g) { return g.row >= r; }, 0, dy, false);
            shift_merges(t, [&](const merge_record& g) { return g.row == r - 1; }, 0, dy, true);
            rh[r - 1] += dy;
        }
        break;
    default: break;
    }
}

// Resize a Digit_unit by handle h; kinds without resize rules stay as they are.
void resize_unit(Digit_unit& u, int h, int dx, int dy)
{
    const handle_way way = HANDLE_WAYS[h];
    const item_kind& k = kind_of(u);
    if (!k.resizable) return;
    if (k.form().shape == SHAPE_GRID) {
        resize_table(u, h, dx, dy);
        return;
    }
    if (!size_allows(u.width, way.w, dx, ITEM_MIN) || !size_allows(u.height, way.h, dy, ITEM_MIN)) return;
    const bool rect = k.form().shape == SHAPE_BOX;
    const bool line = k.form().shape == SHAPE_HLINE;
    const bool wide = (int64_t)u.width + dx > ITEM_MIN - 1, high = (int64_t)u.height + dy > ITEM_MIN - 1;

    switch (h) {
    case HANDLE_TOP_LEFT:
        if (rect) { u.x += dx; u.y += dy; u.width -= dx; u.height -= dy; }
        if (line) { u.x += dx; u.width -= dx; }
        break;
    case HANDLE_LEFT:
        if (rect || line) { u.x += dx; u.width -= dx; }
        break;
    case HANDLE_BOTTOM_LEFT:
        if (rect && high) { u.x += dx; u.width -= dx; u.height += dy; }
        if (line && high) { u.x += dx; u.width -= dx; }
        break;
    case HANDLE_BOTTOM:
        if ((rect || k.form().shape == SHAPE_ROUND) && high) u.height += dy;
        break;
    case HANDLE_BOTTOM_RIGHT:
        if (rect && wide && high) { u.width += dx; u.height += dy; }
        if (line && wide && high) u.width += dx;
        break;
    case HANDLE_RIGHT:
        if ((rect || line) && wide) u.width += dx;
        break;
    case HANDLE_TOP_RIGHT:
        if (rect && wide) { u.y += dy; u.width += dx; u.height -= dy; }
        if (line && wide) u.width += dx;
        break;
    case HANDLE_TOP:
        if (rect) { u.y += dy; u.height -= dy; }
        break;
    default: break;
    }
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
