/*******************************************************************************
 * edit/hit_test.cpp - strict hit tests over buttons, item bodies and table cells
 ******************************************************************************/
#include "edit/hit_test.h"
#include "edit/state.h"
#include "items/digit_item.h"
#include "items/kinds.h"
#include "items/text_item.h"
#include "model/button_rows.h"
#include "model/settings.h"
#include "raster/canvas.h"
#include <algorithm>

namespace {

// Button rows below the base line: h/4 + 2 steps of the pitch.
constexpr int BUTTON_FOOT_STEPS = 2;

// Columns or rows of a table that have cells in the arrays.
int table_extent(uint8_t count) { return std::min<int>(count, TABLE_MAX); }

} // namespace

// A pitch of 0 would make every button empty and divide by zero.
// Both bounds strict; a negative lower bound matches nothing.
bool strictly_between(int64_t v, int64_t lo, int64_t hi)
{
    return lo >= 0 && v > lo && v < hi;
}

// The rectangle the button is drawn with.
bool tool_button_hit(const menu_unit& b, int px, int py)
{
    if (b.label[0] == '\0') return false;
    const int64_t p = dot_pitch();
    return strictly_between(px, (int64_t)b.x - p, (int64_t)b.x + (int64_t)(b.w - 1) * p) &&
           strictly_between(py, (int64_t)b.y - (int64_t)b.h * p, (int64_t)b.y + (int64_t)(b.h / 4 + BUTTON_FOOT_STEPS) * p);
}

// From the base point right and up: the label's own area.
bool item_button_hit(const menu_unit& b, int px, int py)
{
    const int64_t p = dot_pitch();
    return strictly_between(px, b.x, (int64_t)b.x + (int64_t)b.w * p) &&
           strictly_between(py, (int64_t)b.y - (int64_t)b.h * p, b.y);
}

// Inside the text's box.
bool text_body_hit(const string_draw& s, int px, int py)
{
    return strictly_between(px, s.x, (int64_t)s.x + s.box_width) &&
           strictly_between(py, s.y, (int64_t)s.y + s.box_height);
}

// Circles around their centre, every other kind inside its rectangle.
bool unit_body_hit(const Digit_unit& d, int px, int py)
{
    const item_box b = measure_item(d);
    return strictly_between(px, b.left, b.left + b.width) && strictly_between(py, b.top, b.top + b.height);
}

// One pass over the table from the first hit: a rectangle further right OR
// further down than the candidate takes its place.
int unit_press_winner(int first, int px, int py)
{
    if (first < 0 || first >= DIGIT_COUNT || digit_table[first].kind != KIND_RECT) return first;
    int cand = first;
    for (int j = 0; j < DIGIT_COUNT; j++) {
        const Digit_unit& d = digit_table[j];
        if (!d.visible || d.kind != KIND_RECT || !unit_body_hit(d, px, py)) continue;
        if (d.x > digit_table[cand].x || d.y > digit_table[cand].y) cand = j;
    }
    return cand;
}

// Column by column, each column row by row.
bool table_cell_at(const Digit_unit& d, int px, int py, int& col, int& row)
{
    const int cols = table_extent(d.cols), rows = table_extent(d.rows);
    int64_t cx = d.x;
    for (int c = 0; c < cols; c++) {
        int64_t cy = d.y;
        for (int r = 0; r < rows; r++) {
            if (strictly_between(px, cx, cx + d.col_width[c]) && strictly_between(py, cy, cy + d.row_height[r])) {
                col = c;
                row = r;
                return true;
            }
            cy += d.row_height[r];
        }
        cx += d.col_width[c];
    }
    return false;
}

// current_unit as a live record, or none.
Digit_unit* current_unit_record()
{
    if (current_unit < 0 || current_unit > LAST_ITEM_INDEX) return nullptr;
    Digit_unit& d = digit_table[current_unit];
    return d.visible ? &d : nullptr;
}

// current_string as a live record, or none.
string_draw* current_text_record()
{
    if (current_string < 0 || current_string > LAST_ITEM_INDEX) return nullptr;
    string_draw& s = string_table[current_string];
    return s.visible ? &s : nullptr;
}

// 599 and other values past the table drag the phantom slot.
int unit_anchor()
{
    return current_unit >= 0 && current_unit <= NO_ITEM ? current_unit : NO_ITEM;
}

// NO_STRING_AT_START and other values past the last item drag the phantom record.
int text_anchor()
{
    return current_string >= 0 && current_string <= NO_ITEM ? current_string : NO_ITEM;
}

// Any group_selected flag in either table.
bool group_exists()
{
    for (const Digit_unit& d : digit_table)
        if (d.group_selected) return true;
    for (const string_draw& s : string_table)
        if (s.group_selected) return true;
    return false;
}

// A current text takes the buttons: texts are drawn over the units.
string_draw* button_text()
{
    return current_text_record();
}

Digit_unit* button_unit()
{
    return current_text_record() ? nullptr : current_unit_record();
}

// The same test the frame draws the row by.
bool align_row_shown()
{
    return sel_box[0] > PANEL_X && group_exists();
}

bool span_row_shown()
{
    return merge_mode && !align_row_shown();
}

namespace {

// Index of the first item button of a row of n under the pointer, or -1.
int item_row_hit(const menu_unit* row, int n, int px, int py)
{
    for (int k = 0; k < n; k++)
        if (item_button_hit(row[k], px, py)) return k;
    return -1;
}

// Index of the first labelled tool button of a row under the pointer, or -1.
int tool_row_hit(const menu_unit* row, int px, int py)
{
    for (int k = 0; k < ROW_SLOTS; k++)
        if (tool_button_hit(row[k], px, py)) return k;
    return -1;
}

// The delete button shows while there is something to delete.
bool delete_row_shown()
{
    return group_exists() || current_unit < NO_ITEM || current_string < NO_ITEM;
}

} // namespace

// Top first: the text's buttons, the align row, the unit's buttons, then the
// command, span and delete rows; of an item's property buttons only those its
// renderer shows for its kind and mode.
button_spot button_under(int px, int py)
{
    int k;
    if (const string_draw* s = button_text()) {
        const int shown = text_item_button_count(s->mode);
        if ((k = item_row_hit(s->prop_buttons, shown, px, py)) >= 0) return {BUTTONS_TEXT_PROP, k};
        if ((k = item_row_hit(s->nudge_buttons, NUDGE_BUTTONS, px, py)) >= 0) return {BUTTONS_TEXT_NUDGE, k};
    }
    if (align_row_shown() && (k = tool_row_hit(align_row, px, py)) >= 0) return {BUTTONS_ALIGN, k};
    if (const Digit_unit* d = button_unit()) {
        const int shown = std::min(selected_button_count(*d), UNIT_PROP_BUTTONS);
        if ((k = item_row_hit(d->prop_buttons, shown, px, py)) >= 0) return {BUTTONS_UNIT_PROP, k};
        if ((k = item_row_hit(d->nudge_buttons, NUDGE_BUTTONS, px, py)) >= 0) return {BUTTONS_UNIT_NUDGE, k};
    }
    if ((k = tool_row_hit(command_row, px, py)) >= 0) return {BUTTONS_COMMAND, k};
    if (span_row_shown() && (k = tool_row_hit(span_row, px, py)) >= 0) return {BUTTONS_SPAN, k};
    if (delete_row_shown() && (k = tool_row_hit(delete_row, px, py)) >= 0) return {BUTTONS_DELETE, k};
    return {BUTTONS_NONE, -1};
}
