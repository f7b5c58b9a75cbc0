/*******************************************************************************
 * items/figures.h - figures drawn dot by dot: lines, rectangles, circles,
 * blocks, the selection ring and monochrome pictures from BMP file images
 *
 * Every position is a screen pixel and every lit position is one draw_dot with
 * the caller's colour code, so figures take the colour rules of the canvas
 * (codes 7, 0xFF and codes above 6 keep their special meaning).
 *
 * Limits: a line, a filled-rectangle height and a circle radius span at most
 * FIGURE_SPAN_MAX pixels (longer ones are cut there, so a hostile item cannot
 * stall the frame); a picture row is at most PICTURE_STRIDE_MAX bytes and only
 * 24-bit pictures are shown.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: know about items (items/graphic_items.h does), clip to the
 * panel, or load files (the picture is a file image already in memory).
 ******************************************************************************/
#pragma once
#include <algorithm>
#include <cstdint>

constexpr int FIGURE_SPAN_MAX = 8192;       // pixels along a line, rows of a fill, circle radius
constexpr int PICTURE_STRIDE_MAX = 0x8000;  // bytes in one picture row
constexpr int BMP_HEADER_BYTES = 54;        // file header and information header

constexpr int64_t TEXT_COORD_LIMIT = 1 << 24;   // text pens start within +-this many pixels

// A text's starting point, held far off screen at worst, so that the text
// renderers can advance their pens from it without overflowing.
inline int32_t text_px(int64_t v)
{
    return (int32_t)std::min<int64_t>(std::max<int64_t>(v, -TEXT_COORD_LIMIT), TEXT_COORD_LIMIT);
}

// A digital line from (x0, y0) to (x1, y1), both ends lit.
void draw_line(int c, int x0, int y0, int x1, int y1);
// The outline of the rectangle with corners (x0, y0) and (x1, y1), edges included.
void draw_rect(int c, int x0, int y0, int x1, int y1);
// Rows y0 up to but excluding y1, each a line from x0 to x1.
void fill_rect(int c, int x0, int y0, int x1, int y1);
// A circle outline of radius r around (x, y); radius 0 lights the centre.
void draw_circle(int c, int x, int y, int r);
// A disc: every pixel between the outline's leftmost and rightmost point of each row.
void fill_circle(int c, int x, int y, int r);
// The dots a 24-bit bitmap file image covers (pixels wrap at BITMAP_WRAP);
// false when it is not one.
constexpr int BITMAP_WRAP = 256;
bool bitmap_dots_size(const uint8_t* bitmap, int32_t len, int64_t& w, int64_t& h);

// An n x n square of pixels from (x, y); n counts modulo 256.
void draw_block(int c, int x, int y, int n);
// r points evenly round a circle of radius r, in the current colour and point size.
void draw_ring(int x, int y, int r);

// Light one dot per picture pixel whose luma is above 1000 x threshold (BT.601
// weights x 1000), pixel (i, k) at (x + (i mod 256) p, y + (k mod 256) p).
// `bitmap` is a whole 24-bit BMP file image of `len` bytes. Returns 0, or -1
// when there is no usable picture; never reads outside the image.
int draw_bitmap_dots(int c, int x, int y, int threshold, const uint8_t* bitmap, int32_t len);
