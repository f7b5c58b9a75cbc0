/*******************************************************************************
 * model/default_layout.h - record ranges, palette places and the default layout
 *
 * Every item the user can place already exists as a record. Each kind owns a
 * fixed range of Digit_unit records; the default layout gives every record of
 * a range its kind, its default fields and its place in the tool palette, and
 * shows the first record of each range there. It also places the panel units,
 * the text records and the tool-button rows, and loads the valve pictures
 * id_0.bmp .. id_19.bmp into records 380 .. 399.
 *
 * Limits: record NO_ITEM of both tables is the phantom anchor of group drags
 * and is never handed out as an item (the table range and the text range end
 * at LAST_ITEM_INDEX). A valve picture larger than VALVE_FILE_MAX is not loaded.
 *
 * Depends on: model/tables, model/settings, model/button_rows.
 * Does NOT: read the script or the program file, draw anything.
 ******************************************************************************/
#pragma once
#include "model/tables.h"
#include <cstdint>

// One range of Digit_unit records owned by a kind (indices inclusive).
struct record_range {
    int first;       // first record: the palette entry shown at start
    int last;        // last record an item may take
    uint8_t kind;    // kind the default layout gives the range
};

// The ranges, in record order.
enum range_id {
    RANGE_NAMED = 0,      // 0..32     variable items with per-record codes
    RANGE_SAFETY,         // 33..52    safe-production counters (code 22)
    RANGE_BLOCK,          // 53..82    point blocks
    RANGE_LINE,           // 83..122   horizontal lines
    RANGE_CIRCLE,         // 123..132  circles
    RANGE_FILLED_CIRCLE,  // 133..152  filled circles
    RANGE_VLINE,          // 153..202  vertical lines
    RANGE_REGISTER,       // 203..352  register variables
    RANGE_RECT,           // 353..379  rectangles
    RANGE_VALVE,          // 380..399  valve pictures
    RANGE_FILLED_RECT,    // 400..419  filled rectangles
    RANGE_TABLE,          // 420..428  tables (NO_ITEM is the phantom anchor)
    RANGE_COUNT
};

constexpr record_range digit_ranges[RANGE_COUNT] = {
    {0, 32, KIND_VARIABLE},      {33, 52, KIND_VARIABLE},   {53, 82, KIND_BLOCK},
    {83, 122, KIND_LINE},        {123, 132, KIND_CIRCLE},   {133, 152, KIND_FILLED_CIRCLE},
    {153, 202, KIND_VLINE},      {203, 352, KIND_VARIABLE}, {353, 379, KIND_RECT},
    {380, 399, KIND_VALVE},      {400, 419, KIND_FILLED_RECT}, {420, LAST_ITEM_INDEX, KIND_TABLE},
};
static_assert(digit_ranges[RANGE_TABLE].last + 1 == NO_ITEM, "the ranges end just before the phantom record");

// Texts: one range over the string table, the phantom record excluded.
constexpr int TEXT_FIRST = 0;
constexpr int TEXT_LAST = LAST_ITEM_INDEX;
constexpr int TEXT_SCROLL_FIRST = 215;  // records from here default to scrolling

// Component codes: variables with codes from REGISTER_CODE_FIRST on show a
// register and live in the register range; each code has its home record
// there, REGISTER_HOME_BASE + code.
constexpr int REGISTER_CODE_FIRST = 41;
constexpr int REGISTER_CODE_BASE = REGISTER_CODE_FIRST - 1;  // register captions count from here
constexpr int REGISTER_HOME_BASE = digit_ranges[RANGE_REGISTER].first - REGISTER_CODE_FIRST;
constexpr int SAFETY_CODE_FIRST = 22, SAFETY_CODE_LAST = 39;  // safe-production counters
constexpr int CODE_WEEKDAY = 16, CODE_WIND = 20;   // sized by font_px where others keep `size`

// Whether an item of this code is sized by font_px rather than by `size`.
constexpr bool code_has_font_size(int64_t code) { return code == CODE_WEEKDAY || code == CODE_WIND; }
constexpr int NO_REGISTER_CODE = 512;   // circles show no register

// Largest valve picture file that is loaded whole (bytes).
constexpr long VALVE_FILE_MAX = 16L * 1024 * 1024;

// The range a Digit_unit record belongs to, or -1 for the phantom record.
int range_of_record(int index);

// The record the palette rule reveals after `index`: index + 1 while it stays
// inside the same range, else -1. Used for Digit_unit records.
int palette_next(int index);

// The text record revealed after `index`, or -1 past the last usable one.
int palette_next_text(int index);

// Free the valve pictures and give every record of the item tables, the
// pictures and the panel units their constructed state again.
void reset_item_tables();

// Give every record its kind, defaults and palette place; load the valve
// pictures; place the panel units, texts and button rows.
void default_layout();
