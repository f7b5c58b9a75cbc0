/*******************************************************************************
 * model/line_forms.cpp - the rows of script line forms and the line writer
 ******************************************************************************/
#include "model/line_forms.h"
#include "model/geometry.h"
#include "model/settings.h"
#include <cstdio>

namespace {

// Line fields as the reader names them.
constexpr line_field COLOUR = {FIELD_COLOUR, "colour"};
constexpr line_field X = {FIELD_X, "x"}, Y = {FIELD_Y, "y"};
constexpr line_field X1 = {FIELD_X, "x1"}, Y1 = {FIELD_Y, "y1"};
constexpr line_field X2 = {FIELD_RIGHT, "x2"}, Y2 = {FIELD_BOTTOM, "y2"};
constexpr line_field SIZE = {FIELD_HEIGHT_DOTS, "size"};

// "insmod A B led key COLOR X Y CODE DIGITS SIZE THICKNESS TYPE DECIMALS"
constexpr line_form INSMOD = {
    LINE_INSMOD, "insmod", nullptr, 13,
    {{FIELD_RECORD, "record"}, {FIELD_UNREAD, "second argument"}, {FIELD_WORD, "led"}, {FIELD_WORD, "key"},
     COLOUR, X, Y, {FIELD_COMPONENT, "component code"}, {FIELD_DIGITS, "digits"}, {FIELD_SIZE, "size"},
     {FIELD_THICKNESS, "thickness"}, {FIELD_DATA_TYPE, "data type"}, {FIELD_DECIMALS, "decimals"}},
    false};

} // namespace

// Columns: kind, range, range noun, shape, part inside a table block, line form.
const kind_form kind_forms[] = {
    {KIND_BLOCK, RANGE_BLOCK, "point-block", SHAPE_POINT, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "p_mutle", 4, {COLOUR, X, Y, SIZE}, false}},
    // A table's merge lines are lines of this form too.
    {KIND_LINE, RANGE_LINE, "line", SHAPE_HLINE, TABLE_PART_MERGE,
     {LINE_SINGLE, "led", "l", 5, {COLOUR, X1, Y1, X2, {FIELD_Y_AGAIN, "y2"}}, true}},
    {KIND_CIRCLE, RANGE_CIRCLE, "circle", SHAPE_ROUND, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "c", 4, {COLOUR, X, Y, SIZE}, false}},
    // Colons have no range of their own; they are written as rectangles.
    {KIND_COLON, -1, "colon", SHAPE_BOX, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    {KIND_VLINE, RANGE_VLINE, "vertical-line", SHAPE_VLINE, TABLE_PART_MERGE,
     {LINE_SINGLE, "led", "l", 5, {COLOUR, X1, Y1, {FIELD_X_AGAIN, "x2"}, {FIELD_BOTTOM_APART, "y2"}}, true}},
    {KIND_RECT, RANGE_RECT, "rectangle", SHAPE_BOX, TABLE_PART_CELL,
     {LINE_SINGLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    // A table's block: a line of its form for each cell.
    {KIND_TABLE, RANGE_TABLE, "table", SHAPE_GRID, TABLE_PART_NONE,
     {LINE_TABLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    {KIND_VARIABLE, RANGE_REGISTER, "register-variable", SHAPE_CONTENT, TABLE_PART_NONE, INSMOD},
    {KIND_FILLED_RECT, RANGE_FILLED_RECT, "filled-rectangle", SHAPE_BOX, TABLE_PART_CELL,
     {LINE_SINGLE, "led", "rf", 6, {COLOUR, X1, Y1, X2, Y2, {FIELD_CODE, "fill pattern"}}, true}},
    {KIND_FILLED_CIRCLE, RANGE_FILLED_CIRCLE, "filled-circle", SHAPE_ROUND, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "cf", 4, {COLOUR, X, Y, SIZE}, false}},
    {KIND_VALVE, RANGE_VALVE, "valve-picture", SHAPE_CONTENT, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "bmp", 5, {{FIELD_CODE, "picture number"}, COLOUR, X, Y, {FIELD_VALVE, "threshold"}}, true}},
};
const int kind_form_count = sizeof kind_forms / sizeof kind_forms[0];

const kind_form no_form = {0xFF, -1, "none", SHAPE_NONE, TABLE_PART_NONE, {LINE_SINGLE, "led", nullptr, 0, {}, false}};

const kind_form& form_of(uint8_t kind)
{
    for (int k = 0; k < kind_form_count; k++)
        if (kind_forms[k].kind == kind) return kind_forms[k];
    return no_form;
}

field_bounds bounds_of(const line_field& f)
{
    switch (f.kind) {
    case FIELD_WORD:
    case FIELD_UNREAD: return {false, 0, 0};
    case FIELD_COLOUR:
    case FIELD_DECIMALS: return {true, 0, 255};
    case FIELD_RECORD:
    case FIELD_COMPONENT: return {true, 0, INT32_MAX};
    case FIELD_CODE:
    case FIELD_VALVE:
    case FIELD_DIGITS:
    case FIELD_SIZE:
    case FIELD_THICKNESS:
    case FIELD_DATA_TYPE: return {true, INT32_MIN, INT32_MAX};
    default: return {true, -SCRIPT_COORD_MAX, SCRIPT_COORD_MAX};  // positions and lengths
    }
}

int64_t field_value(const line_form& f, const int64_t* v, line_field_kind field)
{
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++)
        if (f.fields[k].kind == field) return v[k];
    return 0;
}

void record_numbers(const line_form& f, const Digit_unit& d, const dot_frame& u, int64_t* v)
{
    auto dx = [&](int64_t x) { return floor_div(u.ox + x, u.p); };
    auto dy = [&](int64_t y) { return floor_div(u.oy + y, u.p); };
    const int32_t x = dx(d.x), y = dy(d.y);
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        int64_t& n = v[k];
        switch (f.fields[k].kind) {
        case FIELD_COLOUR: n = d.color; break;
        case FIELD_X: case FIELD_X_AGAIN: n = x; break;
        case FIELD_Y: case FIELD_Y_AGAIN: n = y; break;
        case FIELD_RIGHT: n = dx((int64_t)d.x + d.width); break;
        case FIELD_BOTTOM: n = dy((int64_t)d.y + d.height); break;
        case FIELD_BOTTOM_APART: {
            // Equal ends read back as a horizontal line: a vertical line shorter
            // than one dot is written one dot long so it stays vertical.
            const int32_t y2 = dy((int64_t)d.y + d.height);
            n = y2 == y ? (int64_t)y + 1 : y2;
            break;
        }
        case FIELD_HEIGHT_DOTS: n = floor_div(d.height, u.p); break;
        case FIELD_CODE: n = d.reg_addr; break;
        case FIELD_VALVE: n = d.valve; break;
        default: n = 0; break;
        }
    }
}

