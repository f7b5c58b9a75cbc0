/*******************************************************************************
 * items/graphic_items.h - Digit_unit records that are figures: point blocks,
 * lines, circles, rectangles and valve pictures (tables: items/table_item)
 *
 * Each kind is drawn in its unselected or selected look (dashed line or
 * outline, dotted ring, "NORC" frame of a valve without a usable picture),
 * resized by its handles and rescaled with the zoom. The selected record's description,
 * buttons and the order of drawing are items/digit_item.cpp's; this module
 * supplies the figure, its register caption and the relabelled buttons.
 *
 * Limits: a valve picture is read only inside its `bitmap_len`.
 * Depends on: items/figures.h, raster/dot_text.h, raster/screen_text.h,
 * raster/canvas.h (colour table), model/tables.h, model/geometry.h (rescaling),
 * items/handles.h.
 * Does NOT: draw variable items (kind 8) or tables, pick handles, or load pictures.
 ******************************************************************************/
#pragma once
#include "model/tables.h"

constexpr int VALVE_TEMPLATE_X = 266;   // valve records left of this stand in the palette

// Draw a figure record (any kind but 8) in its unselected or selected look, as
// its kind's row says.
void draw_figure(Digit_unit& u, bool selected);

// The figure drawers of the kind table, one per shape: a point block, a colon
// (two blocks), a horizontal line (dashed when selected), a vertical line,
// circles (a dotted ring when selected), rectangles (a dashed outline when
// selected).
void draw_point_block(Digit_unit& u, bool selected);
void draw_colon(Digit_unit& u, bool selected);
void draw_hline(Digit_unit& u, bool selected);
void draw_vline(Digit_unit& u, bool selected);
void draw_circle_item(Digit_unit& u, bool selected);
void draw_filled_circle_item(Digit_unit& u, bool selected);
void draw_rect_item(Digit_unit& u, bool selected);
void draw_filled_rect_item(Digit_unit& u, bool selected);

// Draw a valve picture: a framed "BMP" in the palette, else its lit pixels; the
// selected look frames "NORC" when the picture cannot be shown.
void draw_valve(Digit_unit& u, bool selected);

// Resize by handle h (items/handles.h) dragged by dx, dy, when the figure
// stays at least ITEM_MIN px each way: a rectangle by any edge or corner, a
// line by its ends, a circle's radius by the bottom handle.
void resize_box(Digit_unit& u, int h, int dx, int dy);
void resize_hline(Digit_unit& u, int h, int dx, int dy);
void resize_round(Digit_unit& u, int h, int dx, int dy);

// Rescale a figure's sizes from pitch `from` to `to` so that its ends keep
// their dots (x and y are the caller's to move): lines and boxes by their
// ends, blocks and circles dot for dot.
void rescale_hline(Digit_unit& d, int from, int to);
void rescale_vline(Digit_unit& d, int from, int to);
void rescale_box(Digit_unit& d, int from, int to);
void rescale_block(Digit_unit& d, int from, int to);
void rescale_round(Digit_unit& d, int from, int to);

// True for the kinds that show the register caption when selected (2, 5, 9, 10, 11).
bool figure_has_caption(int kind);
// The register caption "寄存器:4x4%04d" of `reg_addr`, in white at (x - 8, y).
void draw_figure_caption(const Digit_unit& u);

// The label button i of a selected figure shows instead of its own, or nullptr.
const char* figure_button_label(const Digit_unit& u, int i);
