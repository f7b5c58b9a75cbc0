/*******************************************************************************
 * items/graphic_items.h - figures and valve pictures: drawing, measuring, resizing
 *
 * Point blocks, colons, lines, vertical lines, circles, rectangles (plain and
 * filled) and valve pictures, each in its plain or selected look (dashed line
 * or outline, dotted ring, "NORC" frame of a valve without a usable picture;
 * a palette sample of a valve is a framed "BMP"). Positions and sizes come in
 * dots; the drawing maps them with the item's place and pitch.
 *
 * Limits: a valve picture is read only inside its file image.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw variables or tables, pick handles, or load pictures.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"

// The figure drawers of the kind table, one per shape.
void draw_point_block(const item& it, const item_draw_ctx& ctx);
void draw_colon(const item& it, const item_draw_ctx& ctx);
void draw_hline(const item& it, const item_draw_ctx& ctx);
void draw_vline(const item& it, const item_draw_ctx& ctx);
void draw_circle_item(const item& it, const item_draw_ctx& ctx);
void draw_filled_circle_item(const item& it, const item_draw_ctx& ctx);
void draw_rect_item(const item& it, const item_draw_ctx& ctx);
void draw_filled_rect_item(const item& it, const item_draw_ctx& ctx);
void draw_valve(const item& it, const item_draw_ctx& ctx);

// A valve without a picture of its own covers this box (the palette's sample too).
constexpr int VALVE_BOX_W = 30, VALVE_BOX_H = 12;
// The box a valve covers: its picture's size when the document has that
// picture, else its own size, else VALVE_BOX_W x VALVE_BOX_H.
dot_box measure_valve(const document* d, const item& it);

// Boxes in dots: a block's square, a line's band, a circle's square about its
// centre, a box.
dot_box measure_block(const item& it);
dot_box measure_colon(const item& it);
dot_box measure_hline(const item& it);
dot_box measure_vline(const item& it);
dot_box measure_round(const item& it);
dot_box measure_box(const item& it);

// Resize by handle h moved by dx, dy dots, when the figure stays at least
// ITEM_MIN_DOTS each way: a rectangle by any edge or corner, a line by its
// ends, a circle's radius by the bottom handle.
void resize_box(item& it, int h, int64_t dx, int64_t dy, int, int);
void resize_hline(item& it, int h, int64_t dx, int64_t dy, int, int);
void resize_round(item& it, int h, int64_t dx, int64_t dy, int, int);
