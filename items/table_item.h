/*******************************************************************************
 * items/table_item.h - tables of cells: drawing, measuring, resizing, rescaling
 *
 * A table (Digit_unit of kind 6) is a grid of `cols` x `rows` cells from its
 * corner: column widths and row heights in px, and merge records, each the
 * erased grid piece between two merged cells, kept as offsets from the corner.
 * Drawing outlines every cell; the selected look draws the selected and span
 * cells tinted and in white after the walk, and marks the merge pieces with a
 * thin dot.
 *
 * Limits: at most TABLE_MAX columns, rows and merges are walked whatever
 * `cols`, `rows` and `merge_count` say; a resize never leaves a column or row
 * thinner than CELL_MIN.
 * Depends on: items/figures.h, items/handles.h, model/geometry.h, model/tables.h.
 * Does NOT: pick the selected cell (edit/press), add or remove rows, columns
 * or merges (edit/actions), or write the table's script lines.
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Draw a table; the selected look leaves out the selected and span cells in
// the walk and draws them afterwards, tinted (blue the picked cell, orange
// the span cell, seen on a table of any colour) and outlined in white.
void draw_table(Digit_unit& u, bool selected);
// A table's width and height: its columns' and rows' sums.
void measure_table(Digit_unit& u, bool selected);
// Resize the selected cell by handle h: the column and row on the handle's
// sides change, and the merge pieces right of or below follow.
void resize_table(Digit_unit& t, int h, int dx, int dy);
// Rectangle (left, top, width, height) of the selected cell, the one its
// resize handles go by; false when no cell of the table is selected.
bool selected_cell_rect(const Digit_unit& d, int32_t rect[4]);
// Rescale the columns, rows and merges from pitch `from` to `to` so that every
// grid line keeps its dot (x and y are the caller's to move).
void rescale_table(Digit_unit& d, int from, int to);
