/*******************************************************************************
 * edit/actions.cpp - what the property and nudge buttons of the current item do
 *
 * One press changes one field of the item by a fixed step and keeps it inside
 * its bounds: the font-size ladder of texts, colours 0..6, modes, directions,
 * thickness 1..3, digits 1..6, value types, decimals below the digit count,
 * tables of 1..50 rows and columns, addresses within the item's own group of
 * codes, and the size presets of the weekday and wind codes. Sizes change by
 * one whole dot and never fall below one dot. Fields without a natural bound
 * (speed, valve threshold) change freely, as the user asked. An action that
 * cannot go further changes nothing and says why (a short UTF-8 text).
 *
 * Limits: table cells are only ever indexed below TABLE_MAX and below the
 * table's own row and column count; the width and height buttons of a table
 * do nothing while no cell is selected.
 * Depends on: model/tables.h, model/settings.h (led_pitch), edit/snap.h.
 * Does NOT: decide which button was pressed, record the pressed look, or
 * re-lay out the calendar composites (the press handler calls
 * apply_group_move after a unit action).
 ******************************************************************************/
#include "edit/actions.h"
#include "edit/snap.h"
#include "model/settings.h"
#include "items/kinds.h"
#include "model/default_layout.h"
#include "model/font_sizes.h"
#include <algorithm>
#include <climits>

