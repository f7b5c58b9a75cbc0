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
 * Limits: record 429 of both tables is the phantom anchor of group drags and
 * is never handed out as an item (the table range ends at 428, the text
 * range at 428). A valve picture larger than VALVE_FILE_MAX is not loaded.
 *
 * Depends on: model/tables, model/settings, model/button_rows.
 * Does NOT: read the script or the program file, draw anything.
 ******************************************************************************/
#pragma once
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
    RANGE_TABLE,          // 420..428  tables (429 is the phantom anchor)
    RANGE_COUNT
};

extern const record_range digit_ranges[RANGE_COUNT];

// Texts: one range over the string table, record 429 excluded.
constexpr int TEXT_FIRST = 0;
constexpr int TEXT_LAST = 428;
constexpr int TEXT_SCROLL_FIRST = 215;  // records from here default to scrolling

// Largest valve picture file that is loaded whole (bytes).
constexpr long VALVE_FILE_MAX = 16L * 1024 * 1024;

// The range a Digit_unit record belongs to, or -1 for the phantom record 429.
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
