/*******************************************************************************
 * items/digits.h - seven-segment digit glyphs and numbers on the panel
 *
 * Numbers (register values, counters, clock fields) are drawn as segment
 * digits, not with the dot-matrix fonts. `glyph_table` holds 36 routines:
 * digits 0-9 in thin (entries 0-9), medium (10-19) and thick (20-29) strokes,
 * a minus sign per weight (30-32) and a blank glyph per weight (33-35).
 * Segments are lit at every screen pixel along them, so with the dot size of
 * the pitch they read as solid bars; the decimal point sits on steps of the pitch.
 *
 * draw_cells lays out cells decided elsewhere (play/decode: a digit, a blank
 * or a dash each, a point, a minus in the sign cell) exactly where
 * draw_number puts its digits, point and sign cell.
 *
 * Limits: glyph width and height are 8-bit (larger values wrap); a number has
 * 1 to 6 digits; nothing is drawn at corners beyond +-GLYPH_COORD_LIMIT; the
 * table must be filled once (fill_glyph_table) before use, and draw_number
 * skips entries that are still empty.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read items, pick values, or lay out anything but one row of
 * digits.
 ******************************************************************************/
#pragma once
#include "play/decode.h"
#include <cstdint>

constexpr int GLYPH_COUNT = 36;        // entries of glyph_table
constexpr int GLYPH_MINUS = 30;        // first minus entry (thin, medium, thick follow)
constexpr int GLYPH_BLANK = 33;        // first blank entry
constexpr int NUMBER_MAX_DIGITS = 6;   // most digits draw_number lays out
constexpr int GLYPH_COORD_LIMIT = 1 << 30;   // glyphs further out than this are not drawn

// One glyph: colour code, top-left corner (screen pixels), width and height in pixels.
typedef void (*glyph_routine)(int color, int x, int y, uint8_t w, uint8_t h);

extern glyph_routine glyph_table[GLYPH_COUNT];

// Start-up: put the 36 glyph routines into glyph_table.
void fill_glyph_table();

// Stroke weight index of a thickness value: 1 medium for 2, 2 thick for 3, else 0 thin.
int stroke_weight(int thickness);

// The decimal point of digits of size `size`, just left of the cell that starts at x.
void draw_decimal_point(int color, int x, int y, uint8_t size, uint8_t thickness);

// Draw the lowest `digits` decimal digits of `value` (leading zeros kept), first
// cell at (x, y); the point stands before digit `decimals`; a minus cell goes
// left of the first digit when `is_signed` is set.
void draw_number(int color, int x, int y, uint32_t value, uint8_t digits, uint8_t size,
                 uint8_t thickness, uint8_t decimals, uint8_t is_signed);

// Draw the cells `c` with the first at (x, y), laid out as draw_number lays
// out digits: a dash is the minus glyph, a blank nothing; the point stands
// before cell `point_before` when c.point; the sign cell shows a minus when
// c.sign_cell and c.minus.
void draw_cells(int color, int x, int y, const decode_cells& c, uint8_t size, uint8_t thickness,
                uint8_t point_before);
