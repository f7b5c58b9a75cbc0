/*******************************************************************************
 * items/figures.cpp - the dot primitives of figures and the picture reader
 *
 * Coordinates are carried in 64 bits inside the primitives so that extreme
 * item values cannot overflow; each lit position is handed to draw_dot.
 ******************************************************************************/
#include "items/figures.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include <algorithm>
#include <cmath>

namespace {

int sign_of(int64_t v) { return v > 0 ? 1 : (v < 0 ? -1 : 0); }

int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

void dot(int c, int64_t x, int64_t y) { draw_dot(c, (int)x, (int)y); }

// Little-endian fields of a file image.
uint32_t le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | ((uint32_t)p[3] << 24); }
uint16_t le16(const uint8_t* p) { return (uint16_t)(p[0] | (p[1] << 8)); }

// Half-widths of the rows of one disc, indexed by the row's distance from the centre.
int disc_half[FIGURE_SPAN_MAX + 1];
constexpr int64_t VISIBLE_MARGIN = 64;   // pixels beyond the window still drawn

// Rows and columns of a filled area that can be seen: the window (with a
// margin for the dot size) once its size is known, so a huge filled figure
// costs no more than the window it covers.
void visible_span(int64_t& lo, int64_t& hi, bool columns)
{
    int w, h;
    gfx_view_size(w, h);
    const int64_t extent = columns ? w : h;
    if (extent <= 0) return;
    lo = std::max<int64_t>(lo, -VISIBLE_MARGIN);
    hi = std::min<int64_t>(hi, extent + VISIBLE_MARGIN);
}

} // namespace

void draw_line(int c, int x0, int y0, int x1, int y1)
{
    const int64_t dx = (int64_t)x1 - x0, dy = (int64_t)y1 - y0;
    const int sx = sign_of(dx), sy = sign_of(dy);
    const int64_t adx = magnitude(dx), ady = magnitude(dy);
    const int64_t M = std::max(adx, ady);
    // The stepping walks M + 2 times; the first two steps stay on the start,
    // which is lit once. Beyond FIGURE_SPAN_MAX pixels the line is cut.
    const int64_t steps = std::min<int64_t>(M + 2, FIGURE_SPAN_MAX + 2);
    int64_t px = x0, py = y0, ax = 0, ay = 0;
    dot(c, px, py);
    int64_t last_x = px, last_y = py;
    for (int64_t n = 0; n < steps; n++) {
        if (px != last_x || py != last_y) {
            dot(c, px, py);
            last_x = px;
            last_y = py;
        }
        ax += adx;
        if (ax > M) { ax -= M; px += sx; }
        ay += ady;
        if (ay > M) { ay -= M; py += sy; }
    }
}

void draw_rect(int c, int x0, int y0, int x1, int y1)
{
    draw_line(c, x0, y0, x1, y0);
    draw_line(c, x0, y1, x1, y1);
    draw_line(c, x0, y0, x0, y1);
    draw_line(c, x1, y0, x1, y1);
}

void fill_rect(int c, int x0, int y0, int x1, int y1)
{
    int64_t first = y0, last = y1;
    visible_span(first, last, false);
    last = std::min<int64_t>(last, first + FIGURE_SPAN_MAX);
    int64_t a = x0, b = x1;   // the visible part of every row
    if (a <= b) visible_span(a, b, true);
    else visible_span(b, a, true);
    for (int64_t r = first; r < last; r++) draw_line(c, (int)a, (int)r, (int)b, (int)r);
}

void draw_circle(int c, int x, int y, int r)
{
    if (r < 0) return;
    r = std::min(r, FIGURE_SPAN_MAX);
    int64_t u = 0, v = r, D = 3 - 2 * (int64_t)r;
    while (u <= v) {
        dot(c, (int64_t)x + u, (int64_t)y + v);
        dot(c, (int64_t)x - u, (int64_t)y + v);
        dot(c, (int64_t)x + u, (int64_t)y - v);
        dot(c, (int64_t)x - u, (int64_t)y - v);
        dot(c, (int64_t)x + v, (int64_t)y + u);
        dot(c, (int64_t)x - v, (int64_t)y + u);
        dot(c, (int64_t)x + v, (int64_t)y - u);
        dot(c, (int64_t)x - v, (int64_t)y - u);
        if (D < 0) D += 4 * u + 10;
        else { D += 4 * (u - v) + 14; v -= 1; }
        u += 1;
    }
}

