/*******************************************************************************
 * edit/actions.cpp - what the property and nudge buttons of the current item do
 *
 * One press changes one field of the item by a fixed step and keeps it inside
 * its bounds: the font-size ladder of texts, colours 0..6, modes, directions,
 * thickness 1..3, digits 1..6, value types, decimals below the digit count,
 * tables of 1..50 rows and columns, addresses within the item's own group of
 * codes, and the size presets of the weekday and wind codes. Sizes change by
 * one dot; a box, a line or a cell never falls below one dot, a variable's
 * digit size stays within 0..61. Fields without a natural bound (speed,
 * valve threshold) change freely, as the user asked.
 *
 * Limits: table cells are only ever indexed below TABLE_MAX and below the
 * table's own row and column count; the width and height buttons of a table
 * do nothing while no cell is picked.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide which button was pressed, record the pressed look, or lay
 * out the date and time parts (the press handler does).
 *
 * Sections: bounds and steps | sizes, rows and columns | addresses | positions
 * by kind | texts | nudges and the other kinds
 ******************************************************************************/
#include "edit/actions.h"
#include "items/kinds.h"
#include "model/font_sizes.h"
#include <algorithm>
#include <climits>

namespace {

// ---- bounds and steps --------------------------------------------------------------

// Bounds of the fields the buttons change.
// A switched scrolling text's register is saved as it is, and a register of 50
// or more would read back as an always-shown text: it stays within 0..49.
constexpr int SWITCHED_SCROLL_REG_MAX = TEXT_REGISTER_NONE - 1;
constexpr int COLOUR_MAX = 6;          // the colour table has 7 entries
constexpr int UNIT_SIZE_MAX = 61;      // size rises while it is at most 60
constexpr int THICKNESS_MAX = 3;
constexpr int DIGITS_MAX = 6;
constexpr int DATA_TYPE_MAX = 8;
constexpr int SIZE_PRESET_RAISE_MAX = 4;   // presets 5 and 6 only arrive from files
constexpr int TABLE_SIZE_STEP = 1;     // dots added to every cell by "大小+" on a table
constexpr int VALVE_STEP = 4;
constexpr int VALVE_PICTURE_LAST = VALVE_PICTURES - 1;   // valves show pictures id_0 .. id_19

outcome fail(msg_id id) { return outcome_fail(id); }

// After a font step change: the step picks the font size and the box height.
void apply_font_ladder(item& t)
{
    if (t.font_step < 1 || t.font_step > FONT_SIZE_COUNT) return;
    t.font_size = (uint8_t)FONT_SIZES[t.font_step - 1];
    t.h = t.font_size;
}

// One dot more or less; false when it would fall below one dot.
bool step_size(int32_t& size, int dots)
{
    const int64_t after = (int64_t)size + dots;
    if (after < 1 || after > INT32_MAX) return false;
    size = (int32_t)after;
    return true;
}

// ---- sizes, rows and columns -------------------------------------------------------

int extent(uint8_t count) { return std::min<int>(count, TABLE_MAX); }

// Every cell of a table grows or shrinks by `dots`; nothing when a cell would
// fall below one dot.
bool resize_table_cells(table_grid& g, int dots)
{
    for (int r = 0; r < extent(g.rows); r++)
        if ((int64_t)g.row_h[r] + dots < 1) return false;
    for (int c = 0; c < extent(g.cols); c++)
        if ((int64_t)g.col_w[c] + dots < 1) return false;
    for (int r = 0; r < extent(g.rows); r++) step_size(g.row_h[r], dots);
    for (int c = 0; c < extent(g.cols); c++) step_size(g.col_w[c], dots);
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

// size + 1 while it is at most 60, size - 1 while it is at least 1.
bool step_unit_size(item& d, int k)
{
    if (k == 0 && (uint32_t)d.size <= (uint32_t)(UNIT_SIZE_MAX - 1)) { d.size++; return true; }
    if (k == 1 && d.size >= 1) { d.size--; return true; }
    return false;
}

// Property positions 0..13 of a table.
outcome table_action(item& d, int k, int sel_col, int sel_row)
{
    table_grid& g = d.grid;
    const bool cell = sel_col >= 0 && sel_col < extent(g.cols) && sel_row >= 0 && sel_row < extent(g.rows);
    switch (k) {
    case 0: case 1:
        if (!resize_table_cells(g, k == 0 ? TABLE_SIZE_STEP : -TABLE_SIZE_STEP))
            return fail(k == 0 ? MSG_SIZE_MAX : MSG_SIZE_MIN);
        return outcome_ok();
    case 4: return change_table_count(g.rows, g.row_h, 1) ? outcome_ok() : fail(MSG_ROWS_MAX);
    case 5: return change_table_count(g.rows, g.row_h, -1) ? outcome_ok() : fail(MSG_ROWS_MIN);
    case 6: return change_table_count(g.cols, g.col_w, 1) ? outcome_ok() : fail(MSG_COLS_MAX);
    case 7: return change_table_count(g.cols, g.col_w, -1) ? outcome_ok() : fail(MSG_COLS_MIN);
    case 8: case 9:
        if (!cell) return fail(MSG_PICK_CELL);
        return step_size(g.col_w[sel_col], k == 8 ? 1 : -1) ? outcome_ok() : fail(MSG_WIDTH_MIN);
    case 10: case 11:
        if (!cell) return fail(MSG_PICK_CELL);
        return step_size(g.row_h[sel_row], k == 10 ? 1 : -1) ? outcome_ok() : fail(MSG_HEIGHT_MIN);
    default: return fail(MSG_NOT_FOR_TABLE);
    }
}

// ---- addresses -------------------------------------------------------------------

// The address codes an item may step through: its own group of codes.
struct code_span { int32_t lo, hi; };
code_span address_span(const item& d)
{
    const extra_buttons extra = kind_of(d).buttons;
    if (extra == EXTRA_VALVE) return {0, VALVE_PICTURE_LAST};
    if (extra != EXTRA_VARIABLE) return {0, INT32_MAX};
    const int32_t code = d.code;
    if (code >= REGISTER_CODE_FIRST) return {REGISTER_CODE_FIRST, INT32_MAX};
    if (code >= SAFETY_CODE_FIRST && code <= SAFETY_CODE_LAST) return {SAFETY_CODE_FIRST, SAFETY_CODE_LAST};
    if (code >= 0 && code <= CODE_COUNTER_LAST) return {0, CODE_COUNTER_LAST};
    return {code, code};   // a clock, calendar or sensor field has exactly one code
}

// "地址+" and "地址-": within the item's own codes.
outcome step_address(item& d, int delta)
{
    const code_span span = address_span(d);
    if (span.lo == span.hi && kind_of(d).buttons == EXTRA_VARIABLE) return fail(MSG_ADDRESS_FIXED);
    if (delta > 0 && d.code >= span.hi) return fail(MSG_ADDRESS_MAX);
    if (delta < 0 && d.code <= span.lo) return fail(MSG_ADDRESS_MIN);
    d.code = (int32_t)std::clamp<int64_t>((int64_t)d.code + delta, span.lo, span.hi);
    return outcome_ok();
}

// ---- positions by kind --------------------------------------------------------------

// value + delta inside lo..hi; `said_max` or `said_min` when it cannot move that way.
template <typename T>
outcome bounded(T& value, int delta, int lo, int hi, msg_id said_max, msg_id said_min)
{
    const int after = std::clamp((int)value + delta, lo, hi);
    if (after == (int)value) return fail(delta > 0 ? said_max : said_min);
    value = (T)after;
    return outcome_ok();
}

// Property positions of rectangles, valves, variables and tables that differ
// from the other kinds. `handled` is false when the position is not one of them.
outcome kind_action(item& d, int k, int sel_col, int sel_row, bool& handled)
{
    handled = true;
    const extra_buttons extra = kind_of(d).buttons;
    if (extra == EXTRA_BOX && k >= 4 && k <= 7) {
        if (k == 4) return step_size(d.w, 1) ? outcome_ok() : fail(MSG_WIDTH_MAX);
        if (k == 5) return step_size(d.w, -1) ? outcome_ok() : fail(MSG_WIDTH_MIN);
        if (k == 6) return step_size(d.h, 1) ? outcome_ok() : fail(MSG_HEIGHT_MAX);
        return step_size(d.h, -1) ? outcome_ok() : fail(MSG_HEIGHT_MIN);
    }
    if (extra == EXTRA_VALVE && (k == 4 || k == 5)) {
        d.valve += (k == 4) ? VALVE_STEP : -VALVE_STEP;
        return outcome_ok();
    }
    if (extra == EXTRA_VARIABLE && (k == 0 || k == 1)) {
        // The digits' size: the date and time parts that follow take it too.
        if (step_unit_size(d, k)) return outcome_ok();
        return fail(k == 0 ? MSG_SIZE_MAX : MSG_SIZE_MIN);
    }
    if (extra == EXTRA_GRID) return table_action(d, k, sel_col, sel_row);
    handled = false;
    return outcome_ok();
}

// Property positions as all other kinds have them.
outcome common_action(item& d, int k)
{
    switch (k) {
    case 0: {
        // The figure grows by one dot each way.
        int32_t w = d.w, h = d.h;
        if (!step_size(w, 1) || !step_size(h, 1)) return fail(MSG_SIZE_MAX);
        d.w = w;
        d.h = h;
        return outcome_ok();
    }
    case 1: {
        int32_t w = d.w, h = d.h;
        if (!step_size(w, -1) || !step_size(h, -1)) return fail(MSG_SIZE_MIN);
        d.w = w;
        d.h = h;
        return outcome_ok();
    }
    case 2: return bounded(d.color, 1, 0, COLOUR_MAX, MSG_COLOUR_MAX, MSG_COLOUR_MIN);
    case 3: return bounded(d.color, -1, 0, COLOUR_MAX, MSG_COLOUR_MAX, MSG_COLOUR_MIN);
    // A stroke or digit count of 0 would draw nothing, and the item could no
    // longer be found: both stay at 1 or more.
    case 4: return bounded(d.thickness, 1, 1, THICKNESS_MAX, MSG_THICKNESS_MAX, MSG_THICKNESS_MIN);
    case 5: return bounded(d.thickness, -1, 1, THICKNESS_MAX, MSG_THICKNESS_MAX, MSG_THICKNESS_MIN);
    case 6: return bounded(d.digits, 1, 1, DIGITS_MAX, MSG_DIGITS_MAX, MSG_DIGITS_MIN);
    case 7: return bounded(d.digits, -1, 1, DIGITS_MAX, MSG_DIGITS_MAX, MSG_DIGITS_MIN);
    case 8: return bounded(d.data_type, 1, 0, DATA_TYPE_MAX, MSG_TYPE_MAX, MSG_TYPE_MIN);
    case 9: return bounded(d.data_type, -1, 0, DATA_TYPE_MAX, MSG_TYPE_MAX, MSG_TYPE_MIN);
    case 10: return step_address(d, 1);
    case 11: return step_address(d, -1);
    case 12:
        // With no digit (or one) there is no room for decimals.
        if ((int)d.decimals >= d.digits - 1) return fail(MSG_DECIMALS_MAX);
        d.decimals++;
        return outcome_ok();
    case 13:
        if (d.decimals < 1) return fail(MSG_DECIMALS_MIN);
        d.decimals--;
        return outcome_ok();
    default: return outcome_ok();
    }
}

} // namespace

// ---- texts -----------------------------------------------------------------------

namespace {

// A text's mode changed from `old_mode`: a static one that now scrolls keeps `shown`.
void keep_shown_box(item& t, uint8_t old_mode, const dot_box& shown)
{
    if ((old_mode & TEXT_SCROLLING) || !(t.mode & TEXT_SCROLLING)) return;
    t.w = (int32_t)shown.w;
    t.h = (int32_t)shown.h;
}

} // namespace

outcome text_prop_action(const document& d, item& t, int k)
{
    const uint8_t old_mode = t.mode;
    const dot_box shown = measure_item(d, t);
    const outcome o = text_prop_action(t, k);
    keep_shown_box(t, old_mode, shown);
    return o;
}

void text_start_scrolling(const document& d, item& t)
{
    const uint8_t old_mode = t.mode;
    const dot_box shown = measure_item(d, t);
    t.mode = TEXT_SCROLLING;
    keep_shown_box(t, old_mode, shown);
}

outcome text_prop_action(item& t, int k)
{
    outcome o = outcome_ok();
    switch (k) {
    case 0:
        o = bounded(t.font_step, 1, 0, FONT_STEP_MAX, MSG_FONT_MAX, MSG_FONT_MIN);
        // Steps 0 and 17 keep the size of their neighbour: nothing grows.
        if (o && t.font_step > FONT_SIZE_COUNT) o = fail(MSG_FONT_MAX);
        apply_font_ladder(t);
        break;
    case 1:
        o = bounded(t.font_step, -1, 0, FONT_STEP_MAX, MSG_FONT_MAX, MSG_FONT_MIN);
        if (o && t.font_step < 1) o = fail(MSG_FONT_MIN);
        apply_font_ladder(t);
        break;
    case 2: o = bounded(t.color, 1, 0, COLOUR_MAX, MSG_COLOUR_MAX, MSG_COLOUR_MIN); break;
    case 3: o = bounded(t.color, -1, 0, COLOUR_MAX, MSG_COLOUR_MAX, MSG_COLOUR_MIN); break;
    case 4: o = bounded(t.mode, 1, 0, TEXT_MODE_MAX, MSG_TYPE_MAX, MSG_TYPE_MIN); break;
    case 5: o = bounded(t.mode, -1, 0, TEXT_MODE_MAX, MSG_TYPE_MAX, MSG_TYPE_MIN); break;
    case 6:
        // 8-bit: 255 wraps to 0; a switched scrolling text wraps after 49.
        t.code = (uint8_t)(t.mode == TEXT_SCROLLING_SWITCHED && (uint8_t)t.code >= SWITCHED_SCROLL_REG_MAX
                               ? 0
                               : (uint8_t)t.code + 1);
        break;
    case 7:
        if ((uint8_t)t.code >= 1) t.code = (uint8_t)((uint8_t)t.code - 1);
        else o = fail(MSG_ADDRESS_MIN);
        break;
    case 8: if (!step_size(t.w, 1)) o = fail(MSG_WIDTH_MAX); break;
    case 9: if (!step_size(t.w, -1)) o = fail(MSG_WIDTH_MIN); break;
    case 10: if (!step_size(t.h, 1)) o = fail(MSG_HEIGHT_MAX); break;
    case 11: if (!step_size(t.h, -1)) o = fail(MSG_HEIGHT_MIN); break;
    case 12: t.speed++; break;
    case 13: t.speed--; break;
    case 14: o = bounded(t.direction, 1, 0, TEXT_DIRECTION_MAX, MSG_DIRECTION_MAX, MSG_DIRECTION_MIN); break;
    case 15: o = bounded(t.direction, -1, 0, TEXT_DIRECTION_MAX, MSG_DIRECTION_MAX, MSG_DIRECTION_MIN); break;
    default: break;
    }
    if (t.mode == TEXT_SCROLLING_SWITCHED && (uint8_t)t.code > SWITCHED_SCROLL_REG_MAX) t.code = SWITCHED_SCROLL_REG_MAX;
    return o;
}

// ---- nudges and the other kinds ---------------------------------------------------

void nudge_action(item& it, int k)
{
    if (k == 0) it.x++;
    if (k == 1) it.x--;
    if (k == 2) it.y++;
    if (k == 3) it.y--;
}

outcome unit_prop_action(item& d, int k, int sel_col, int sel_row)
{
    if (k < 0 || k >= UNIT_PROP_BUTTONS) return outcome_ok();
    bool handled = false;
    outcome o = kind_action(d, k, sel_col, sel_row, handled);
    if (!handled) o = common_action(d, k);
    if ((k == 0 || k == 1) && d.kind == KIND_VARIABLE && code_has_font_size(d.code)) {
        // These items are sized by their preset: that is what the buttons step.
        o = outcome_ok();
        if (k == 0 && d.size_preset < SIZE_PRESET_RAISE_MAX) d.size_preset++;
        else if (k == 1 && d.size_preset >= 1) d.size_preset--;
        else o = fail(k == 0 ? MSG_SIZE_MAX : MSG_SIZE_MIN);
        apply_size_preset(d);
    }
    return o;
}

void apply_size_preset(item& d)
{
    if (d.kind != KIND_VARIABLE || !code_has_font_size(d.code)) return;
    if (d.size_preset < 1 || d.size_preset > SIZE_PRESET_COUNT) return;
    d.font_px = SIZE_PRESETS[d.size_preset].font_px;
}
