/*******************************************************************************
 * edit/motion.cpp - pointer moves with the left button held
 *
 * After a press has set things up, each move grows the rubber band and adds
 * what it covers to the group, resizes the current item (or the window) by
 * the grabbed handle, drags the current item (with the parts that follow it)
 * or the group, or drags the window by an empty spot off the panel while
 * the pointer stays in the window's top band. Every move is measured from
 * the press, so items always rest on whole dots.
 *
 * Limits: a drag never brings an item's corner to DRAG_LIMIT px or less from
 * the window's left or top edge (that move is dropped, not clamped), so
 * nothing is dragged out of reach; the window's client area is not resized
 * below WINDOW_MIN_W x WINDOW_MIN_H.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: pick the handle (edit/hover.cpp) or start anything (edit/press.cpp).
 ******************************************************************************/
#include "edit/arrange.h"
#include "edit/panning.h"
#include "edit/pointer.h"
#include "items/handles.h"
#include "items/kinds.h"
#include "platform/screen.h"
#include <algorithm>
#include <cstdlib>

namespace {

constexpr int DRAG_LIMIT = 20;          // item corners at or left of / above this are out of reach
constexpr int BAND_LIMIT = 20;          // the band follows only right of and below this
constexpr int BAND_CORNER_MARGIN = 2;   // a corner must lie 2 px inside the band's far edges
constexpr int WINDOW_MOVE_BAND = 185;   // the window follows the pointer at or above this
constexpr int FRAME_W = 16, FRAME_H = 39;   // outer size minus client size

// The rubber band: its extent in dots, and the items whose corner it covers
// join the group; the last one is the reference (texts come last).
void grow_band(editor& e, int px, int py)
{
    set_cursor_shape(CURSOR_CROSSHAIR);
    if (px <= BAND_LIMIT || py <= BAND_LIMIT) return;
    const int p = view_pitch(e.v);
    interaction& ui = e.ui;
    ui.band_w = (px - ui.band_x) / p;
    ui.band_h = (py - ui.band_y) / p;
    const int64_t L = std::min(px, ui.band_x), T = std::min(py, ui.band_y);
    const int64_t R = L + (int64_t)std::abs(ui.band_w) * p, B = T + (int64_t)std::abs(ui.band_h) * p;
    auto covers = [&](int64_t x, int64_t y) {
        return L < x && x + BAND_CORNER_MARGIN < R && T < y && y + BAND_CORNER_MARGIN < B;
    };
    // The other items, then the texts: the last one covered is the reference.
    for (item_table t : {ITEM_TABLE_UNITS, ITEM_TABLE_TEXTS})
        pool_walk(e.doc.items, t, [&](item_id id, const item& it) {
            if (covers(view_x(e.v, it.x), view_y(e.v, it.y))) group_add(e, id);
        });
}

// Place the window's frame where the interaction has it; without a window the
// screen cursor goes by window_pos, so it is kept in step.
void move_window(interaction& ui)
{
    place_window(ui.window_x, ui.window_y);
    window_pos[0] = ui.window_x;
    window_pos[1] = ui.window_y;
}

// Resize the window by handle h: the left and top handles also move it.
void resize_window(editor& e, int h, int dx, int dy)
{
    interaction& ui = e.ui;
    const handle_way way = handle_way_of(h);
    const int64_t w = (int64_t)ui.window_w + way.w * (int64_t)dx;
    const int64_t ht = (int64_t)ui.window_h + way.h * (int64_t)dy;
    if (w - FRAME_W < WINDOW_MIN_W || ht - FRAME_H < WINDOW_MIN_H) return;
    const bool moves = way.w < 0 || way.h < 0;
    if (way.w < 0) ui.window_x += dx;
    if (way.h < 0) ui.window_y += dy;
    ui.window_w = (int32_t)w;
    ui.window_h = (int32_t)ht;
    if (moves) move_window(ui);
    size_window(ui.window_w - FRAME_W, ui.window_h - FRAME_H);
}

// The current item from how it stood at the press, resized by the pointer's
// whole-dot movement since.
void resize_current(editor& e, int px, int py)
{
    item* it = current_item(e);
    if (!it) return;
    const item_behaviour& k = kind_of(*it);
    if (!k.resizable()) return;
    const item before = *it;
    *it = e.ui.resize_from;
    k.resize(*it, e.ui.resize_handle, view_dots_of(e.v, px - e.ui.press_x + (e.v.scroll_x - e.ui.press_scroll_x)),
             view_dots_of(e.v, py - e.ui.press_y + (e.v.scroll_y - e.ui.press_scroll_y)), e.ui.sel_col, e.ui.sel_row);
    follow_current(e, before);
}

// True when the drag is of a text: the item pressed is the first one moved.
bool text_pressed(editor& e)
{
    const item* it = doc_item(e.doc, e.ui.moved[0].id);
    return it && it->kind == KIND_TEXT;
}

// True when a corner that stood right of (below) the limit would come to
// rest at or beyond it.
bool out_of_reach(int64_t was_px, int64_t rest_px) { return was_px > DRAG_LIMIT && rest_px <= DRAG_LIMIT; }

// Every moved item to where it stood at the press plus the pointer's
// movement, resting on the nearest dot; nothing moves when that would take
// one of them out of reach.
void drag_items(editor& e, int px, int py)
{
    // The pointer's movement over the content: a scroll since the press counts too.
    const int64_t dx = (int64_t)px - e.ui.press_x + (e.v.scroll_x - e.ui.press_scroll_x);
    const int64_t dy = (int64_t)py - e.ui.press_y + (e.v.scroll_y - e.ui.press_scroll_y);
    for (int k = 0; k < e.ui.moved_count; k++) {
        const moved_item& m = e.ui.moved[k];
        if (!doc_item(e.doc, m.id)) continue;
        if (out_of_reach(m.px, view_x(e.v, view_rest_x(e.v, m.px + dx))) ||
            out_of_reach(m.py, view_y(e.v, view_rest_y(e.v, m.py + dy))))
            return;
    }
    for (int k = 0; k < e.ui.moved_count; k++) {
        const moved_item& m = e.ui.moved[k];
        item* it = doc_item(e.doc, m.id);
        if (!it) continue;
        it->x = clamp32(view_rest_x(e.v, m.px + dx));
        it->y = clamp32(view_rest_y(e.v, m.py + dy));
    }
}

} // namespace