void store_numbers(Digit_unit& d, const kind_form& r, const int64_t* v)
{
    const line_form& f = r.line;
    const int p = led_pitch;
    const int64_t x = field_value(f, v, FIELD_X), y = field_value(f, v, FIELD_Y);
    d.kind = r.kind;
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        switch (f.fields[k].kind) {
        case FIELD_COLOUR: d.color = (uint8_t)v[k]; break;
        case FIELD_X: d.x = dot_to_screen_x(v[k]); break;
        case FIELD_Y: d.y = dot_to_screen_y(v[k]); break;
        case FIELD_RIGHT: d.width = (int32_t)((v[k] - x) * p); break;
        case FIELD_BOTTOM:
        case FIELD_BOTTOM_APART: d.height = (int32_t)((v[k] - y) * p); break;
        case FIELD_HEIGHT_DOTS: d.height = (int32_t)(v[k] * p); break;
        case FIELD_CODE: d.reg_addr = (int32_t)v[k]; break;
        case FIELD_VALVE: d.valve = (int32_t)v[k]; break;
        default: break;   // repeated ends: nothing of their own
        }
    }
    switch (r.shape) {
    case SHAPE_POINT: d.width = d.height; d.size = 1; break;
    case SHAPE_HLINE:
        d.size = d.width;
        d.height = (int32_t)(field_value(f, v, FIELD_RIGHT) - x);   // the length in dots
        break;
    case SHAPE_VLINE: d.size = d.height; break;
    case SHAPE_ROUND: d.width = d.size = d.height; d.reg_addr = NO_REGISTER_CODE; break;  // circles show no register
    case SHAPE_BOX: d.size = d.width; break;
    default: break;
    }
}

void write_line(std::string& out, const line_form& f, const int64_t* v)
{
    out += f.command;
    if (f.keyword) {
        out += ' ';
        out += f.keyword;
    }
    char buf[24];
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        out += ' ';
        if (f.fields[k].kind == FIELD_WORD) {
            out += f.fields[k].name;
            continue;
        }
        snprintf(buf, sizeof buf, "%lld", (long long)v[k]);
        out += buf;
    }
    out += f.blank_at_end ? " \r\n" : "\r\n";
}

const line_form& insmod_form() { return INSMOD; }

namespace {

// The member of insmod_values a field of the insmod form holds.
int64_t insmod_values::*insmod_member(const line_field& f)
{
    switch (f.kind) {
    case FIELD_RECORD: return &insmod_values::record;
    case FIELD_UNREAD: return &insmod_values::second;
    case FIELD_COLOUR: return &insmod_values::color;
    case FIELD_X: return &insmod_values::x;
    case FIELD_Y: return &insmod_values::y;
    case FIELD_COMPONENT: return &insmod_values::code;
    case FIELD_DIGITS: return &insmod_values::digits;
    case FIELD_SIZE: return &insmod_values::size;
    case FIELD_THICKNESS: return &insmod_values::thickness;
    case FIELD_DATA_TYPE: return &insmod_values::data_type;
    case FIELD_DECIMALS: return &insmod_values::decimals;
    default: return nullptr;  // fixed words
    }
}

} // namespace

void insmod_numbers(const insmod_values& in, int64_t* v)
{
    for (int k = 0; k < INSMOD.count; k++) {
        const auto m = insmod_member(INSMOD.fields[k]);
        v[k] = m ? in.*m : 0;
    }
}

insmod_values insmod_from_numbers(const int64_t* v)
{
    insmod_values out{};
    for (int k = 0; k < INSMOD.count; k++)
        if (const auto m = insmod_member(INSMOD.fields[k])) out.*m = v[k];
    return out;
}

void write_insmod_line(std::string& out, const insmod_values& in)
{
    int64_t v[LINE_FIELDS_MAX] = {};
    insmod_numbers(in, v);
    write_line(out, INSMOD, v);
}

const line_form& table_part_form(table_part part)
{
    for (int k = 0; k < kind_form_count; k++) {
        const kind_form& r = kind_forms[k];
        if (part == TABLE_PART_CELL ? r.line.block == LINE_TABLE : r.in_table == part) return r.line;
    }
    return no_form.line;
}