void fill_circle(int c, int x, int y, int r)
{
    if (r < 0) return;
    r = std::min(r, FIGURE_SPAN_MAX);
    // The same walk as draw_circle, keeping the widest point of every row.
    std::fill(disc_half, disc_half + r + 1, -1);
    int64_t u = 0, v = r, D = 3 - 2 * (int64_t)r;
    while (u <= v) {
        disc_half[v] = std::max<int>(disc_half[v], (int)u);
        disc_half[u] = std::max<int>(disc_half[u], (int)v);
        if (D < 0) D += 4 * u + 10;
        else { D += 4 * (u - v) + 14; v -= 1; }
        u += 1;
    }
    int64_t top = (int64_t)y - r, bottom = (int64_t)y + r;
    visible_span(top, bottom, false);
    for (int64_t yy = top; yy <= bottom; yy++) {
        const int64_t row = yy - y;
        const int half = disc_half[row < 0 ? -row : row];
        int64_t left = (int64_t)x - half, right = (int64_t)x + half;
        visible_span(left, right, true);
        for (int64_t xx = left; xx <= right; xx++) dot(c, xx, yy);
    }
}

void draw_block(int c, int x, int y, int n)
{
    const int side = (uint8_t)n;
    for (int i = 0; i < side; i++)
        for (int j = 0; j < side; j++) dot(c, (int64_t)x + i, (int64_t)y + j);
}

void draw_ring(int x, int y, int r)
{
    if (r <= 0) return;
    r = std::min(r, FIGURE_SPAN_MAX);
    const double two_pi = 6.283185307179586;
    gfx_begin(GFX_POINTS);
    for (int i = 0; i < r; i++) {
        double a = two_pi * i / r;
        gfx_vertex((float)(x + r * std::cos(a)), (float)(y + r * std::sin(a)), 0.0f);
    }
    gfx_end();
}

bool bitmap_dots_size(const uint8_t* bitmap, int32_t len, int64_t& w, int64_t& h)
{
    if (!bitmap || len < BMP_HEADER_BYTES) return false;
    const int64_t bw = (int32_t)le32(bitmap + 18), bh = (int32_t)le32(bitmap + 22);
    if (bw <= 0 || bh == 0 || le16(bitmap + 28) != 24) return false;
    w = std::min<int64_t>(bw, BITMAP_WRAP);
    h = std::min<int64_t>(bh < 0 ? -bh : bh, BITMAP_WRAP);
    return true;
}

int draw_bitmap_dots(int c, int x, int y, int threshold, const uint8_t* bitmap, int32_t len)
{
    if (!bitmap || len < BMP_HEADER_BYTES) return -1;
    const int64_t offset = le32(bitmap + 10);
    const int64_t w = (int32_t)le32(bitmap + 18);
    const int64_t h = (int32_t)le32(bitmap + 22);
    const int bits = le16(bitmap + 28);
    const int64_t stride = ((3 * w + 3) / 4) * 4;
    if (w <= 0 || h == 0 || stride > PICTURE_STRIDE_MAX || bits != 24 || offset >= len) return -1;

    // Rows are stored bottom-up, or top-down when the height is negative.
    const bool top_down = h < 0;
    const int64_t rows = top_down ? -h : h;
    // File rows whose start lies inside the image; the rest are not there.
    const int64_t rows_in_file = std::min(rows, (len - offset + stride - 1) / stride);
    const int64_t first_k = top_down ? 0 : rows - rows_in_file;
    const int64_t last_k = top_down ? rows_in_file - 1 : rows - 1;
    const int64_t limit = 1000 * (int64_t)threshold;
    const int p = canvas_pitch();

    for (int64_t k = first_k; k <= last_k; k++) {
        const int64_t file_row = top_down ? k : rows - 1 - k;
        const int64_t start = offset + file_row * stride;
        for (int64_t i = 0; i < w; i++) {
            const int64_t at = start + 3 * i;
            if (at + 2 >= len) break;
            const int64_t luma = 299 * bitmap[at + 2] + 587 * bitmap[at + 1] + 114 * bitmap[at];
            if (luma > limit) dot(c, x + (i % BITMAP_WRAP) * p, y + (k % BITMAP_WRAP) * p);
        }
    }
    return 0;
}
