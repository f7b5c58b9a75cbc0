/*******************************************************************************
 * model/kind_forms.cpp - slot ranges, the rows of script line forms, the line writer
 *
 * Sections: slot ranges | kind rows | field bounds and values | the two
 * directions of the fields | insmod lines
 ******************************************************************************/
#include "model/kind_forms.h"
#include <cstdio>

// ---- slot ranges -------------------------------------------------------------------

constexpr slot_range slot_ranges[RANGE_COUNT] = {
    {RANGE_NAMED, ITEM_TABLE_UNITS, 0, 32, "变量"},
    {RANGE_SAFETY, ITEM_TABLE_UNITS, 33, 52, "安全生产计数器"},
    {RANGE_BLOCK, ITEM_TABLE_UNITS, 53, 82, "点块"},
    {RANGE_LINE, ITEM_TABLE_UNITS, 83, 122, "直线"},
    {RANGE_CIRCLE, ITEM_TABLE_UNITS, 123, 132, "圆"},
    {RANGE_FILLED_CIRCLE, ITEM_TABLE_UNITS, 133, 152, "实心圆"},
    {RANGE_VLINE, ITEM_TABLE_UNITS, 153, 202, "竖线"},
    {RANGE_REGISTER, ITEM_TABLE_UNITS, 203, 352, "寄存器变量"},
    {RANGE_RECT, ITEM_TABLE_UNITS, 353, 379, "矩形"},
    {RANGE_VALVE, ITEM_TABLE_UNITS, 380, 399, "阀门图片"},
    {RANGE_FILLED_RECT, ITEM_TABLE_UNITS, 400, 419, "实心矩形"},
    {RANGE_TABLE, ITEM_TABLE_UNITS, 420, SLOT_COUNT - 1, "表格"},
    {RANGE_TEXT, ITEM_TABLE_TEXTS, 0, SLOT_COUNT - 1, "文本"},
};

namespace {

constexpr bool ranges_in_order()
{
    for (int r = 0; r < RANGE_COUNT; r++)
        if (slot_ranges[r].id != r || slot_ranges[r].first > slot_ranges[r].last) return false;
    return true;
}
static_assert(ranges_in_order(), "one row per range, in the order of range_id");

} // namespace

range_id range_of_slot(item_table table, int slot)
{
    for (const slot_range& r : slot_ranges)
        if (r.table == table && slot >= r.first && slot <= r.last) return r.id;
    return RANGE_NONE;
}

range_id variable_range(int64_t code)
{
    if (code >= REGISTER_CODE_FIRST) return RANGE_REGISTER;
    if (code >= SAFETY_CODE_FIRST && code <= SAFETY_CODE_LAST) return RANGE_SAFETY;
    return RANGE_NAMED;
}

// ---- kind rows -------------------------------------------------------------------------

namespace {

// Line fields as the reader names them.
constexpr line_field COLOUR = {FIELD_COLOUR, "颜色"};
constexpr line_field X = {FIELD_X, "x"}, Y = {FIELD_Y, "y"};
constexpr line_field X1 = {FIELD_X, "x1"}, Y1 = {FIELD_Y, "y1"};
constexpr line_field X2 = {FIELD_RIGHT, "x2"}, Y2 = {FIELD_BOTTOM, "y2"};
constexpr line_field SIZE = {FIELD_HEIGHT_DOTS, "大小"};

// "insmod A B led key COLOR X Y CODE DIGITS SIZE THICKNESS TYPE DECIMALS"
constexpr line_form INSMOD = {
    LINE_INSMOD, "insmod", nullptr, 13,
    {{FIELD_RECORD, "记录号"}, {FIELD_UNREAD, "第二个参数"}, {FIELD_WORD, "led"}, {FIELD_WORD, "key"},
     COLOUR, X, Y, {FIELD_COMPONENT, "组件代码"}, {FIELD_DIGITS, "位数"}, {FIELD_SIZE, "大小"},
     {FIELD_THICKNESS, "粗细"}, {FIELD_DATA_TYPE, "类型"}, {FIELD_DECIMALS, "小数"}},
    false};

} // namespace

