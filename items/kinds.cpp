/*******************************************************************************
 * items/kinds.cpp - the rows of the kind table, measuring and drawing an item
 ******************************************************************************/
#include "items/kinds.h"
#include "items/digit_item.h"
#include "items/graphic_items.h"
#include "items/table_item.h"
#include "items/text_item.h"
#include "raster/canvas.h"

// Columns: kind, register caption, all buttons, extra buttons, under others,
// draw, measure, resize.
constexpr item_behaviour item_kinds[KIND_COUNT] = {
    {KIND_TEXT, false, true, EXTRA_TEXT, false, draw_text_kind, measure_text_item, resize_text},
    {KIND_BLOCK, false, false, EXTRA_NONE, false, draw_point_block, measure_block},
    {KIND_LINE, false, false, EXTRA_NONE, false, draw_hline, measure_hline, resize_hline},
    {KIND_CIRCLE, true, false, EXTRA_NONE, false, draw_circle_item, measure_round, resize_round},
    {KIND_COLON, false, false, EXTRA_NONE, false, draw_colon, measure_colon},
    {KIND_VLINE, false, false, EXTRA_NONE, false, draw_vline, measure_vline},
    {KIND_RECT, true, true, EXTRA_BOX, false, draw_rect_item, measure_box, resize_box},
    {KIND_TABLE, false, true, EXTRA_GRID, true, draw_table, measure_table, resize_table},
    {KIND_VARIABLE, false, true, EXTRA_VARIABLE, false, draw_variable_item, measure_variable},
    {KIND_FILLED_RECT, true, true, EXTRA_BOX, false, draw_filled_rect_item, measure_box, resize_box},
    {KIND_FILLED_CIRCLE, true, true, EXTRA_NONE, false, draw_filled_circle_item, measure_round, resize_round},
    {KIND_VALVE, true, true, EXTRA_VALVE, false, draw_valve, measure_box},
};

namespace {

constexpr bool rows_in_order()
{
    for (int k = 0; k < KIND_COUNT; k++)
        if (item_kinds[k].kind != k) return false;
    return true;
}
static_assert(rows_in_order(), "one row per kind, in the order of item_kind");

} // namespace

const item_behaviour& kind_of(item_kind kind) { return item_kinds[kind < KIND_COUNT ? kind : KIND_TEXT]; }

dot_box measure_item(const item& it)
{
    return it.kind == KIND_VALVE ? measure_valve(nullptr, it) : kind_of(it).measure(it);
}

dot_box measure_item(const document& d, const item& it)
{
    if (it.kind == KIND_VALVE) return measure_valve(&d, it);
    dot_box b = measure_item(it);
    if (it.kind == KIND_TEXT && (it.mode & TEXT_SCROLLING) == 0) {
        const int64_t room = (int64_t)d.settings.panel_w - it.x;
        if (room > 0 && b.w > room) b.w = room;
    }
    return b;
}

bool resize_handle_box(const document& d, const item& it, int sel_col, int sel_row, dot_box& out)
{
    if (!kind_of(it).resizable()) return false;
    if (it.kind == KIND_TABLE) return table_cell_box(it, sel_col, sel_row, out);
    out = measure_item(d, it);
    return true;
}

void draw_selection_controls(const item& it, const item_draw_ctx& ctx)
{
    if (it.kind == KIND_TEXT) draw_text_controls(it, ctx);
    else draw_unit_controls(it, ctx);
}

void draw_item(const item& it, const item_draw_ctx& ctx)
{
    // Dots, digits and glyphs go by the canvas pitch: the item's own while it is drawn.
    const int was = canvas_pitch();
    canvas_use_pitch(ctx.pitch);
    if (ctx.selected && it.kind != KIND_TEXT) draw_unit_selected(it, ctx);
    else kind_of(it).draw(it, ctx);
    canvas_use_pitch(was);
}

int shown_prop_buttons(const item& it)
{
    return it.kind == KIND_TEXT ? text_item_button_count(it.mode) : unit_button_count(it);
}