// Band, resize, item drag, window move, in that order.
void on_motion(editor& e, int x, int y)
{
    interaction& ui = e.ui;
    const int moved_x = x - ui.pointer_x, moved_y = y - ui.pointer_y;
    ui.pointer_x = x;
    ui.pointer_y = y;
    if (panning_motion(e, x, y)) return;
    // Only the left button drags: a right-button drag would find the state of
    // an older press.
    if (!ui.left_down) return;
    int32_t now[2];
    screen_cursor(x, y, now);
    switch (ui.gesture) {
    case GESTURE_BAND: grow_band(e, x, y); break;
    case GESTURE_RESIZE:
        if (ui.resize_window) resize_window(e, ui.resize_handle, now[0] - ui.cursor_prev[0], now[1] - ui.cursor_prev[1]);
        else {
            auto_scroll(e, x, y, moved_x, moved_y);
            resize_current(e, x, y);
        }
        break;
    case GESTURE_DRAG:
        // A text is dragged under the cursor it has; other items show the drag cursor.
        if (ui.moved_count > 0 && !text_pressed(e)) set_cursor_shape(CURSOR_INFO);
        auto_scroll(e, x, y, moved_x, moved_y);
        drag_items(e, x, y);
        break;
    case GESTURE_WINDOW_MOVE:
        if (y > WINDOW_MOVE_BAND) break;
        ui.window_x += now[0] - ui.cursor_prev[0];
        ui.window_y += now[1] - ui.cursor_prev[1];
        move_window(ui);
        break;
    default: break;
    }
    ui.cursor_prev[0] = now[0];
    ui.cursor_prev[1] = now[1];
}
