/*******************************************************************************
 * items/table_item.cpp - tables of cells
 ******************************************************************************/
#include "items/table_item.h"
#include "items/figures.h"
#include "items/handles.h"
#include "raster/gfx.h"
#include "raster/view.h"
#include <algorithm>

namespace {

constexpr int MARKER_CODE = 0xFF;     // the thin marker dot over merged cell lines
constexpr int WHITE_CODE = 6;
// Tints over the picked cell and the span cell, seen on a table of any colour.
constexpr float PICKED_TINT[4] = {0.3f, 0.6f, 1.0f, 0.35f};
constexpr float SPAN_TINT[4] = {1.0f, 0.6f, 0.2f, 0.35f};
constexpr float TINT_DEPTH = 0.0f;

int px(int64_t v) { return clamp32(v); }

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

// Move the merge pieces whose cell passes `which` by (dx, dy): both ends, or
// only the second end (a piece in the row whose height changes stretches).
template <typename Pick>
void shift_merges(table_grid& g, Pick which, int64_t dx, int64_t dy, bool second_only)
{
    const int n = std::min<int>(g.merge_count, TABLE_MAX);
    for (int m = 0; m < n; m++) {
        table_merge& t = g.merges[m];
        if (!which(t)) continue;
        if (!second_only) {
            t.x0 = clamp32(t.x0 + dx);
            t.y0 = clamp32(t.y0 + dy);
        }
        t.x1 = clamp32(t.x1 + dx);
        t.y1 = clamp32(t.y1 + dy);
    }
}

} // namespace

int table_cols(const item& t) { return std::min<int>(t.grid.cols, TABLE_MAX); }
int table_rows(const item& t) { return std::min<int>(t.grid.rows, TABLE_MAX); }

bool table_cell_box(const item& t, int col, int row, dot_box& out)
{
    if (col < 0 || row < 0 || col >= table_cols(t) || row >= table_rows(t)) return false;
    int64_t x = t.x, y = t.y;
    for (int c = 0; c < col; c++) x += t.grid.col_w[c];
    for (int r = 0; r < row; r++) y += t.grid.row_h[r];
    out = {x, y, t.grid.col_w[col], t.grid.row_h[row]};
    return true;
}

// Column by column, each column row by row; the edges belong to no cell.
bool table_cell_at(const item& t, int64_t x, int64_t y, int& col, int& row)
{
    int64_t cx = t.x;
    for (int c = 0; c < table_cols(t); c++) {
        int64_t cy = t.y;
        for (int r = 0; r < table_rows(t); r++) {
            if (x >= cx && x < cx + t.grid.col_w[c] && y >= cy && y < cy + t.grid.row_h[r]) {
                col = c;
                row = r;
                return true;
            }
            cy += t.grid.row_h[r];
        }
        cx += t.grid.col_w[c];
    }
    return false;
}

// Resize the picked cell by handle h: the columns and rows around the cell
// change, and the erased grid pieces right of or below follow.
void resize_table(item& t, int h, int64_t dx, int64_t dy, int c, int r)
{
    table_grid& g = t.grid;
    if (c < 0 || r < 0 || c >= table_cols(t) || r >= table_rows(t)) return;
    int32_t* cw = g.col_w;
    int32_t* rh = g.row_h;
    // A change that would leave a column or row thinner than CELL_MIN_DOTS is dropped.
    auto fits = [](int32_t v, int64_t d) { return (int64_t)v + d >= CELL_MIN_DOTS && (int64_t)v + d <= INT32_MAX; };
    auto grow = [](int32_t& v, int64_t d) { v = (int32_t)(v + d); };
    switch (h) {
    case HANDLE_TOP_LEFT:
        if (r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r - 1], dy)) { grow(cw[c - 1], dx); grow(rh[r - 1], dy); }
        break;
    case HANDLE_LEFT:
        if (c != 0 && fits(cw[c - 1], dx)) {
            shift_merges(g, [&](const table_merge& m) { return m.col + 1 >= c; }, dx, 0, false);
            grow(cw[c - 1], dx);
        }
        break;
    case HANDLE_BOTTOM_LEFT:
        if (r != 0 && c != 0 && fits(cw[c - 1], dx) && fits(rh[r], dy)) { grow(cw[c - 1], dx); grow(rh[r], dy); }
        break;
    case HANDLE_BOTTOM:
        if (fits(rh[r], dy)) {
            shift_merges(g, [&](const table_merge& m) { return m.row > r; }, 0, dy, false);
            shift_merges(g, [&](const table_merge& m) { return m.row == r; }, 0, dy, true);
            grow(rh[r], dy);
        }
        break;
    case HANDLE_BOTTOM_RIGHT:
        if (fits(cw[c], dx) && fits(rh[r], dy)) { grow(cw[c], dx); grow(rh[r], dy); }
        break;
    case HANDLE_RIGHT:
        if (fits(cw[c], dx)) {
            shift_merges(g, [&](const table_merge& m) { return m.col >= c; }, dx, 0, false);
            grow(cw[c], dx);
        }
        break;
    case HANDLE_TOP_RIGHT:
        if (r != 0 && c != 0 && fits(cw[c], dx) && fits(rh[r - 1], dy)) { grow(cw[c], dx); grow(rh[r - 1], dy); }
        break;
    case HANDLE_TOP:
        if (r != 0 && fits(rh[r - 1], dy)) {
            shift_merges(g, [&](const table_merge& m) { return m.row >= r; }, 0, dy, false);
            shift_merges(g, [&](const table_merge& m) { return m.row == r - 1; }, 0, dy, true);
            grow(rh[r - 1], dy);
        }
        break;
    default: break;
    }
}