namespace {

// Bounds of the fields the buttons change.
constexpr int TEXT_MODE_MAX = 3;
constexpr int TEXT_MODE_SWITCHED_SCROLLING = 3;
// A switched scrolling text's register is saved as it is, and a register of 50
// or more would read back as an always-shown text: it stays within 0..49.
constexpr int SWITCHED_SCROLL_REG_MAX = 49;
constexpr int DIRECTION_MAX = 6;
constexpr int COLOUR_MAX = 6;          // the colour table has 7 entries
constexpr int UNIT_SIZE_MAX = 61;      // size rises while it is at most 60
constexpr int THICKNESS_MAX = 3;
constexpr int DIGITS_MAX = 6;
constexpr int DATA_TYPE_MAX = 8;
constexpr int SIZE_PRESET_RAISE_MAX = 4;   // presets 5 and 6 only arrive from files
constexpr int TABLE_SIZE_STEP = 4;     // px added to every cell by "大小+" on a table
constexpr int VALVE_STEP = 4;
// Address codes of the variable items, by group.
constexpr int COUNTER_FIRST = 0, COUNTER_LAST = 4;
constexpr int VALVE_PICTURE_LAST = VALVE_PICTURES - 1;   // valves show pictures id_0 .. id_19

// What the status line says when a button cannot go further.
constexpr const char* SAY_FONT_MAX = "字号已最大";
constexpr const char* SAY_FONT_MIN = "字号已最小";
constexpr const char* SAY_COLOUR_MAX = "颜色已最大";
constexpr const char* SAY_COLOUR_MIN = "颜色已最小";
constexpr const char* SAY_TYPE_MAX = "类型已最大";
constexpr const char* SAY_TYPE_MIN = "类型已最小";
constexpr const char* SAY_ADDRESS_MAX = "地址已最大";
constexpr const char* SAY_ADDRESS_MIN = "地址已最小";
constexpr const char* SAY_ADDRESS_FIXED = "此项的地址不可更改";
constexpr const char* SAY_WIDTH_MAX = "宽度已最大";
constexpr const char* SAY_WIDTH_MIN = "宽度已最小";
constexpr const char* SAY_HEIGHT_MAX = "高度已最大";
constexpr const char* SAY_HEIGHT_MIN = "高度已最小";
constexpr const char* SAY_DIRECTION_MAX = "方向已最大";
constexpr const char* SAY_DIRECTION_MIN = "方向已最小";
constexpr const char* SAY_SIZE_MAX = "大小已最大";
constexpr const char* SAY_SIZE_MIN = "大小已最小";
constexpr const char* SAY_THICKNESS_MAX = "粗细已最大";
constexpr const char* SAY_THICKNESS_MIN = "粗细已最小";
constexpr const char* SAY_DIGITS_MAX = "位数已最大";
constexpr const char* SAY_DIGITS_MIN = "位数已最小";
constexpr const char* SAY_DECIMALS_MAX = "小数已最大";
constexpr const char* SAY_DECIMALS_MIN = "小数已最小";
constexpr const char* SAY_ROWS_MAX = "行数已最大";
constexpr const char* SAY_ROWS_MIN = "行数已最小";
constexpr const char* SAY_COLS_MAX = "列数已最大";
constexpr const char* SAY_COLS_MIN = "列数已最小";
constexpr const char* SAY_NO_CELL = "请先选中一个单元格";
constexpr const char* SAY_NOT_FOR_TABLE = "表格没有此项";

// After a font step change: the step picks the font size and the box height.
void apply_font_ladder(string_draw& s)
{
    if (s.font_step < 1 || s.font_step > FONT_SIZE_COUNT) return;
    s.font_size = (uint8_t)FONT_SIZES[s.font_step - 1];
    s.box_height = 2 * s.font_size;
}

// Number of table rows or columns that have cells in the arrays.
int table_extent(uint8_t count)
{
    return std::min<int>(count, TABLE_MAX);
}

// One whole dot more or less than `size` (snapped to dots first); false when
// it would fall below one dot.
bool step_size(int32_t& size, int dots)
{
    const int64_t p = dot_pitch();
    const int64_t after = (int64_t)snap_dot_size(size) + dots * p;
    if (after < p || after > INT32_MAX) return false;
    size = (int32_t)after;
    return true;
}

// Every cell of a table grows or shrinks by one dot; nothing when a cell would
// fall below one dot.
bool resize_table_cells(Digit_unit& d, int dots)
{
    const int64_t p = dot_pitch();
    for (int r = 0; r < table_extent(d.rows); r++)
        if (snap_dot_size(d.row_height[r]) + dots * p < p) return false;
    for (int c = 0; c < table_extent(d.cols); c++)
        if (snap_dot_size(d.col_width[c]) + dots * p < p) return false;
    for (int r = 0; r < table_extent(d.rows); r++) step_size(d.row_height[r], dots);
    for (int c = 0; c < table_extent(d.cols); c++) step_size(d.col_width[c], dots);
    return true;
}

// One more or one less row or column; a row or column that appears without a
// size takes the size of the one before it, so it shows.
bool change_table_count(uint8_t& count, int32_t* sizes, int delta)
{
    const int before = std::clamp<int>(count, 1, TABLE_MAX);
    const int after = std::clamp(before + delta, 1, TABLE_MAX);
    if (after == count) return false;
    count = (uint8_t)after;
    for (int i = before; i < after; i++)
        if (sizes[i] <= 0) sizes[i] = sizes[i - 1];
    return true;
}

// The selected cell's column (or row) index, or -1 when no cell of the table is selected.
int selected_index(uint8_t sel, uint8_t count)
{
    return sel < table_extent(count) ? sel : -1;
}

// size + 1 while it is at most 60, size - 1 while it is at least 1.
bool step_unit_size(Digit_unit& d, int k)
{
    if (k == 0 && (uint32_t)d.size <= (uint32_t)(UNIT_SIZE_MAX - 1)) { d.size++; return true; }
    if (k == 1 && d.size >= 1) { d.size--; return true; }
    return false;
}

// Property positions 0..13 of a table (kind 6); null when applied, else why not.
const char* table_action(Digit_unit& d, int k)
{
    switch (k) {
    case 0: case 1:
        if (!resize_table_cells(d, k == 0 ? 1 : -1)) return k == 0 ? SAY_SIZE_MAX : SAY_SIZE_MIN;
        step_unit_size(d, k);
        return nullptr;
    case 4: return change_table_count(d.rows, d.row_height, 1) ? nullptr : SAY_ROWS_MAX;
    case 5: return change_table_count(d.rows, d.row_height, -1) ? nullptr : SAY_ROWS_MIN;
    case 6: return change_table_count(d.cols, d.col_width, 1) ? nullptr : SAY_COLS_MAX;
    case 7: return change_table_count(d.cols, d.col_width, -1) ? nullptr : SAY_COLS_MIN;
    case 8: case 9: {
        const int c = selected_index(d.sel_col, d.cols);
        if (c < 0) return SAY_NO_CELL;
        return step_size(d.col_width[c], k == 8 ? 1 : -1) ? nullptr : SAY_WIDTH_MIN;
    }
    case 10: case 11: {
        const int r = selected_index(d.sel_row, d.rows);
        if (r < 0) return SAY_NO_CELL;
        return step_size(d.row_height[r], k == 10 ? 1 : -1) ? nullptr : SAY_HEIGHT_MIN;
    }
    default: return SAY_NOT_FOR_TABLE;
    }
}

// The address codes a variable item may step through: its own group of codes.
struct code_span { int32_t lo, hi; };
code_span address_span(const Digit_unit& d)
{
    const extra_buttons extra = kind_of(d).buttons;
    if (extra == EXTRA_VALVE) return {0, VALVE_PICTURE_LAST};
    if (extra != EXTRA_VARIABLE) return {0, INT32_MAX};
    const int32_t code = d.reg_addr;
    if (code >= REGISTER_CODE_FIRST) return {REGISTER_CODE_FIRST, INT32_MAX};
    if (code >= SAFETY_CODE_FIRST && code <= SAFETY_CODE_LAST) return {SAFETY_CODE_FIRST, SAFETY_CODE_LAST};
    if (code >= COUNTER_FIRST && code <= COUNTER_LAST) return {COUNTER_FIRST, COUNTER_LAST};
    return {code, code};   // a clock, calendar or sensor field has exactly one code
}

// "地址+" and "地址-": within the item's own codes.
const char* step_address(Digit_unit& d, int delta)
{
    const code_span span = address_span(d);
    if (span.lo == span.hi && kind_of(d).buttons == EXTRA_VARIABLE) return SAY_ADDRESS_FIXED;
    if (delta > 0 && d.reg_addr >= span.hi) return SAY_ADDRESS_MAX;
    if (delta < 0 && d.reg_addr <= span.lo) return SAY_ADDRESS_MIN;
    d.reg_addr = std::clamp<int64_t>((int64_t)d.reg_addr + delta, span.lo, span.hi);
    return nullptr;
}

// value + delta inside lo..hi; `said_max` or `said_min` when it cannot move that way.
const char* bounded(int32_t& value, int delta, int lo, int hi, const char* said_max, const char* said_min)
{
    const int after = std::clamp(value + delta, lo, hi);
    if (after == value) return delta > 0 ? said_max : said_min;
    value = after;
    return nullptr;
}

const char* bounded8(uint8_t& value, int delta, int lo, int hi, const char* said_max, const char* said_min)
{
    int32_t v = value;
    const char* why = bounded(v, delta, lo, hi, said_max, said_min);
    value = (uint8_t)v;
    return why;
}

// Property positions of rectangles (kinds 5, 9), valves (11), calendar parts
// (8) and tables (6) that differ from the other kinds. `handled` is false when
// the position is not one of them.
const char* kind_action(Digit_unit& d, int k, bool& handled)
{
    handled = true;
    const extra_buttons extra = kind_of(d).buttons;
    if (extra == EXTRA_BOX && k >= 4 && k <= 7) {
        if (k == 4) return step_size(d.width, 1) ? nullptr : SAY_WIDTH_MAX;
        if (k == 5) return step_size(d.width, -1) ? nullptr : SAY_WIDTH_MIN;
        if (k == 6) return step_size(d.height, 1) ? nullptr : SAY_HEIGHT_MAX;
        return step_size(d.height, -1) ? nullptr : SAY_HEIGHT_MIN;
    }
    if (extra == EXTRA_VALVE && (k == 4 || k == 5)) {
        d.valve += (k == 4) ? VALVE_STEP : -VALVE_STEP;
        return nullptr;
    }
    if (extra == EXTRA_VARIABLE && (k == 0 || k == 1)) {
        // Calendar and clock parts: the composite layout sizes them from `size`.
        if (step_unit_size(d, k)) return nullptr;
        return k == 0 ? SAY_SIZE_MAX : SAY_SIZE_MIN;
    }
    if (extra == EXTRA_GRID) return table_action(d, k);
    handled = false;
    return nullptr;
}

// Property positions as all other kinds have them.
const char* common_action(Digit_unit& d, int k)
{
    switch (k) {
    case 0: {
        // The size and both extents grow together, by one dot.
        int32_t w = d.width, h = d.height;
        if ((uint32_t)d.size > (uint32_t)(UNIT_SIZE_MAX - 1) || !step_size(w, 1) || !step_size(h, 1))
            return SAY_SIZE_MAX;
        d.size++;
        d.width = w;
        d.height = h;
        return nullptr;
    }
    case 1: {
        int32_t w = d.width, h = d.height;
        if (d.size < 1 || !step_size(w, -1) || !step_size(h, -1)) return SAY_SIZE_MIN;
        d.size--;
        d.width = w;
        d.height = h;
        return nullptr;
    }
    case 2: return bounded8(d.color, 1, 0, COLOUR_MAX, SAY_COLOUR_MAX, SAY_COLOUR_MIN);
    case 3: return bounded8(d.color, -1, 0, COLOUR_MAX, SAY_COLOUR_MAX, SAY_COLOUR_MIN);
    // A stroke or digit count of 0 would draw nothing, and the item could no
    // longer be found: both stay at 1 or more.
    case 4: return bounded(d.thickness, 1, 1, THICKNESS_MAX, SAY_THICKNESS_MAX, SAY_THICKNESS_MIN);
    case 5: return bounded(d.thickness, -1, 1, THICKNESS_MAX, SAY_THICKNESS_MAX, SAY_THICKNESS_MIN);
    case 6: return bounded(d.digits, 1, 1, DIGITS_MAX, SAY_DIGITS_MAX, SAY_DIGITS_MIN);
    case 7: return bounded(d.digits, -1, 1, DIGITS_MAX, SAY_DIGITS_MAX, SAY_DIGITS_MIN);
    case 8: return bounded(d.data_type, 1, 0, DATA_TYPE_MAX, SAY_TYPE_MAX, SAY_TYPE_MIN);
    case 9: return bounded(d.data_type, -1, 0, DATA_TYPE_MAX, SAY_TYPE_MAX, SAY_TYPE_MIN);
    case 10: return step_address(d, 1);
    case 11: return step_address(d, -1);
    case 12:
        // Signed: with no digit (or one) there is no room for decimals.
        if ((int)d.decimals >= d.digits - 1) return SAY_DECIMALS_MAX;
        d.decimals++;
        return nullptr;
    case 13:
        if (d.decimals < 1) return SAY_DECIMALS_MIN;
        d.decimals--;
        return nullptr;
    default: return nullptr;
    }
}

} // namespace

