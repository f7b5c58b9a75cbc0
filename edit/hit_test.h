/*******************************************************************************
 * edit/hit_test.h - what lies under the pointer: buttons, items, table cells
 *
 * The hit tests shared by the press, hover and motion handlers. An item is
 * hit strictly inside the box its kind measures, mapped to pixels by the
 * view; a button by the rectangle it is drawn with (items/buttons.h). Which
 * button lies on top follows the frame's drawing order and the rows it
 * shows, so the button drawn under the pointer is the one a press runs.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: change anything.
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"
#include "items/kinds.h"

// The window box of an item's measured box: left, top, width, height.
struct px_box {
    int64_t x, y, w, h;
};
px_box item_px_box(const editor& e, const item& it);

// Inside the item's box, all bounds strict.
bool item_hit(const editor& e, const item& it, int px, int py);

// The item a press at (px, py) takes: texts first, then the others, each in
// slot order; of overlapping rectangles the one further right or further down.
item_id item_under(const editor& e, int px, int py);

// The cell of table `t` under the pointer; false when none.
bool table_cell_under(const editor& e, const item& t, int px, int py, int& col, int& row);

// The align row shows (and reacts) while there is a group whose reference
// item stands on or right of the panel's left edge; the span row shows in
// merge mode unless the align row stands over it; the delete button while
// something is selected.
bool align_row_shown(const editor& e);
bool span_row_shown(const editor& e);
bool delete_row_shown(const editor& e);

// Rows of buttons, from the one drawn on top to the one drawn first.
enum button_row_id {
    BUTTONS_NONE = 0, BUTTONS_PROP, BUTTONS_NUDGE, BUTTONS_ALIGN, BUTTONS_COMMAND, BUTTONS_SPAN, BUTTONS_DELETE
};
struct button_spot {
    int row;     // a button_row_id
    int index;   // the button's index in its row
};

// The button drawn on top at (px, py), among the rows that are shown; a press
// there acts on that button alone.
button_spot button_under(const editor& e, int px, int py);
