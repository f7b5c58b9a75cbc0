/*******************************************************************************
 * edit/hit_test.h - what lies under the pointer: buttons, item bodies, cells
 *
 * The hit tests shared by the press, hover and motion handlers, and the small
 * questions they all ask of the state (which item is current, is there a
 * group). All bounds are strict; a lower bound below zero never matches, so
 * nothing is hit left of or above the window's edge.
 *
 * Limits: every index into the tables and a table's 50 columns and rows is
 * checked; `led_pitch` is read as at least 1.
 * Which button lies on top follows the frame's drawing order and the rows it
 * shows, so the button drawn under the pointer is the one a press runs.
 * Depends on: model/tables, model/settings, model/button_rows, edit/state,
 * items/text_item and items/digit_item (how many buttons an item shows),
 * raster/canvas (panel origin).
 * Does NOT: change any record or state variable.
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Property buttons a Digit_unit reacts to (two of its 16 are never used).
constexpr int UNIT_PROP_BUTTONS = 14;

// lo < v < hi, never true when lo is negative.
bool strictly_between(int64_t v, int64_t lo, int64_t hi);

// Tool-button test: x - p < px < x + (w - 1)p and y - hp < py < y + (h/4 + 2)p.
// Slots without a label have no place in their row and are never hit.
bool tool_button_hit(const menu_unit& b, int px, int py);

// Item-button test (nudge and property buttons): x < px < x + wp, y - hp < py < y.
bool item_button_hit(const menu_unit& b, int px, int py);

// Body of a text: inside its box.
bool text_body_hit(const string_draw& s, int px, int py);

// Body of a Digit_unit: inside x, y, width, height; circles (kinds 2 and 10)
// inside the square around their centre (x, y) of half-side `height`, their radius.
bool unit_body_hit(const Digit_unit& d, int px, int py);

// The Digit_unit a press at (px, py) takes, given the first visible record
// `first` whose body holds the point: for rectangles (kind 5) the one further
// right or further down among the overlapping ones, else `first`.
int unit_press_winner(int first, int px, int py);

// The first table cell (column-major) holding the point, or false.
bool table_cell_at(const Digit_unit& d, int px, int py, int& col, int& row);

// The current items when they are real (index 0..LAST_ITEM_INDEX) and visible, else null.
Digit_unit* current_unit_record();
string_draw* current_text_record();

// The record a drag moves: the current item, or the phantom NO_ITEM when none.
int unit_anchor();
int text_anchor();

// True when some record of either table, visible or not, is group-selected.
bool group_exists();

// The item whose own property and nudge buttons are live (drawn, hovered and
// pressed): the current text when there is one, else the current unit. Only
// one item's buttons are live, as every item keeps them at the same place.
string_draw* button_text();
Digit_unit* button_unit();

// The align row shows (and reacts) while there is a group whose reference
// item lies right of the panel's left edge; the span row shows in merge mode
// unless the align row stands over it.
bool align_row_shown();
bool span_row_shown();

// Rows of buttons, from the one drawn on top to the one drawn first.
enum button_row_id {
    BUTTONS_NONE = 0, BUTTONS_TEXT_PROP, BUTTONS_TEXT_NUDGE, BUTTONS_ALIGN, BUTTONS_UNIT_PROP,
    BUTTONS_UNIT_NUDGE, BUTTONS_COMMAND, BUTTONS_SPAN, BUTTONS_DELETE
};
struct button_spot {
    int row;     // a button_row_id
    int index;   // the button's index in its row
};

// The button drawn on top at (px, py), among the rows that are shown; a press
// there acts on that button alone.
button_spot button_under(int px, int py);