// The walk outlines every cell but the marked ones, drawn after it.
void draw_table(const item& t, const item_draw_ctx& ctx)
{
    const int cols = table_cols(t), rows = table_rows(t);
    const int p = ctx.pitch;
    const selection_look& look = ctx.look;
    const bool sel_inside = ctx.selected && look.sel_col < cols && look.sel_row < rows;
    const bool span_inside = ctx.selected && look.span_col < cols && look.span_row < rows;

    int sel_x = 0, sel_y = 0, span_x = 0, span_y = 0;   // corners of the marked cells
    int64_t cx = ctx.x;
    for (int i = 0; i < cols; i++) {
        int64_t cy = ctx.y;
        const int64_t w = (int64_t)t.grid.col_w[i] * p;
        for (int j = 0; j < rows; j++) {
            const int64_t h = (int64_t)t.grid.row_h[j] * p;
            const bool is_sel = sel_inside && i == look.sel_col && j == look.sel_row;
            const bool is_span = span_inside && i == look.span_col && j == look.span_row;
            if (is_sel) { sel_x = px(cx); sel_y = px(cy); }
            if (is_span) { span_x = px(cx); span_y = px(cy); }
            if (!is_sel && !is_span) draw_rect(t.color, px(cx), px(cy), px(cx + w), px(cy + h));
            cy += h;
        }
        cx += w;
    }
    if (sel_inside) {
        const int right = px((int64_t)sel_x + (int64_t)t.grid.col_w[look.sel_col] * p);
        const int bottom = px((int64_t)sel_y + (int64_t)t.grid.row_h[look.sel_row] * p);
        tint_cell(PICKED_TINT, sel_x, sel_y, right, bottom);
        draw_rect(WHITE_CODE, sel_x, sel_y, right, bottom);
    }
    if (span_inside) {
        const int right = px((int64_t)span_x + (int64_t)t.grid.col_w[look.span_col] * p);
        const int bottom = px((int64_t)span_y + (int64_t)t.grid.row_h[look.span_row] * p);
        tint_cell(SPAN_TINT, span_x, span_y, right, bottom);
        draw_rect(WHITE_CODE, span_x, span_y, right, bottom);
    }
    const int n = std::min<int>(t.grid.merge_count, TABLE_MAX);
    for (int m = 0; m < n; m++) {
        const table_merge& g = t.grid.merges[m];
        draw_line(MARKER_CODE, px((int64_t)ctx.x + (int64_t)g.x0 * p), px((int64_t)ctx.y + (int64_t)g.y0 * p),
                  px((int64_t)ctx.x + (int64_t)g.x1 * p), px((int64_t)ctx.y + (int64_t)g.y1 * p));
    }
}

// The sums of the columns and rows walked.
dot_box measure_table(const item& t)
{
    int64_t w = 0, h = 0;
    for (int i = 0; i < table_cols(t); i++) w += t.grid.col_w[i];
    for (int j = 0; j < table_rows(t); j++) h += t.grid.row_h[j];
    return {t.x, t.y, w, h};
}
