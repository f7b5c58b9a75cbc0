/*******************************************************************************
 * raster/view.h - how the panel's dots stand in the window
 *
 * The document holds dots; the view says where they are drawn: the pitch
 * (pixels from one dot to the next, and the size of a lit dot), the panel's
 * area of the window (right of the palette, below the top band, less the
 * scroll bars), how far its content is scrolled, and from those the window
 * pixel of the panel's top-left corner. Every place that draws or hit-tests
 * an item maps its dots through here; a zoom or a pan changes the view and
 * nothing else.
 *
 * The content that can be scrolled to is the panel and every item, wherever
 * it stands; view_layout() lays the area out for a window size and keeps
 * the scroll inside the content. Zooming keeps a chosen window pixel on the
 * dot it showed; fitting picks the largest pitch that shows the whole panel.
 *
 * An item stands one pixel inside its dot (ITEM_PIXEL_OFFSET): a lit dot of
 * pitch p is a point of size p whose centre is that pixel, so it covers the
 * dot's cell of the grid.
 *
 * Limits: pixel results are held to the 32-bit range; a pitch below 1 counts as 1.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, or keep anything drawn (the layers of items/ do); the
 * palette, buttons and read-outs are drawn at UI_PITCH whatever the view.
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
constexpr int UI_PITCH = 2;              // the pitch of the palette, the buttons and the read-outs
constexpr int SCROLL_BAR_PX = 14;        // thickness of a scroll bar
constexpr int SCROLL_END_PX = 24;        // room scrolled past the content's far edges
constexpr int SCROLL_THUMB_MIN_PX = 20;  // a scroll bar's thumb is never shorter

// A box of the content in dots: corner and far corner.
struct content_box {
    int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

struct view {
    int pitch = VIEW_PITCH_START;
    int panel_x = PANEL_LEFT_PX, panel_y = PANEL_TOP_PX;   // window pixel of dot (0, 0)'s cell corner
    int window_w = 0, window_h = 0;
    // The panel's area of the window, laid out by view_layout().
    int area_x = PANEL_LEFT_PX, area_y = PANEL_TOP_PX, area_w = 0, area_h = 0;
    int64_t scroll_x = 0, scroll_y = 0;  // content pixels scrolled out of the area, from dot 0
    bool hbar = false, vbar = false;     // the scroll bars shown
    content_box content;                 // what can be scrolled to, in dots
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

// ---- the area and scrolling ------------------------------------------------------------

// Lay the panel's area out in a window of v.window_w x v.window_h for
// `content` (dots), show the scroll bars it needs, keep the scroll inside
// the content and place the panel.
void view_layout(view& v, const content_box& content);
// Scroll by (dx, dy) pixels, kept inside the content.
void view_scroll_by(view& v, int64_t dx, int64_t dy);
// Zoom to `pitch` keeping the dot under window pixel (px, py) there.
void view_zoom_at(view& v, int pitch, int px, int py);
// The largest pitch at which the whole panel of w x h dots fits the area
// without scroll bars (at least VIEW_PITCH_MIN).
int view_fit_pitch(const view& v, int64_t w, int64_t h);
// True when window pixel (px, py) lies in the panel's area.
bool view_in_area(const view& v, int px, int py);

// A scroll bar: its trough and its thumb, window pixels along the bar.
struct scroll_bar {
    bool shown = false;
    int x = 0, y = 0, w = 0, h = 0;      // the trough
    int thumb_at = 0, thumb_len = 0;     // the thumb, from the trough's start along it
};
scroll_bar view_hbar(const view& v);
scroll_bar view_vbar(const view& v);
// The scroll that puts the thumb's start `along` pixels into the trough.
int64_t view_scroll_for_thumb(const view& v, bool horizontal, int64_t along);
