/*******************************************************************************
 * edit/actions.cpp - what the property and nudge buttons of the current item do
 *
 * One press changes one field of the item by a fixed step and keeps it inside
 * its bounds: the font-size ladder of texts, colours 0..6, modes, directions,
 * thickness, digits, value types, decimals below the digit count, tables of
 * 1..50 rows and columns, and the size presets of the weekday and wind codes.
 * Fields without a natural bound (positions, box sizes, speed, valve
 * threshold) change freely, as the user asked.
 *
 * Limits: table cells are only ever indexed below TABLE_MAX and below the
 * table's own row and column count; the width and height buttons of a table
 * do nothing while no cell is selected.
 * Depends on: model/tables.h, model/settings.h (led_pitch).
 * Does NOT: decide which button was pressed, record the pressed look, or
 * re-lay out the calendar composites (the press handler calls
 * apply_group_move after a unit action).
 ******************************************************************************/
#include "edit/actions.h"
#include "model/settings.h"
#include <algorithm>
#include <climits>

namespace {

// Bounds of the fields the buttons change.
constexpr int FONT_STEP_MAX = 17;      // font_step runs 0..17; 1..16 pick a size
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
constexpr int SIZE_PRESET_COUNT = 6;
constexpr int TABLE_SIZE_STEP = 4;     // px added to every cell by "大小+" on a table
constexpr int VALVE_STEP = 4;
constexpr int CODE_WEEKDAY = 16, CODE_WIND = 20;   // codes that follow the size presets

// The font-size ladder: font_step 1..16 to font size in dots (index 0 unused).
constexpr uint8_t FONT_LADDER[FONT_STEP_MAX] = {0, 12, 13, 14, 15, 16, 17, 18, 19,
                                                20, 21, 22, 23, 24, 32, 48, 64};

// Size presets 1..6: font size, height and width in px (index 0 unused).
struct size_preset_row { int32_t font_px, height, width; };
constexpr size_preset_row SIZE_PRESETS[SIZE_PRESET_COUNT + 1] = {
    {0, 0, 0}, {12, 24, 72}, {16, 32, 96}, {24, 48, 128},
    {32, 64, 192}, {48, 96, 256}, {64, 128, 384}};

// value + delta kept inside lo..hi (a value that arrived outside is brought in).
int step_within(int value, int delta, int lo, int hi)
{
    return std::clamp(value + delta, lo, hi);
}

// After a font step change: the step picks the font size and the box height.
void apply_font_ladder(string_draw& s)
{
    if (s.font_step < 1 || s.font_step > 16) return;
    s.font_size = FONT_LADDER[s.font_step];
    s.box_height = 2 * s.font_size;
}

// Number of table rows or columns that have cells in the arrays.
int table_extent(uint8_t count)
{
    return std::min<int>(count, TABLE_MAX);
}

// Every cell of a table grows or shrinks by `delta` px.
void resize_table_cells(Digit_unit& d, int delta)
{
    for (int r = 0; r < table_extent(d.rows); r++) d.row_height[r] += delta;
    for (int c = 0; c < table_extent(d.cols); c++) d.col_width[c] += delta;
}

// One more or one less row or column; a row or column that appears without a
// size takes the size of the one before it, so it shows.
void change_table_count(uint8_t& count, int32_t* sizes, int delta)
{
    const int before = std::clamp<int>(count, 1, TABLE_MAX);
    const int after = std::clamp(before + delta, 1, TABLE_MAX);
    count = (uint8_t)after;
    for (int i = before; i < after; i++)
        if (sizes[i] <= 0) sizes[i] = sizes[i - 1];
}

// The selected cell's column (or row) index, or -1 when no cell of the table is selected.
int selected_index(uint8_t sel, uint8_t count)
{
    return sel < table_extent(count) ? sel : -1;
}

// Property positions 0..13 of a table (kind 6).
bool table_action(Digit_unit& d, int k)
{
    switch (k) {
    case 0:
        if ((uint32_t)d.size <= (uint32_t)(UNIT_SIZE_MAX - 1)) d.size++;
        resize_table_cells(d, TABLE_SIZE_STEP);
        return true;
    case 1:
        if (d.size >= 1) d.size--;
        resize_table_cells(d, -TABLE_SIZE_STEP);
        return true;
    case 4: change_table_count(d.rows, d.row_height, 1); return true;
    case 5: change_table_count(d.rows, d.row_height, -1); return true;
    case 6: change_table_count(d.cols, d.col_width, 1); return true;
    case 7: change_table_count(d.cols, d.col_width, -1); return true;
    case 8: case 9: {
        const int c = selected_index(d.sel_col, d.cols);
        if (c >= 0) d.col_width[c] += (k == 8) ? 1 : -1;
        return true;
    }
    case 10: case 11: {
        const int r = selected_index(d.sel_row, d.rows);
        if (r >= 0) d.row_height[r] += (k == 10) ? 1 : -1;
        return true;
    }
    default: return false;
    }
}

// Property positions of rectangles (kinds 5, 9), valves (11) and calendar
// parts (8) that differ from the other kinds; false when the position is not one.
bool kind_action(Digit_unit& d, int k)
{
    if ((d.kind == KIND_RECT || d.kind == KIND_FILLED_RECT) && k >= 4 && k <= 7) {
        if (k == 4) d.width++;
        if (k == 5) d.width--;
        if (k == 6) d.height++;
        if (k == 7) d.height--;
        return true;
    }
    if (d.kind == KIND_VALVE && (k == 4 || k == 5)) {
        d.valve += (k == 4) ? VALVE_STEP : -VALVE_STEP;
        return true;
    }
    if (d.kind == KIND_VARIABLE && (k == 0 || k == 1)) {
        // Calendar and clock parts: the composite layout sizes them from `size`.
        if (k == 0 && (uint32_t)d.size <= (uint32_t)(UNIT_SIZE_MAX - 1)) d.size++;
        if (k == 1 && d.size >= 1) d.size--;
        return true;
    }
    if (d.kind == KIND_TABLE) return table_action(d, k);
    return false;
}

// Property positions as all other kinds have them.
void common_action(Digit_unit& d, int k)
{
    switch (k) {
    case 0:
        if ((uint32_t)d.size <= (uint32_t)(UNIT_SIZE_MAX - 1)) d.size++;
        d.height++;
        d.width++;
        break;
    case 1:
        if (d.size >= 1) d.size--;
        if (d.height >= 1) d.height--;
        d.width--;
        break;
    case 2: d.color = (uint8_t)step_within(d.color, 1, 0, COLOUR_MAX); break;
    case 3: d.color = (uint8_t)step_within(d.color, -1, 0, COLOUR_MAX); break;
    case 4: d.thickness = step_within(d.thickness, 1, 0, THICKNESS_MAX); break;
    case 5: d.thickness = step_within(d.thickness, -1, 0, THICKNESS_MAX); break;
    case 6: d.digits = step_within(d.digits, 1, 0, DIGITS_MAX); break;
    case 7: d.digits = step_within(d.digits, -1, 0, DIGITS_MAX); break;
    case 8: d.data_type = step_within(d.data_type, 1, 0, DATA_TYPE_MAX); break;
    case 9: d.data_type = step_within(d.data_type, -1, 0, DATA_TYPE_MAX); break;
    case 10: if (d.reg_addr < INT32_MAX) d.reg_addr++; break;
    case 11: if (d.reg_addr >= 1) d.reg_addr--; break;
    case 12:
        // Signed: with no digit (or one) there is no room for decimals.
        if ((int)d.decimals < d.digits - 1) d.decimals++;
        break;
    case 13: if (d.decimals >= 1) d.decimals--; break;
    default: break;
    }
}

} // namespace

