/*******************************************************************************
 * raster/view.h - how the panel's dots stand in the window
 *
 * The document holds dots; the view says where they are drawn: the pitch
 * (pixels from one dot to the next, and the size of a lit dot), the window
 * pixel of the panel's top-left corner, and the window's size. Every place
 * that draws or hit-tests an item maps its dots through here; a zoom changes
 * the view and nothing else.
 *
 * An item stands one pixel inside its dot (ITEM_PIXEL_OFFSET): a lit dot of
 * pitch p is a point of size p whose centre is that pixel, so it covers the
 * dot's cell of the grid.
 *
 * Limits: pixel results are held to the 32-bit range; a pitch below 1 counts as 1.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, or keep anything drawn (the layers of items/ do).
 ******************************************************************************/
#pragma once
#include <algorithm>
#include <cstdint>

constexpr int VIEW_PITCH_START = 2;      // the designer opens at 2 pixels a dot
constexpr int VIEW_PITCH_MIN = 1;
constexpr int VIEW_PITCH_MAX = 8;
constexpr int PANEL_LEFT_PX = 265;       // window pixel of the panel's left edge
constexpr int PANEL_TOP_PX = 145;        // and of its top edge
constexpr int ITEM_PIXEL_OFFSET = 1;     // an item's corner stands this far inside its dot

struct view {
    int pitch = VIEW_PITCH_START;
    int panel_x = PANEL_LEFT_PX, panel_y = PANEL_TOP_PX;   // window pixel of dot (0, 0)'s cell corner
    int window_w = 0, window_h = 0;
};

// The pitch, never below 1.
inline int view_pitch(const view& v) { return v.pitch > 0 ? v.pitch : 1; }

inline int32_t clamp32(int64_t v) { return (int32_t)std::clamp<int64_t>(v, INT32_MIN, INT32_MAX); }

// Window pixel of an item corner standing on dot column `dot` / row `dot`.
inline int32_t view_x(const view& v, int64_t dot) { return clamp32(v.panel_x + dot * view_pitch(v) + ITEM_PIXEL_OFFSET); }
inline int32_t view_y(const view& v, int64_t dot) { return clamp32(v.panel_y + dot * view_pitch(v) + ITEM_PIXEL_OFFSET); }
// A length of `dots` in pixels.
inline int32_t view_len(const view& v, int64_t dots) { return clamp32(dots * view_pitch(v)); }

// a / b rounded down (b > 0).
inline int64_t floor_div(int64_t a, int64_t b)
{
    if (b <= 0) b = 1;
    int64_t q = a / b;
    if (a % b != 0 && a < 0) q--;
    return q;
}
// a / b rounded to the nearest whole number, halves up (b > 0).
inline int64_t round_div(int64_t a, int64_t b) { return floor_div(a + b / 2, b); }

// The dot whose cell holds window pixel px (column) or py (row).
inline int64_t view_dot_at_x(const view& v, int64_t px) { return floor_div(px - v.panel_x, view_pitch(v)); }
inline int64_t view_dot_at_y(const view& v, int64_t py) { return floor_div(py - v.panel_y, view_pitch(v)); }
// The dot an item corner dropped at window pixel px / py comes to rest on (the nearest).
inline int64_t view_rest_x(const view& v, int64_t px) { return round_div(px - v.panel_x - ITEM_PIXEL_OFFSET, view_pitch(v)); }
inline int64_t view_rest_y(const view& v, int64_t py) { return round_div(py - v.panel_y - ITEM_PIXEL_OFFSET, view_pitch(v)); }
// A pointer movement of `px` pixels in whole dots (the nearest).
inline int64_t view_dots_of(const view& v, int64_t px) { return round_div(px, view_pitch(v)); }
