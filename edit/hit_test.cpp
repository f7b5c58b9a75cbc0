/*******************************************************************************
 * edit/hit_test.cpp - strict hit tests over buttons, item bodies and table cells
 ******************************************************************************/
#include "edit/hit_test.h"
#include "items/table_item.h"

px_box item_px_box(const editor& e, const item& it)
{
    const dot_box b = measure_item(e.doc, it);
    return {view_x(e.v, b.x), view_y(e.v, b.y), (int64_t)b.w * view_pitch(e.v), (int64_t)b.h * view_pitch(e.v)};
}

bool item_hit(const editor& e, const item& it, int px, int py)
{
    const px_box b = item_px_box(e, it);
    return strictly_between(px, b.x, b.x + b.w) && strictly_between(py, b.y, b.y + b.h);
}

namespace {

// Of overlapping rectangles, from the first one hit: one further right OR
// further down than the candidate takes its place.
item_id rectangle_winner(const editor& e, item_id first, int px, int py)
{
    item_id cand = first;
    pool_walk(e.doc.items, ITEM_TABLE_UNITS, [&](item_id id, const item& it) {
        if (it.kind != KIND_RECT || !item_hit(e, it, px, py)) return;
        const item& c = e.doc.items.cells[cand];
        if (it.x > c.x || it.y > c.y) cand = id;
    });
    return cand;
}

} // namespace

item_id item_under(const editor& e, int px, int py)
{
    item_id hit = NO_ITEM;
    if (!view_in_area(e.v, px, py)) return hit;   // what is scrolled out of the area cannot be taken
    for (int t = 0; t < ITEM_TABLES && hit == NO_ITEM; t++)
        pool_walk(e.doc.items, (item_table)t, [&](item_id id, const item& it) {
            if (hit == NO_ITEM && item_hit(e, it, px, py)) hit = id;
        });
    if (hit != NO_ITEM && e.doc.items.cells[hit].kind == KIND_RECT) hit = rectangle_winner(e, hit, px, py);
    return hit;
}

bool table_cell_under(const editor& e, const item& t, int px, int py, int& col, int& row)
{
    return table_cell_at(t, view_dot_at_x(e.v, px - ITEM_PIXEL_OFFSET), view_dot_at_y(e.v, py - ITEM_PIXEL_OFFSET), col,
                         row);
}

bool align_row_shown(const editor& e)
{
    const item* ref = doc_item(e.doc, e.ui.sel_ref);
    return group_exists(e.ui) && ref && ref->x >= 0;
}

bool span_row_shown(const editor& e) { return e.ui.merge_mode && !align_row_shown(e); }

bool delete_row_shown(const editor& e) { return group_exists(e.ui) || doc_item(e.doc, e.ui.current); }

namespace {

// Index of the first item button of a row of n under the pointer, or -1.
int item_row_hit(const button* row, int n, int pitch, int px, int py)
{
    for (int k = 0; k < n; k++)
        if (item_button_hit(row[k], pitch, px, py)) return k;
    return -1;
}

// Index of the first labelled tool button of a row under the pointer, or -1.
int tool_row_hit(const editor& e, tool_row_id r, int px, int py)
{
    const button* row = tool_row(r, e.v.window_w);
    for (int k = 0; k < ROW_SLOTS; k++)
        if (tool_button_hit(row[k], UI_PITCH, px, py)) return k;
    return -1;
}

} // namespace

// Top first: the current item's buttons (a text's over the align row, the
// others' under it), then the command, span and delete rows; of an item's
// property buttons only those it shows.
button_spot button_under(const editor& e, int px, int py)
{
    const int p = UI_PITCH;
    const item* it = doc_item(e.doc, e.ui.current);
    int k;
    auto item_buttons = [&](button_spot& out) {
        if (!it) return false;
        const bool text = it->kind == KIND_TEXT;
        if ((k = item_row_hit(prop_buttons(it->kind), shown_prop_buttons(*it), p, px, py)) >= 0) {
            out = {BUTTONS_PROP, k};
            return true;
        }
        if (!e.ui.group[e.ui.current] && doc_on_panel(e.doc, it->x, it->y) && (k = item_row_hit(nudge_buttons(text), NUDGE_BUTTONS, p, px, py)) >= 0) {
            out = {BUTTONS_NUDGE, k};
            return true;
        }
        return false;
    };
    button_spot out{BUTTONS_NONE, -1};
    if (it && it->kind == KIND_TEXT && item_buttons(out)) return out;
    if (align_row_shown(e) && (k = tool_row_hit(e, ROW_ALIGN, px, py)) >= 0) return {BUTTONS_ALIGN, k};
    if (it && it->kind != KIND_TEXT && item_buttons(out)) return out;
    if ((k = tool_row_hit(e, ROW_COMMAND, px, py)) >= 0) return {BUTTONS_COMMAND, k};
    if (span_row_shown(e) && (k = tool_row_hit(e, ROW_SPAN, px, py)) >= 0) return {BUTTONS_SPAN, k};
    if (delete_row_shown(e) && (k = tool_row_hit(e, ROW_DELETE, px, py)) >= 0) return {BUTTONS_DELETE, k};
    return out;
}
