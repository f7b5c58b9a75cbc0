// Shared by the tests of segment digits, digit items, calendar fields and
// figures: an item's drawing place, the lit positions of a recording, drawing recorded aside, and
// segment cells read back as the digits they show.
#pragma once
#include "frame_helpers.h"
#include "items/kinds.h"
#include <set>
#include <string>
#include <utility>

using dot_set = std::set<std::pair<int, int>>;

// An item drawn with its corner (a circle's centre) at window pixel (x, y),
// pitch 2, plainly or selected.
inline item_draw_ctx at(int x, int y, bool selected = false, const document* doc = nullptr)
{
    item_draw_ctx c;
    c.doc = doc;
    c.x = x;
    c.y = y;
    c.pitch = 2;
    c.selected = selected;
    return c;
}

// The lit positions of a recording.
inline dot_set lit_positions(const gfx_recorder& rec)
{
    dot_set s;
    for (const gfx_event& e : rec.of_type(gfx_event::POINT)) s.insert({(int)e.x[0], (int)e.y[0]});
    return s;
}

// One cell read back from its segments: '0'..'9', '-' (minus), ' ' (blank) or '?'.
inline char read_cell(const dot_set& dots, int x, int y, int W, int H)
{
    const int m = H / 2;
    auto on = [&](int col, int row) { return dots.count({x + col, y + row}) > 0; };
    unsigned mask = 0;
    if (on(W / 2, 0)) mask |= 1;            // a
    if (on(W, m / 2 + 1)) mask |= 2;        // b
    if (on(W, m + (H - m) / 2)) mask |= 4;  // c
    if (on(W / 2, H)) mask |= 8;            // d
    if (on(0, m + (H - m) / 2)) mask |= 16; // e
    if (on(0, m / 2 + 1)) mask |= 32;       // f
    if (on(W / 2, m)) mask |= 64;           // g
    static const unsigned shapes[10] = {63, 6, 91, 79, 102, 109, 125, 7, 127, 111};
    for (int d = 0; d < 10; d++)
        if (mask == shapes[d]) return (char)('0' + d);
    if (mask == 64) return '-';
    if (mask == 0) return ' ';
    return '?';
}

// The number the segment cells at (x + i * advance, y) read as.
inline std::string read_cells(const dot_set& dots, int x, int y, int n, int size, int pitch)
{
    const int W = (pitch * size) % 256, H = (2 * size * pitch) % 256;
    const int advance = (pitch * (size / 2 + size + 2)) % 256;
    std::string out;
    for (int i = 0; i < n; i++) out += read_cell(dots, x + i * advance, y, W, H);
    return out;
}

// The positions `draw` lights, recorded aside; whatever was recording before goes on after.
template <typename F>
dot_set capture(F draw)
{
    gfx_recorder rec;
    gfx_backend* before = gfx_current();
    gfx_use(&rec);
    draw();
    gfx_use(before);
    return lit_positions(rec);
}
