/*******************************************************************************
 * play/scroll.cpp - the moving-text and page rules
 ******************************************************************************/
#include "play/scroll.h"
#include "model/item.h"
#include <algorithm>
#include <cstdint>

namespace {

constexpr int64_t DOTS_PER_SPEED = 4;        // dots a second per step of speed
constexpr int64_t MS_PER_SECOND = 1000;
constexpr int64_t PAGE_HOLD_MIN_MS = 1000;   // no page goes by faster than this

// A size of at least one dot.
int at_least_one(int v) { return v < 1 ? 1 : v; }

// Dots moved after `ms` (whole dots, never negative), modulo `step`; wide
// enough for any speed over any time.
int travelled(int speed, int64_t ms, int step)
{
    if (speed <= 0 || ms <= 0) return 0;
    const __int128 moved = (__int128)DOTS_PER_SPEED * speed * ms / MS_PER_SECOND;
    return (int)(moved % step);
}

// The height of one line of the content.
int line_height(const scroll_text& t) { return at_least_one(t.content_h / at_least_one(t.lines)); }

// Distance between copies along a direction: the content and a gap of one
// line height, but at least the box.
int period(int content, int box, int gap)
{
    return (int)std::min<int64_t>(INT32_MAX, std::max<int64_t>((int64_t)content + gap, box));
}

// First copy of content that moved `r` dots (below `step`) towards lower
// (`forward`) or higher coordinates.
int first_copy(int r, int step, bool forward)
{
    if (forward) return -r;
    return r == 0 ? 0 : r - step;
}

// Lines per page, page rows and page columns of a paged text.
struct page_grid {
    int lines_per_page, rows, cols;
};

// How a paged text is cut: lines per page, rows and columns of pages.
page_grid grid_of(const scroll_text& t)
{
    page_grid g;
    const int lines = at_least_one(t.lines), box_w = at_least_one(t.box_w);
    g.lines_per_page = std::max(1, at_least_one(t.box_h) / line_height(t));
    g.rows = (lines + g.lines_per_page - 1) / g.lines_per_page;
    g.cols = std::max(1, (at_least_one(t.content_w) + box_w - 1) / box_w);
    return g;
}

// The place of page `page` (0 the first) of a paged text.
scroll_place page_place(const scroll_text& t, int page)
{
    const page_grid g = grid_of(t);
    scroll_place p;
    p.pages = g.rows * g.cols;
    p.page = page;
    if (page < 0 || page >= p.pages) {
        p.shown = false;
        return p;
    }
    p.dx = -(page % g.cols) * at_least_one(t.box_w);
    p.dy = -(page / g.cols) * g.lines_per_page * line_height(t);
    return p;
}

} // namespace

int64_t scroll_page_ms(const scroll_text& t)
{
    if (t.speed <= 0) return 0;
    return std::max(PAGE_HOLD_MIN_MS, (int64_t)at_least_one(t.box_w) * MS_PER_SECOND / (DOTS_PER_SPEED * t.speed));
}

scroll_place scroll_at(const scroll_text& t, int64_t ms, std::optional<uint16_t> reg)
{
    const int gap = line_height(t);
    scroll_place p;
    switch (t.direction) {
    case SCROLL_OVERLONG:
        if (t.content_w <= t.box_w) return p;
        [[fallthrough]];
    case SCROLL_LEFT:
    case SCROLL_RIGHT:
        p.step_x = period(at_least_one(t.content_w), at_least_one(t.box_w), gap);
        p.dx = first_copy(travelled(t.speed, ms, p.step_x), p.step_x, t.direction != SCROLL_RIGHT);
        return p;
    case SCROLL_UP:
    case SCROLL_DOWN:
        p.step_y = period(at_least_one(t.content_h), at_least_one(t.box_h), gap);
        p.dy = first_copy(travelled(t.speed, ms, p.step_y), p.step_y, t.direction == SCROLL_UP);
        return p;
    case SCROLL_PAGES: {
        const int64_t hold = scroll_page_ms(t);
        const int pages = page_place(t, 0).pages;
        return page_place(t, hold > 0 && ms > 0 ? (int)(ms / hold % pages) : 0);
    }
    case SCROLL_REMOTE_PAGES:
        return page_place(t, reg ? (int)*reg - 1 : 0);
    default:
        return p;   // a direction the buttons never make stands still
    }
}

bool scroll_text_shown(int mode, std::optional<uint16_t> reg)
{
    if (mode != TEXT_STATIC_SWITCHED && mode != TEXT_SCROLLING_SWITCHED) return true;
    return !reg || *reg != 0;
}