// Property button k (0..15) of a text: one step of one field within its bounds.
const char* text_prop_action(string_draw& s, int k)
{
    const char* why = nullptr;
    switch (k) {
    case 0:
        why = bounded8(s.font_step, 1, 0, FONT_STEP_MAX, SAY_FONT_MAX, SAY_FONT_MIN);
        // Steps 0 and 17 keep the size of their neighbour: nothing grows.
        if (!why && s.font_step > FONT_SIZE_COUNT) why = SAY_FONT_MAX;
        apply_font_ladder(s);
        break;
    case 1:
        why = bounded8(s.font_step, -1, 0, FONT_STEP_MAX, SAY_FONT_MAX, SAY_FONT_MIN);
        if (!why && s.font_step < 1) why = SAY_FONT_MIN;
        apply_font_ladder(s);
        break;
    case 2: why = bounded(s.color, 1, 0, COLOUR_MAX, SAY_COLOUR_MAX, SAY_COLOUR_MIN); break;
    case 3: why = bounded(s.color, -1, 0, COLOUR_MAX, SAY_COLOUR_MAX, SAY_COLOUR_MIN); break;
    case 4: why = bounded8(s.mode, 1, 0, TEXT_MODE_MAX, SAY_TYPE_MAX, SAY_TYPE_MIN); break;
    case 5: why = bounded8(s.mode, -1, 0, TEXT_MODE_MAX, SAY_TYPE_MAX, SAY_TYPE_MIN); break;
    case 6:
        // 8-bit: 255 wraps to 0; a switched scrolling text wraps after 49.
        s.reg_addr = (uint8_t)(s.mode == TEXT_MODE_SWITCHED_SCROLLING && s.reg_addr >= SWITCHED_SCROLL_REG_MAX
                                   ? 0
                                   : s.reg_addr + 1);
        break;
    case 7:
        if (s.reg_addr >= 1) s.reg_addr--;
        else why = SAY_ADDRESS_MIN;
        break;
    case 8: if (!step_size(s.box_width, 1)) why = SAY_WIDTH_MAX; break;
    case 9: if (!step_size(s.box_width, -1)) why = SAY_WIDTH_MIN; break;
    case 10: if (!step_size(s.box_height, 1)) why = SAY_HEIGHT_MAX; break;
    case 11: if (!step_size(s.box_height, -1)) why = SAY_HEIGHT_MIN; break;
    case 12: s.speed++; break;
    case 13: s.speed--; break;
    case 14: why = bounded8(s.direction, 1, 0, DIRECTION_MAX, SAY_DIRECTION_MAX, SAY_DIRECTION_MIN); break;
    case 15: why = bounded8(s.direction, -1, 0, DIRECTION_MAX, SAY_DIRECTION_MAX, SAY_DIRECTION_MIN); break;
    default: break;
    }
    if (s.mode == TEXT_MODE_SWITCHED_SCROLLING && s.reg_addr > SWITCHED_SCROLL_REG_MAX)
        s.reg_addr = SWITCHED_SCROLL_REG_MAX;
    return why;
}