// Columns: kind, name, range, shape, part inside a table block, line form.
constexpr kind_form kind_forms[KIND_COUNT] = {
    // Texts have lines of their own (command/led_command, output/script_export).
    {KIND_TEXT, "text", RANGE_TEXT, SHAPE_TEXT, TABLE_PART_NONE, {LINE_NONE, "led", nullptr, 0, {}, false}},
    {KIND_BLOCK, "point block", RANGE_BLOCK, SHAPE_POINT, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "p_mutle", 4, {COLOUR, X, Y, SIZE}, false}},
    // A table's merge lines are lines of this form too.
    {KIND_LINE, "line", RANGE_LINE, SHAPE_HLINE, TABLE_PART_MERGE,
     {LINE_SINGLE, "led", "l", 5, {COLOUR, X1, Y1, X2, {FIELD_Y_AGAIN, "y2"}}, true}},
    {KIND_CIRCLE, "circle", RANGE_CIRCLE, SHAPE_ROUND, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "c", 4, {COLOUR, X, Y, SIZE}, false}},
    // Colons have no range of their own; they are written as rectangles.
    {KIND_COLON, "colon", RANGE_NONE, SHAPE_BOX, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    {KIND_VLINE, "vertical line", RANGE_VLINE, SHAPE_VLINE, TABLE_PART_MERGE,
     {LINE_SINGLE, "led", "l", 5, {COLOUR, X1, Y1, {FIELD_X_AGAIN, "x2"}, {FIELD_BOTTOM_APART, "y2"}}, true}},
    {KIND_RECT, "rectangle", RANGE_RECT, SHAPE_BOX, TABLE_PART_CELL,
     {LINE_SINGLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    // A table's block: a line of its form for each cell.
    {KIND_TABLE, "table", RANGE_TABLE, SHAPE_GRID, TABLE_PART_NONE,
     {LINE_TABLE, "led", "r", 5, {COLOUR, X1, Y1, X2, Y2}, true}},
    {KIND_VARIABLE, "variable", RANGE_REGISTER, SHAPE_CONTENT, TABLE_PART_NONE, INSMOD},
    {KIND_FILLED_RECT, "filled rectangle", RANGE_FILLED_RECT, SHAPE_BOX, TABLE_PART_CELL,
     {LINE_SINGLE, "led", "rf", 6, {COLOUR, X1, Y1, X2, Y2, {FIELD_CODE, "填充样式"}}, true}},
    {KIND_FILLED_CIRCLE, "filled circle", RANGE_FILLED_CIRCLE, SHAPE_ROUND, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "cf", 4, {COLOUR, X, Y, SIZE}, false}},
    {KIND_VALVE, "valve picture", RANGE_VALVE, SHAPE_CONTENT, TABLE_PART_NONE,
     {LINE_SINGLE, "led", "bmp", 5, {{FIELD_CODE, "图片号"}, COLOUR, X, Y, {FIELD_VALVE, "阈值"}}, true}},
};

namespace {

constexpr bool kinds_in_order()
{
    for (int k = 0; k < KIND_COUNT; k++)
        if (kind_forms[k].kind != k) return false;
    return true;
}
static_assert(kinds_in_order(), "one row per kind, in the order of item_kind");

} // namespace

const kind_form& form_of(item_kind kind) { return kind_forms[kind < KIND_COUNT ? kind : KIND_TEXT]; }

// ---- field bounds and values ---------------------------------------------------------------

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

// ---- the two directions of the fields ---------------------------------------------------------

void item_numbers(const line_form& f, const item& it, int64_t* v)
{
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        int64_t& n = v[k];
        switch (f.fields[k].kind) {
        case FIELD_COLOUR: n = it.color; break;
        case FIELD_X: case FIELD_X_AGAIN: n = it.x; break;
        case FIELD_Y: case FIELD_Y_AGAIN: n = it.y; break;
        case FIELD_RIGHT: n = (int64_t)it.x + it.w; break;
        case FIELD_BOTTOM: n = (int64_t)it.y + it.h; break;
        case FIELD_BOTTOM_APART:
            // Equal ends read back as a horizontal line: a vertical line shorter
            // than one dot is written one dot long so it stays vertical.
            n = it.h == 0 ? (int64_t)it.y + 1 : (int64_t)it.y + it.h;
            break;
        case FIELD_HEIGHT_DOTS: n = it.h; break;
        case FIELD_CODE: n = it.code; break;
        case FIELD_VALVE: n = it.valve; break;
        default: n = 0; break;
        }
    }
}

void store_numbers(item& it, const kind_form& r, const int64_t* v)
{
    const line_form& f = r.line;
    const int64_t x = field_value(f, v, FIELD_X), y = field_value(f, v, FIELD_Y);
    it.kind = r.kind;
    for (int k = 0; k < f.count && k < LINE_FIELDS_MAX; k++) {
        switch (f.fields[k].kind) {
        case FIELD_COLOUR: it.color = (uint8_t)v[k]; break;
        case FIELD_X: it.x = (int32_t)v[k]; break;
        case FIELD_Y: it.y = (int32_t)v[k]; break;
        case FIELD_RIGHT: it.w = (int32_t)(v[k] - x); break;
        case FIELD_BOTTOM:
        case FIELD_BOTTOM_APART: it.h = (int32_t)(v[k] - y); break;
        case FIELD_HEIGHT_DOTS: it.h = (int32_t)v[k]; break;
        case FIELD_CODE: it.code = (int32_t)v[k]; break;
        case FIELD_VALVE: it.valve = (int32_t)v[k]; break;
        default: break;   // repeated ends: nothing of their own
        }
    }
    switch (r.shape) {
    case SHAPE_POINT: it.w = it.h; break;
    case SHAPE_ROUND: it.w = it.h; it.code = NO_REGISTER_CODE; break;  // circles show no register
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

// ---- insmod lines ---------------------------------------------------------------------

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
    for (const kind_form& r : kind_forms) {
        if (part == TABLE_PART_CELL ? r.line.block == LINE_TABLE : r.in_table == part) return r.line;
    }
    return kind_forms[KIND_TEXT].line;
}
