/*******************************************************************************
 * items/table_item.cpp - tables of cells
 ******************************************************************************/
#include "items/table_item.h"
#include "items/figures.h"
#include "items/handles.h"
#include "model/geometry.h"
#include "model/settings.h"
#include "raster/gfx.h"
#include <algorithm>

namespace {

constexpr int MARKER_CODE = 0xFF;     // the thin marker dot over merged cell lines
constexpr int WHITE_CODE = 6;
// Tints over the picked cell and the span cell, seen on a table of any colour.
constexpr float PICKED_TINT[4] = {0.3f, 0.6f, 1.0f, 0.35f};
constexpr float SPAN_TINT[4] = {1.0f, 0.6f, 0.2f, 0.35f};
constexpr float TINT_DEPTH = 0.0f;

// A see-through fill over a cell, so the picked cell shows whatever the table's colour.
void tint_cell(const float* rgba, int x0, int y0, int x1, int y1)
{
    gfx_texturing(false);
    gfx_blending(true);
    gfx_color(rgba[0], rgba[1], rgba[2], rgba[3]);
    gfx_begin(GFX_QUADS);
    gfx_vertex((float)x0, (float)y0, TINT_DEPTH);
    gfx_vertex((float)x1, (float)y0, TINT_DEPTH);
    gfx_vertex((float)x1, (float)y1, TINT_DEPTH);
    gfx_vertex((float)x0, (float)y1, TINT_DEPTH);
    gfx_end();
    gfx_blending(false);
}

int px(int64_t v) { return clamp_px(v); }

// Subtract (ddx, ddy) from both ends (or only the second end when
// `second_only`) of every merge record whose cell passes `which`.
template <typename Pick>
void shift_merges(Digit_unit& t, Pick which, int ddx, int ddy, bool second_only)
{
    const int n = std::min<int>(t.merge_count, TABLE_MAX);
    for (int m = 0; m < n; m++) {
        merge_record& g = t.merges[m];
        if (!g.flag || !which(g)) continue;
        if (!second_only) {
            g.x0 -= ddx;
            g.y0 -= ddy;
        }
        g.x1 -= ddx;
        g.y1 -= ddy;
    }
}

} // namespace

// Resize a table's selected cell c, r by handle h: the columns and rows around
// the cell change, and the erased grid pieces right of or below follow.
void resize_table(Digit_unit& t, int h, int dx, int dy)
{
    const int cols = std::min<int>(t.cols, TABLE_MAX), rows = std::min<int>(t.rows, TABLE_MAX);
    const int c = t.sel_col, r = t.sel_row;
    if (c >= cols || r >= rows) return;
    const bool wide = (int64_t)t.width + dx > ITEM_MIN - 1, high = (int64_t)t.height + dy > ITEM_MIN - 1;
    int32_t* cw = t.col_width;
    int32_t* rh = t.row_height;
    // A change that would leave a column or row thinner than CELL_MIN is dropped.
    auto fits = [](int32_t v, int d) { return (int64_t)v + d >= CELL_MIN; };

    switch (h) {
    case HANDLE_TOP_LEFT:
        if (r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r - 1], dy)) { cw[c - 1] += dx; rh[r - 1] += dy; }
        break;
    case HANDLE_LEFT:
        if (wide && c != 0 && fits(cw[c - 1], dx)) {
            shift_merges(t, [&](const merge_record& g) { return g.col + 1 >= c; }, dx, 0, false);
            cw[c - 1] += dx;
        }
        break;
    case HANDLE_BOTTOM_LEFT:
        if (wide && high && r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r], dy)) { cw[c - 1] += dx; rh[r] += dy; }
        break;
    case HANDLE_BOTTOM:
        if (high && fits(rh[r], dy)) {
            shift_merges(t, [&](const merge_record& g) { return g.row > r; }, 0, dy, false);
            shift_merges(t, [&](const merge_record& g) { return g.row == r; }, 0, dy, true);
            rh[r] += dy;
        }
        break;
    case HANDLE_BOTTOM_RIGHT:
        if (wide && high && fits(cw[c], dx) && fits(rh[r], dy)) { cw[c] += dx; rh[r] += dy; }
        break;
    case HANDLE_RIGHT:
        if (wide && fits(cw[c], dx)) {
            shift_merges(t, [&](const merge_record& g) { return g.col >= c; }, dx, 0, false);
            cw[c] += dx;
        }
        break;
    case HANDLE_TOP_RIGHT:
        if (wide && high && r != 0 && c != 0 && fits(cw[c], dx) && fits(rh[r - 1], dy)) { cw[c] += dx; rh[r - 1] += dy; }
        break;
    case HANDLE_TOP:
        if (high && r != 0 && fits(rh[r - 1], dy)) {
            shift_merges(t, [&](const merge_record& g) { return g.row >= r; }, 0, dy, false);
            shift_merges(t, [&](const merge_record& g) { return g.row == r - 1; }, 0, dy, true);
            rh[r - 1] += dy;
        }
        break;
    default: break;
    }
}

