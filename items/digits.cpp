/*******************************************************************************
 * items/digits.cpp - segment geometry of the three stroke weights, the decimal
 * point and the number layout
 *
 * A glyph is the union of its segments a (top), b (upper right), c (lower
 * right), d (bottom), e (lower left), f (upper left), g (middle). Positions are
 * (column, row) pixel offsets from the glyph's top-left corner; m = H / 2.
 ******************************************************************************/
#include "items/digits.h"
#include "raster/canvas.h"

glyph_routine glyph_table[GLYPH_COUNT];

namespace {

enum : unsigned { SEG_A = 1, SEG_B = 2, SEG_C = 4, SEG_D = 8, SEG_E = 16, SEG_F = 32, SEG_G = 64 };

// Segments of the digits 0-9, then the minus sign and the blank glyph.
constexpr unsigned glyph_segments[12] = {
    SEG_A | SEG_B | SEG_C | SEG_D | SEG_E | SEG_F,            // 0
    SEG_B | SEG_C,                                            // 1
    SEG_A | SEG_B | SEG_D | SEG_E | SEG_G,                    // 2
    SEG_A | SEG_B | SEG_C | SEG_D | SEG_G,                    // 3
    SEG_B | SEG_C | SEG_F | SEG_G,                            // 4
    SEG_A | SEG_C | SEG_D | SEG_F | SEG_G,                    // 5
    SEG_A | SEG_C | SEG_D | SEG_E | SEG_F | SEG_G,            // 6
    SEG_A | SEG_B | SEG_C,                                    // 7
    SEG_A | SEG_B | SEG_C | SEG_D | SEG_E | SEG_F | SEG_G,    // 8
    SEG_A | SEG_B | SEG_C | SEG_D | SEG_F | SEG_G,            // 9
    SEG_G,                                                    // minus
    0};                                                       // blank
constexpr int SHAPE_MINUS = 10, SHAPE_BLANK = 11;

// Row `row`, columns c0..c1 of the glyph at (x, y).
void hrun(int color, int x, int y, int row, int c0, int c1)
{
    for (int col = c0; col <= c1; col++) draw_dot(color, x + col, y + row);
}

// Column `col`, rows r0..r1 of the glyph at (x, y).
void vrun(int color, int x, int y, int col, int r0, int r1)
{
    for (int row = r0; row <= r1; row++) draw_dot(color, x + col, y + row);
}

// Thin strokes: one pixel; the upper verticals need a height of 4.
void thin(int color, int x, int y, int W, int H, unsigned seg)
{
    const int m = H / 2;
    if (seg & SEG_A) hrun(color, x, y, 0, 1, W - 1);
    if (H >= 4) {
        if (seg & SEG_B) vrun(color, x, y, W, 1, m - 1);
        if (seg & SEG_F) vrun(color, x, y, 0, 1, m - 1);
    }
    if (seg & SEG_C) vrun(color, x, y, W, m + 1, H - 1);
    if (seg & SEG_D) hrun(color, x, y, H, 1, W - 1);
    if (seg & SEG_E) vrun(color, x, y, 0, m + 1, H - 1);
    if (seg & SEG_G) hrun(color, x, y, m, 1, W - 1);
}

// Medium strokes: two pixels, growing outwards; the upper verticals need a height above 5.
void medium(int color, int x, int y, int W, int H, unsigned seg)
{
    const int m = H / 2;
    if (seg & SEG_A) { hrun(color, x, y, -1, 1, W - 1); hrun(color, x, y, 0, 1, W - 1); }
    if (H > 5) {
        if (seg & SEG_B) { vrun(color, x, y, W, 1, m - 2); vrun(color, x, y, W + 1, 1, m - 2); }
        if (seg & SEG_F) { vrun(color, x, y, -1, 1, m - 2); vrun(color, x, y, 0, 1, m - 2); }
    }
    if (seg & SEG_C) { vrun(color, x, y, W, m + 1, H - 2); vrun(color, x, y, W + 1, m + 1, H - 2); }
    if (seg & SEG_D) { hrun(color, x, y, H - 1, 1, W - 1); hrun(color, x, y, H, 1, W - 1); }
    if (seg & SEG_E) { vrun(color, x, y, -1, m + 1, H - 2); vrun(color, x, y, 0, m + 1, H - 2); }
    if (seg & SEG_G) { hrun(color, x, y, m - 1, 1, W - 1); hrun(color, x, y, m, 1, W - 1); }
}

// A thick horizontal stroke on core row r, with the side rows r-1 (`above`) and
// r+1 (`below`) over columns 2..W-2 when W > 3.
void thick_h(int color, int x, int y, int W, int r, bool above, bool below)
{
    hrun(color, x, y, r, 1, W - 1);
    if (W > 3) {
        if (above) hrun(color, x, y, r - 1, 2, W - 2);
        if (below) hrun(color, x, y, r + 1, 2, W - 2);
    }
}

// A thick upper vertical on core column col (rows 0..m-1), sides when H > 5.
void thick_upper(int color, int x, int y, int col, int m, int H)
{
    vrun(color, x, y, col, 0, m - 1);
    if (H > 5) {
        vrun(color, x, y, col - 1, 1, m - 2);
        vrun(color, x, y, col + 1, 1, m - 2);
    }
}

// A thick lower vertical on core column col (rows m+1..H), sides on rows m+2..H-1.
void thick_lower(int color, int x, int y, int col, int m, int H)
{
    vrun(color, x, y, col, m + 1, H);
    vrun(color, x, y, col - 1, m + 2, H - 1);
    vrun(color, x, y, col + 1, m + 2, H - 1);
}

// Thick strokes: one-pixel core with a pixel each side over a shorter length.
// The thick 9 keeps only the outer side row of its horizontal strokes.
void thick(int color, int x, int y, int W, int H, unsigned seg, bool nine)
{
    const int m = H / 2;
    if (seg & SEG_A) thick_h(color, x, y, W, 0, true, !nine);
    if (seg & SEG_B) thick_upper(color, x, y, W, m, H);
    if (seg & SEG_C) thick_lower(color, x, y, W, m, H);
    if (seg & SEG_D) thick_h(color, x, y, W, H, !nine, true);
    if (seg & SEG_E) thick_lower(color, x, y, 0, m, H);
    if (seg & SEG_F) thick_upper(color, x, y, 0, m, H);
    if (seg & SEG_G) thick_h(color, x, y, W, m, true, !nine);
}

// True when a glyph or number at (x, y) can be drawn without its pixel sums overflowing.
bool within_reach(int x, int y)
{
    return x > -GLYPH_COORD_LIMIT && x < GLYPH_COORD_LIMIT && y > -GLYPH_COORD_LIMIT && y < GLYPH_COORD_LIMIT;
}

// Glyph routine of one weight (0 thin, 1 medium, 2 thick) and shape (0-9, minus, blank).
template <int WEIGHT, int SHAPE>
void glyph(int color, int x, int y, uint8_t w, uint8_t h)
{
    if (!within_reach(x, y)) return;
    const unsigned seg = glyph_segments[SHAPE];
    if (WEIGHT == 0) thin(color, x, y, w, h, seg);
    else if (WEIGHT == 1) medium(color, x, y, w, h, seg);
    else thick(color, x, y, w, h, seg, SHAPE == 9);
}

template <int WEIGHT>
void fill_weight()
{
    glyph_routine* digits = glyph_table + 10 * WEIGHT;
    digits[0] = glyph<WEIGHT, 0>; digits[1] = glyph<WEIGHT, 1>;
    digits[2] = glyph<WEIGHT, 2>; digits[3] = glyph<WEIGHT, 3>;
    digits[4] = glyph<WEIGHT, 4>; digits[5] = glyph<WEIGHT, 5>;
    digits[6] = glyph<WEIGHT, 6>; digits[7] = glyph<WEIGHT, 7>;
    digits[8] = glyph<WEIGHT, 8>; digits[9] = glyph<WEIGHT, 9>;
    glyph_table[GLYPH_MINUS + WEIGHT] = glyph<WEIGHT, SHAPE_MINUS>;
    glyph_table[GLYPH_BLANK + WEIGHT] = glyph<WEIGHT, SHAPE_BLANK>;
}

// Draw entry `e` of the table when it exists and is filled.
void draw_glyph(int e, int color, int x, int y, uint8_t w, uint8_t h)
{
    if (e < 0 || e >= GLYPH_COUNT || !glyph_table[e]) return;
    glyph_table[e](color, x, y, w, h);
}

constexpr int DIGIT_ENTRIES = 10;   // entries of one stroke weight's digits

// Where the cells of a number stand: a cell's glyph size, the advance from
// one cell to the next, the sign cell's x and the digits' weight.
struct cell_layout {
    uint8_t w, h;
    int advance;
    int sign_x;
    int weight;
};

cell_layout layout_of(int x, uint8_t size, uint8_t thickness)
{
    const int p = canvas_pitch();
    const int s = size;
    cell_layout l;
    l.w = (uint8_t)(p * s);
    l.h = (uint8_t)(2 * s * p);
    l.advance = (uint8_t)(p * (s / 2 + s + 2));
    // The sign cell: one unwrapped cell advance left of the first digit.
    l.sign_x = x - p * (s + s / 2 + 2);
    l.weight = stroke_weight(thickness);
    return l;
}

} // namespace