// Property button k (0..15) of a text: one step of one field within its bounds.
void text_prop_action(string_draw& s, int k)
{
    switch (k) {
    case 0:
        s.font_step = (uint8_t)step_within(s.font_step, 1, 0, FONT_STEP_MAX);
        apply_font_ladder(s);
        break;
    case 1:
        s.font_step = (uint8_t)step_within(s.font_step, -1, 0, FONT_STEP_MAX);
        apply_font_ladder(s);
        break;
    case 2: s.color = step_within(s.color, 1, 0, COLOUR_MAX); break;
    case 3: s.color = step_within(s.color, -1, 0, COLOUR_MAX); break;
    case 4: s.mode = (uint8_t)step_within(s.mode, 1, 0, TEXT_MODE_MAX); break;
    case 5: s.mode = (uint8_t)step_within(s.mode, -1, 0, TEXT_MODE_MAX); break;
    case 6:
        // 8-bit: 255 wraps to 0; a switched scrolling text wraps after 49.
        s.reg_addr = (uint8_t)(s.mode == TEXT_MODE_SWITCHED_SCROLLING && s.reg_addr >= SWITCHED_SCROLL_REG_MAX
                                   ? 0
                                   : s.reg_addr + 1);
        break;
    case 7: if (s.reg_addr >= 1) s.reg_addr--; break;
    case 8: s.box_width++; break;
    case 9: s.box_width--; break;
    case 10: s.box_height++; break;
    case 11: s.box_height--; break;
    case 12: s.speed++; break;
    case 13: s.speed--; break;
    case 14: s.direction = (uint8_t)step_within(s.direction, 1, 0, DIRECTION_MAX); break;
    case 15: s.direction = (uint8_t)step_within(s.direction, -1, 0, DIRECTION_MAX); break;
    default: break;
    }
    if (s.mode == TEXT_MODE_SWITCHED_SCROLLING && s.reg_addr > SWITCHED_SCROLL_REG_MAX)
        s.reg_addr = SWITCHED_SCROLL_REG_MAX;
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
void unit_prop_action(Digit_unit& d, int k)
{
    if (k < 0 || k > 13) return;
    if (!kind_action(d, k)) common_action(d, k);
    if ((k == 0 || k == 1) && (d.reg_addr == CODE_WEEKDAY || d.reg_addr == CODE_WIND)) {
        if (k == 0 && d.size_preset < SIZE_PRESET_RAISE_MAX) d.size_preset++;
        if (k == 1 && d.size_preset >= 1) d.size_preset--;
        apply_size_preset(d);
    }
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