// Corner from the widths and heights before the cell; none for a cell outside the table.
bool selected_cell_rect(const Digit_unit& d, int32_t rect[4])
{
    const int cols = std::min<int>(d.cols, TABLE_MAX), rows = std::min<int>(d.rows, TABLE_MAX);
    if (d.sel_col >= cols || d.sel_row >= rows) return false;
    int64_t x = d.x, y = d.y;
    for (int c = 0; c < d.sel_col; c++) x += d.col_width[c];
    for (int r = 0; r < d.sel_row; r++) y += d.row_height[r];
    rect[0] = (int32_t)std::clamp<int64_t>(x, INT32_MIN, INT32_MAX);
    rect[1] = (int32_t)std::clamp<int64_t>(y, INT32_MIN, INT32_MAX);
    rect[2] = d.col_width[d.sel_col];
    rect[3] = d.row_height[d.sel_row];
    return true;
}

// Every grid line keeps its dot: the cells are the gaps between them.
void rescale_table(Digit_unit& d, int from, int to)
{
    const int64_t x = d.x, y = d.y;
    int64_t at = x;
    for (int i = 0; i < TABLE_MAX; i++) {
        int32_t w = rescaled_span(at, d.col_width[i], PANEL_X, from, to);
        at += d.col_width[i];
        d.col_width[i] = w;
    }
    at = y;
    for (int j = 0; j < TABLE_MAX; j++) {
        int32_t h = rescaled_span(at, d.row_height[j], PANEL_Y, from, to);
        at += d.row_height[j];
        d.row_height[j] = h;
    }
    const int32_t nx = rescaled(x, PANEL_X, from, to), ny = rescaled(y, PANEL_Y, from, to);
    for (merge_record& m : d.merges) {
        if (!m.flag) continue;
        m.x0 = (int32_t)(nx - (int64_t)rescaled(x - m.x0, PANEL_X, from, to));
        m.y0 = (int32_t)(ny - (int64_t)rescaled(y - m.y0, PANEL_Y, from, to));
        m.x1 = (int32_t)(nx - (int64_t)rescaled(x - m.x1, PANEL_X, from, to));
        m.y1 = (int32_t)(ny - (int64_t)rescaled(y - m.y1, PANEL_Y, from, to));
    }
}

// The walk outlines every cell but the white ones, drawn after it.
void draw_table(Digit_unit& u, bool selected)
{
    const int cols = std::min<int>(u.cols, TABLE_MAX);
    const int rows = std::min<int>(u.rows, TABLE_MAX);
    const bool sel_inside = selected && u.sel_col < cols && u.sel_row < rows;
    const bool span_inside = selected && u.span_col < cols && u.span_row < rows;

    int sel_x = 0, sel_y = 0, span_x = 0, span_y = 0;   // corners of the white cells
    int64_t cx = u.x;
    for (int i = 0; i < cols; i++) {
        int64_t cy = u.y;
        for (int j = 0; j < rows; j++) {
            const bool is_sel = sel_inside && i == u.sel_col && j == u.sel_row;
            const bool is_span = span_inside && i == u.span_col && j == u.span_row;
            if (is_sel) { sel_x = px(cx); sel_y = px(cy); }
            if (is_span) { span_x = px(cx); span_y = px(cy); }
            if (!is_sel && !is_span)
                draw_rect(u.color, px(cx), px(cy), px(cx + u.col_width[i]), px(cy + u.row_height[j]));
            cy += u.row_height[j];
        }
        cx += u.col_width[i];
    }
    if (sel_inside) {
        const int right = px((int64_t)sel_x + u.col_width[u.sel_col]), bottom = px((int64_t)sel_y + u.row_height[u.sel_row]);
        tint_cell(PICKED_TINT, sel_x, sel_y, right, bottom);
        draw_rect(WHITE_CODE, sel_x, sel_y, right, bottom);
    }
    if (span_inside) {
        const int right = px((int64_t)span_x + u.col_width[u.span_col]), bottom = px((int64_t)span_y + u.row_height[u.span_row]);
        tint_cell(SPAN_TINT, span_x, span_y, right, bottom);
        draw_rect(WHITE_CODE, span_x, span_y, right, bottom);
    }

    for (int m = 0; m < TABLE_MAX; m++) {
        const merge_record& g = u.merges[m];
        if (!g.flag) continue;
        draw_line(MARKER_CODE, px((int64_t)u.x - g.x0), px((int64_t)u.y - g.y0), px((int64_t)u.x - g.x1),
                  px((int64_t)u.y - g.y1));
    }
}

// The sums of the columns and rows walked.
void measure_table(Digit_unit& u, bool)
{
    const int cols = std::min<int>(u.cols, TABLE_MAX);
    const int rows = std::min<int>(u.rows, TABLE_MAX);
    int64_t w = 0, h = 0;
    for (int i = 0; i < cols; i++) w += u.col_width[i];
    for (int j = 0; j < rows; j++) h += u.row_height[j];
    u.width = px(w);
    u.height = px(h);
}