void fill_glyph_table()
{
    fill_weight<0>();
    fill_weight<1>();
    fill_weight<2>();
}

int stroke_weight(int thickness)
{
    if (thickness == 2) return 1;
    if (thickness == 3) return 2;
    return 0;
}

void draw_decimal_point(int color, int x, int y, uint8_t size, uint8_t thickness)
{
    if (!within_reach(x, y)) return;
    const int p = canvas_pitch();
    const int s = size;
    const int q = (p * s) / 4;
    const int bottom = y + 2 * s * p, above = y + (2 * s - 1) * p;
    switch (thickness) {
    case 1:
        draw_dot(color, x - q - p, above);
        draw_dot(color, x - q - p, bottom);
        break;
    case 2:
        draw_dot(color, x - q - p, above);
        draw_dot(color, x - q - p, bottom);
        draw_dot(color, x - q - 2 * p, above);
        draw_dot(color, x - q - 2 * p, bottom);
        break;
    case 3:
        for (int col = 0; col < 3; col++)
            for (int row = 2; row >= 0; row--) draw_dot(color, x - q - col * p, bottom - row * p);
        break;
    default:
        break;
    }
}

void draw_number(int color, int x, int y, uint32_t value, uint8_t digits, uint8_t size,
                 uint8_t thickness, uint8_t decimals, uint8_t is_signed)
{
    if (!within_reach(x, y)) return;
    const cell_layout l = layout_of(x, size, thickness);
    const uint8_t W = l.w, H = l.h;
    const int advance = l.advance, weight = l.weight;

    // The sign cell, the size of a digit cell, shows the minus of the digits' stroke weight.
    if (is_signed) draw_glyph(GLYPH_MINUS + weight, color, l.sign_x, y, W, H);

    if (digits == 1) {
        draw_glyph(DIGIT_ENTRIES * weight + (int)(value % 10), color, x, y, W, H);
        return;
    }
    if (digits < 2 || digits > NUMBER_MAX_DIGITS) return;

    if (decimals != 0) draw_decimal_point(color, x + decimals * advance, y, size, thickness);
    uint32_t divisor = 1;
    for (int i = 1; i < digits; i++) divisor *= 10;
    for (int i = 0; i < digits; i++) {
        int d = (int)((value / divisor) % 10);
        draw_glyph(DIGIT_ENTRIES * weight + d, color, x + i * advance, y, W, H);
        divisor /= 10;
    }
}

void draw_cells(int color, int x, int y, const decode_cells& c, uint8_t size, uint8_t thickness,
                uint8_t point_before)
{
    if (!within_reach(x, y) || c.count < 1 || c.count > NUMBER_MAX_DIGITS) return;
    const cell_layout l = layout_of(x, size, thickness);
    if (c.sign_cell && c.minus) draw_glyph(GLYPH_MINUS + l.weight, color, l.sign_x, y, l.w, l.h);
    if (c.point) draw_decimal_point(color, x + point_before * l.advance, y, size, thickness);
    for (int i = 0; i < c.count; i++) {
        const int cx = x + i * l.advance;
        if (c.cell[i] >= 0 && c.cell[i] < DIGIT_ENTRIES) draw_glyph(DIGIT_ENTRIES * l.weight + c.cell[i], color, cx, y, l.w, l.h);
        else if (c.cell[i] == DECODE_DASH) draw_glyph(GLYPH_MINUS + l.weight, color, cx, y, l.w, l.h);
    }
}
