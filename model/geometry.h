/*******************************************************************************
 * model/geometry.h - window pixels and panel dots
 *
 * The conversions every layer shares: a pixel position to a dot (rounding
 * down), a dot of a script to the pixel an item takes, whether a pixel lies
 * on a panel unit, and moving a pixel position from one pitch to another so
 * it stays on its dot (the zoom).
 *
 * Limits: results are kept in 32 bits; a pitch below 1 counts as 1.
 * Depends on: model/tables (panel units), model/settings (led_pitch).
 * Does NOT: change any record or know about item kinds.
 ******************************************************************************/
#pragma once
#include <cstdint>

// Units the export walks (no operation of the editor changes them).
constexpr int UNIT_ROWS = 1;
constexpr int UNIT_COLS = 1;

// a / b rounded down (b > 0).
int32_t floor_div(int64_t a, int b);

// The window pixel of a script dot: the item's corner sits one pixel inside it.
int32_t dot_to_screen_x(int64_t dots);
int32_t dot_to_screen_y(int64_t dots);

// True when the point (x, y) in window pixels lies on unit (r, c).
bool unit_holds(int r, int c, int32_t x, int32_t y);
// True when the point lies on any unit the export walks: the item is saved.
bool item_in_panel(int32_t x, int32_t y);

// A pixel offset from the panel origin at pitch `from`, moved to pitch `to`
// so that it stays on the same dot; the part of a dot keeps its share.
int64_t rescaled_offset(int64_t off, int from, int to);
// A window coordinate about the panel origin `origin`, kept in the int32 range.
int32_t rescaled(int64_t v, int origin, int from, int to);
// A length from `start` as the distance between its rescaled ends, so the far
// end stays on its dot too.
int32_t rescaled_span(int64_t start, int64_t len, int origin, int from, int to);
// A length on its own (a radius, a box width), dot for dot.
int32_t rescaled_length(int64_t len, int from, int to);
