/*******************************************************************************
 * items/table_item.h - tables of cells: drawing, measuring, resizing
 *
 * A table is a grid of `cols` x `rows` cells from its corner: column widths
 * and row heights in dots, and merges, each the grid piece between
 * two merged cells that is not drawn, kept in dots from the corner. Drawing
 * outlines every cell; the selected look draws the picked and span cells
 * tinted (blue the picked cell, orange the span cell, seen on a table of any
 * colour) and outlined in white after the walk, and marks the merge pieces
 * with a thin dot.
 *
 * Limits: at most TABLE_MAX columns, rows and merges are walked whatever
 * the counts say; a resize never leaves a column or row thinner than CELL_MIN_DOTS.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: pick cells (edit/ does), add or remove rows, columns or merges,
 * or write the table's script lines.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"

// Draw a table (the selected look shows the picked and span cells of ctx.look).
void draw_table(const item& it, const item_draw_ctx& ctx);
// A table's box: its columns' and rows' sums.
dot_box measure_table(const item& it);
// Resize the picked cell (col, row) by handle h: the column and row on the
// handle's sides change, and the merge pieces right of or below follow.
void resize_table(item& t, int h, int64_t dx, int64_t dy, int col, int row);
// The box of cell (col, row); false when it lies outside the table.
bool table_cell_box(const item& t, int col, int row, dot_box& out);
// The first cell (column by column) whose box holds dot (x, y); false when none.
bool table_cell_at(const item& t, int64_t x, int64_t y, int& col, int& row);
// Columns and rows that have cells in the arrays.
int table_cols(const item& t);
int table_rows(const item& t);