// Nudge button k of a text: one dot right, left, down or up.
void text_nudge_action(string_draw& s, int k)
{
    const int p = led_pitch;
    if (k == 0) s.x += p;
    if (k == 1) s.x -= p;
    if (k == 2) s.y += p;
    if (k == 3) s.y -= p;
}

// Property button k (0..13) of a Digit_unit: the action its kind gives the
// position, then for positions 0 and 1 the size preset rule.
const char* unit_prop_action(Digit_unit& d, int k)
{
    if (k < 0 || k > 13) return nullptr;
    bool handled = false;
    const char* why = kind_action(d, k, handled);
    if (!handled) why = common_action(d, k);
    if ((k == 0 || k == 1) && (d.reg_addr == CODE_WEEKDAY || d.reg_addr == CODE_WIND)) {
        // These items are sized by their preset: that is what the buttons step.
        why = nullptr;
        if (k == 0 && d.size_preset < SIZE_PRESET_RAISE_MAX) d.size_preset++;
        else if (k == 1 && d.size_preset >= 1) d.size_preset--;
        else why = k == 0 ? SAY_SIZE_MAX : SAY_SIZE_MIN;
        apply_size_preset(d);
    }
    return why;
}

// Nudge button k of a Digit_unit: one dot right, left, down or up.
void unit_nudge_action(Digit_unit& d, int k)
{
    const int p = led_pitch;
    if (k == 0) d.x += p;
    if (k == 1) d.x -= p;
    if (k == 2) d.y += p;
    if (k == 3) d.y -= p;
}

// Weekday and wind items (codes 16 and 20) take font size, height and width
// from their size preset 1..6; other items and other presets are left alone.
void apply_size_preset(Digit_unit& d)
{
    if (d.reg_addr != CODE_WEEKDAY && d.reg_addr != CODE_WIND) return;
    if (d.size_preset < 1 || d.size_preset > SIZE_PRESET_COUNT) return;
    const size_preset_row& row = SIZE_PRESETS[d.size_preset];
    d.font_px = row.font_px;
    d.height = row.height;
    d.width = row.width;
}
