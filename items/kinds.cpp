/*******************************************************************************
 * items/kinds.cpp - the rows of the kind table and the measured box
 ******************************************************************************/
#include "items/kinds.h"
#include "items/digit_item.h"
#include "items/graphic_items.h"
#include "items/text_item.h"

namespace {

void draw_nothing(Digit_unit&, bool) {}

// Line fields as the reader names them.
constexpr line_field COLOUR = {FIELD_COLOUR, "colour"};
constexpr line_field X = {FIELD_X, "x"}, Y = {FIELD_Y, "y"};
constexpr line_field X1 = {FIELD_X, "x1"}, Y1 = {FIELD_Y, "y1"};
constexpr line_field SIZE = {FIELD_HEIGHT_DOTS, "size"};

} // namespace

// Columns: kind, name, range, shape, resizable, register caption, all buttons,
// extra buttons, script line, draw, under others, measure.
const item_kind item_kinds[] = {
    {KIND_BLOCK, "point block", RANGE_BLOCK, SHAPE_POINT, false, false, false, EXTRA_NONE,
     {LINE_SINGLE, "p_mutle", 4, {COLOUR, X, Y, SIZE}, false}, draw_point_block},
    {KIND_LINE, "line", RANGE_LINE, SHAPE_HLINE, true, false, false, EXTRA_NONE,
     {LINE_SINGLE, "l", 5, {COLOUR, X1, Y1, {FIELD_RIGHT, "x2"}, {FIELD_Y_AGAIN, "y2"}}, true}, draw_hline},
    {KIND_CIRCLE, "circle", RANGE_CIRCLE, SHAPE_ROUND, true, true, false, EXTRA_NONE,
     {LINE_SINGLE, "c", 4, {COLOUR, X, Y, SIZE}, false}, draw_circle_item},
    // Colons have no range of their own; they are written as rectangles.
    {KIND_COLON, "colon", -1, SHAPE_BOX, false, false, false, EXTRA_NONE,
     {LINE_SINGLE, "r", 5, {COLOUR, X1, Y1, {FIELD_RIGHT, "x2"}, {FIELD_BOTTOM, "y2"}}, true}, draw_colon},
    {KIND_VLINE, "vertical line", RANGE_VLINE, SHAPE_VLINE, false, false, false, EXTRA_NONE,
     {LINE_SINGLE, "l", 5, {COLOUR, X1, Y1, {FIELD_X_AGAIN, "x2"}, {FIELD_BOTTOM_APART, "y2"}}, true}, draw_vline},
    {KIND_RECT, "rectangle", RANGE_RECT, SHAPE_BOX, true, true, true, EXTRA_BOX,
     {LINE_SINGLE, "r", 5, {COLOUR, X1, Y1, {FIELD_RIGHT, "x2"}, {FIELD_BOTTOM, "y2"}}, true}, draw_rect_item},
    // A table's block: a line of its form for each cell.
    {KIND_TABLE, "table", RANGE_TABLE, SHAPE_GRID, true, false, true, EXTRA_GRID,
     {LINE_TABLE, "r", 5, {COLOUR, X1, Y1, {FIELD_RIGHT, "x2"}, {FIELD_BOTTOM, "y2"}}, true}, draw_table, true, measure_table},
    // Variables are "insmod" lines, laid out by command/insmod_command.
    {KIND_VARIABLE, "variable", RANGE_REGISTER, SHAPE_CONTENT, false, false, true, EXTRA_VARIABLE,
     {LINE_INSMOD, "insmod", 0, {}, false}, draw_variable_item, false, measure_variable},
    {KIND_FILLED_RECT, "filled rectangle", RANGE_FILLED_RECT, SHAPE_BOX, true, true, true, EXTRA_BOX,
     {LINE_SINGLE, "rf", 6, {COLOUR, X1, Y1, {FIELD_RIGHT, "x2"}, {FIELD_BOTTOM, "y2"}, {FIELD_CODE, "fill pattern"}}, true},
     draw_filled_rect_item},
    {KIND_FILLED_CIRCLE, "filled circle", RANGE_FILLED_CIRCLE, SHAPE_ROUND, true, true, true, EXTRA_NONE,
     {LINE_SINGLE, "cf", 4, {COLOUR, X, Y, SIZE}, false}, draw_filled_circle_item},
    {KIND_VALVE, "valve picture", RANGE_VALVE, SHAPE_CONTENT, false, true, true, EXTRA_VALVE,
     {LINE_SINGLE, "bmp", 5, {{FIELD_CODE, "picture number"}, COLOUR, X, Y, {FIELD_VALVE, "threshold"}}, true}, draw_valve},
};
const int item_kind_count = sizeof item_kinds / sizeof item_kinds[0];

const item_kind no_kind = {0xFF, "none", -1, SHAPE_NONE, false, false, false, EXTRA_NONE,
                           {LINE_SINGLE, nullptr, 0, {}, false}, draw_nothing};

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

item_box measure_item(const Digit_unit& d)
{
    switch (kind_of(d).shape) {
    case SHAPE_ROUND: {
        const int64_t r = d.height;
        return {(int64_t)d.x - r, (int64_t)d.y - r, 2 * r, 2 * r};
    }
    default:
        return {d.x, d.y, d.width, d.height};
    }
}
