/*******************************************************************************
 * items/kinds.cpp - the rows of the kind table and the measured box
 ******************************************************************************/
#include "items/kinds.h"
#include "items/digit_item.h"
#include "items/graphic_items.h"
#include "items/table_item.h"
#include "items/text_item.h"

namespace {

void draw_nothing(Digit_unit&, bool) {}

} // namespace

// Columns: kind, name, register caption, all buttons, extra buttons, draw,
// under others, measure, resize, rescale, handle box.
const item_kind item_kinds[] = {
    {KIND_BLOCK, "point block", false, false, EXTRA_NONE, draw_point_block, false, nullptr, nullptr, rescale_block},
    {KIND_LINE, "line", false, false, EXTRA_NONE, draw_hline, false, nullptr, resize_hline, rescale_hline},
    {KIND_CIRCLE, "circle", true, false, EXTRA_NONE, draw_circle_item, false, nullptr, resize_round, rescale_round},
    {KIND_COLON, "colon", false, false, EXTRA_NONE, draw_colon, false, nullptr, nullptr, rescale_box},
    {KIND_VLINE, "vertical line", false, false, EXTRA_NONE, draw_vline, false, nullptr, nullptr, rescale_vline},
    {KIND_RECT, "rectangle", true, true, EXTRA_BOX, draw_rect_item, false, nullptr, resize_box, rescale_box},
    {KIND_TABLE, "table", false, true, EXTRA_GRID, draw_table, true, measure_table, resize_table, rescale_table,
     selected_cell_rect},
    {KIND_VARIABLE, "variable", false, true, EXTRA_VARIABLE, draw_variable_item, false, measure_variable},
    {KIND_FILLED_RECT, "filled rectangle", true, true, EXTRA_BOX, draw_filled_rect_item, false, nullptr, resize_box,
     rescale_box},
    {KIND_FILLED_CIRCLE, "filled circle", true, true, EXTRA_NONE, draw_filled_circle_item, false, nullptr,
     resize_round, rescale_round},
    {KIND_VALVE, "valve picture", true, true, EXTRA_VALVE, draw_valve},
};
const int item_kind_count = sizeof item_kinds / sizeof item_kinds[0];

const item_kind no_kind = {0xFF, "none", false, false, EXTRA_NONE, draw_nothing};

const item_kind& kind_of(uint8_t kind)
{
    for (int k = 0; k < item_kind_count; k++)
        if (item_kinds[k].kind == kind) return item_kinds[k];
    return no_kind;
}

const item_kind& kind_of(const Digit_unit& d) { return kind_of(d.kind); }

void measure_items(int current_unit, int current_string)
{
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        if (!d.visible) continue;
        const bool selected = i == current_unit || d.group_selected == 1;
        if (selected) note_button_count(d);
        if (const auto measure = kind_of(d).measure) measure(d, selected);
    }
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& s = string_table[i];
        if (s.visible && i != current_string && s.group_selected != 1) measure_text_item(s);
    }
}

bool resize_handle_box(const Digit_unit& d, int32_t box[4])
{
    const item_kind& k = kind_of(d);
    if (!k.resizable()) return false;
    if (k.handle_box) return k.handle_box(d, box);
    box[0] = d.x;
    box[1] = d.y;
    box[2] = d.width;
    box[3] = d.height;
    return true;
}

item_box measure_item(const Digit_unit& d)
{
    switch (form_of(d.kind).shape) {
    case SHAPE_ROUND: {
        const int64_t r = d.height;
        return {(int64_t)d.x - r, (int64_t)d.y - r, 2 * r, 2 * r};
    }
    default:
        return {d.x, d.y, d.width, d.height};
    }
}
