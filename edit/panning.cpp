/*******************************************************************************
 * edit/panning.cpp - moving the view: pans, scroll bars, the wheel, zoom and fit
 ******************************************************************************/
#include "edit/panning.h"
#include "edit/pointer.h"
#include "platform/screen.h"
#include "platform/window.h"

namespace {

bool inside(const scroll_bar& b, int x, int y) { return b.shown && x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h; }

// A press on a scroll bar: the thumb is grabbed, the trough pages.
bool bar_press(editor& e, int x, int y)
{
    for (bool h : {true, false}) {
        const scroll_bar b = h ? view_hbar(e.v) : view_vbar(e.v);
        if (!inside(b, x, y)) continue;
        const int along = h ? x - b.x : y - b.y;
        if (along >= b.thumb_at && along < b.thumb_at + b.thumb_len) {
            e.ui.gesture = GESTURE_SCROLL_BAR;
            e.ui.bar_horizontal = h;
            e.ui.bar_grab = along - b.thumb_at;
            e.ui.left_down = true;
        } else {
            const int64_t page = (h ? e.v.area_w : e.v.area_h) * (along < b.thumb_at ? -1 : 1);
            view_scroll_by(e.v, h ? page : 0, h ? 0 : page);
        }
        return true;
    }
    return false;
}

} // namespace

bool panning_press(editor& e, int button, int x, int y)
{
    interaction& ui = e.ui;
    const bool pan = button == MOUSE_MIDDLE || (button == MOUSE_LEFT && ui.space_held);
    if (pan) {
        ui.gesture = GESTURE_PAN;
        ui.press_x = x;
        ui.press_y = y;
        ui.press_scroll_x = e.v.scroll_x;
        ui.press_scroll_y = e.v.scroll_y;
        ui.middle_down = button == MOUSE_MIDDLE;
        ui.left_down = button == MOUSE_LEFT;
        set_cursor_shape(CURSOR_CROSSHAIR);
        return true;
    }
    // The window's own edge handles come before the scroll bars under them.
    if (ui.resize_handle && ui.resize_window) return false;
    return button == MOUSE_LEFT && bar_press(e, x, y);
}

bool panning_motion(editor& e, int x, int y)
{
    interaction& ui = e.ui;
    if (ui.gesture == GESTURE_PAN) {
        const int64_t sx = ui.press_scroll_x - ((int64_t)x - ui.press_x);
        const int64_t sy = ui.press_scroll_y - ((int64_t)y - ui.press_y);
        view_scroll_by(e.v, sx - e.v.scroll_x, sy - e.v.scroll_y);
        return true;
    }
    if (ui.gesture == GESTURE_SCROLL_BAR) {
        const scroll_bar b = ui.bar_horizontal ? view_hbar(e.v) : view_vbar(e.v);
        const int64_t along = (ui.bar_horizontal ? x - b.x : y - b.y) - ui.bar_grab;
        const int64_t s = view_scroll_for_thumb(e.v, ui.bar_horizontal, along);
        if (ui.bar_horizontal) view_scroll_by(e.v, s - e.v.scroll_x, 0);
        else view_scroll_by(e.v, 0, s - e.v.scroll_y);
        return true;
    }
    return false;
}

void auto_scroll(editor& e, int x, int y, int dx, int dy)
{
    const view& v = e.v;
    if (!view_in_area(v, x, y)) return;
    int64_t sx = 0, sy = 0;
    if (dx < 0 && x < v.area_x + AUTO_SCROLL_EDGE_PX) sx = -AUTO_SCROLL_STEP_PX;
    if (dx > 0 && x >= v.area_x + v.area_w - AUTO_SCROLL_EDGE_PX) sx = AUTO_SCROLL_STEP_PX;
    if (dy < 0 && y < v.area_y + AUTO_SCROLL_EDGE_PX) sy = -AUTO_SCROLL_STEP_PX;
    if (dy > 0 && y >= v.area_y + v.area_h - AUTO_SCROLL_EDGE_PX) sy = AUTO_SCROLL_STEP_PX;
    if (sx || sy) view_scroll_by(e.v, sx, sy);
}

void on_wheel(editor& e, int dx, int dy, int x, int y)
{
    if (e.ui.prompt.shown) return;
    if (input_modifiers & MOD_CTRL) {
        if (dy != 0) zoom_at(e, e.v.pitch + (dy > 0 ? 1 : -1), x, y);
        return;
    }
    // Shift turns the wheel sideways; a sideways wheel scrolls sideways.
    int64_t sx = -(int64_t)dx * WHEEL_STEP_PX, sy = -(int64_t)dy * WHEEL_STEP_PX;
    if (input_modifiers & MOD_SHIFT) std::swap(sx, sy);
    view_scroll_by(e.v, sx, sy);
}

void zoom_at(editor& e, int pitch, int x, int y) { view_zoom_at(e.v, pitch, x, y); }

void fit_panel(editor& e)
{
    e.v.pitch = view_fit_pitch(e.v, e.doc.settings.panel_w, e.doc.settings.panel_h);
    e.v.scroll_x = e.v.scroll_y = 0;
    view_layout(e.v, e.v.content);
}
