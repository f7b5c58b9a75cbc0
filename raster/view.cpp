/*******************************************************************************
 * raster/view.cpp - the panel's area, scrolling and zoom
 ******************************************************************************/
#include "raster/view.h"

namespace {

// The scroll range along one axis: the content from c0 to c1 dots in an
// area `len` pixels long. Scrolling is needed when the content reaches out
// of the area; then SCROLL_END_PX more can be scrolled past its far edge.
struct axis_range {
    int64_t lo, hi;
    bool needed;
};

axis_range range_of(int64_t c0, int64_t c1, int p, int len)
{
    // The panel's corner at the area's corner is always a place to be.
    const int64_t lo = c0 < 0 ? c0 * p - SCROLL_END_PX : 0;
    const bool needed = c1 * p - lo > len || lo < 0;
    const int64_t hi = needed ? std::max<int64_t>(0, c1 * p + SCROLL_END_PX - len) : 0;
    return {lo, hi, needed};
}

int64_t clamp_scroll(int64_t s, const axis_range& r) { return std::clamp(s, r.lo, r.hi); }

void place_panel(view& v)
{
    v.panel_x = clamp32(v.area_x - v.scroll_x);
    v.panel_y = clamp32(v.area_y - v.scroll_y);
}

axis_range horizontal(const view& v) { return range_of(v.content.x0, v.content.x1, view_pitch(v), v.area_w); }
axis_range vertical(const view& v) { return range_of(v.content.y0, v.content.y1, view_pitch(v), v.area_h); }

scroll_bar bar_of(const view& v, bool h)
{
    scroll_bar b;
    b.shown = h ? v.hbar : v.vbar;
    if (!b.shown) return b;
    const axis_range r = h ? horizontal(v) : vertical(v);
    const int len = h ? v.area_w : v.area_h;
    if (h) b = {true, v.area_x, v.area_y + v.area_h, v.area_w, SCROLL_BAR_PX, 0, 0};
    else b = {true, v.area_x + v.area_w, v.area_y, SCROLL_BAR_PX, v.area_h, 0, 0};
    const int64_t span = r.hi - r.lo;
    const int64_t total = span + len;
    b.thumb_len = (int)std::clamp<int64_t>(total > 0 ? (int64_t)len * len / total : len, SCROLL_THUMB_MIN_PX, len);
    const int64_t s = h ? v.scroll_x : v.scroll_y;
    b.thumb_at = span > 0 ? (int)((s - r.lo) * (len - b.thumb_len) / span) : 0;
    return b;
}

} // namespace

void view_layout(view& v, const content_box& content)
{
    v.content = content;
    const int p = view_pitch(v);
    // A scroll bar takes room from the other direction: settle both.
    v.hbar = v.vbar = false;
    for (int round = 0; round < 2; round++) {
        v.area_w = std::max(1, v.window_w - v.area_x - (v.vbar ? SCROLL_BAR_PX : 0));
        v.area_h = std::max(1, v.window_h - v.area_y - (v.hbar ? SCROLL_BAR_PX : 0));
        v.hbar = range_of(content.x0, content.x1, p, v.area_w).needed;
        v.vbar = range_of(content.y0, content.y1, p, v.area_h).needed;
    }
    v.area_w = std::max(1, v.window_w - v.area_x - (v.vbar ? SCROLL_BAR_PX : 0));
    v.area_h = std::max(1, v.window_h - v.area_y - (v.hbar ? SCROLL_BAR_PX : 0));
    v.scroll_x = clamp_scroll(v.scroll_x, horizontal(v));
    v.scroll_y = clamp_scroll(v.scroll_y, vertical(v));
    place_panel(v);
}

void view_scroll_by(view& v, int64_t dx, int64_t dy)
{
    v.scroll_x = clamp_scroll(v.scroll_x + dx, horizontal(v));
    v.scroll_y = clamp_scroll(v.scroll_y + dy, vertical(v));
    place_panel(v);
}

void view_zoom_at(view& v, int pitch, int px, int py)
{
    const int p = view_pitch(v);
    const int q = std::clamp(pitch, VIEW_PITCH_MIN, VIEW_PITCH_MAX);
    // The content pixel under the pointer, in the new pitch.
    const int64_t cx = (int64_t)px - v.panel_x, cy = (int64_t)py - v.panel_y;
    v.pitch = q;
    v.scroll_x = floor_div(cx * q, p) - ((int64_t)px - v.area_x);
    v.scroll_y = floor_div(cy * q, p) - ((int64_t)py - v.area_y);
    view_layout(v, v.content);
}

int view_fit_pitch(const view& v, int64_t w, int64_t h)
{
    const int64_t room_w = (int64_t)v.window_w - v.area_x, room_h = (int64_t)v.window_h - v.area_y;
    if (w <= 0 || h <= 0) return VIEW_PITCH_MIN;
    return (int)std::clamp<int64_t>(std::min(room_w / w, room_h / h), VIEW_PITCH_MIN, VIEW_PITCH_MAX);
}

bool view_in_area(const view& v, int px, int py)
{
    return px >= v.area_x && px < v.area_x + v.area_w && py >= v.area_y && py < v.area_y + v.area_h;
}

scroll_bar view_hbar(const view& v) { return bar_of(v, true); }
scroll_bar view_vbar(const view& v) { return bar_of(v, false); }

int64_t view_scroll_for_thumb(const view& v, bool h, int64_t along)
{
    const scroll_bar b = bar_of(v, h);
    const axis_range r = h ? horizontal(v) : vertical(v);
    const int64_t room = (h ? b.w : b.h) - b.thumb_len;
    if (!b.shown || room <= 0) return r.lo;
    return clamp_scroll(r.lo + std::clamp<int64_t>(along, 0, room) * (r.hi - r.lo) / room, r);
}
