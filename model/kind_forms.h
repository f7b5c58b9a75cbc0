/*******************************************************************************
 * model/kind_forms.h - what the document knows of each kind: slots and script line
 *
 * One row per kind, indexed by the kind, says how its items stand in the
 * script: the slot range its items take, the shape its numbers describe, and
 * its line form (the command word, the keyword and the fields). The writer
 * (output/script_export) formats an item's line from these fields and the
 * reader (command/) takes the same fields back, with the same names and
 * bounds; item_numbers and store_numbers, side by side here, are the two
 * directions of each field, so the two cannot drift apart.
 *
 * Slot ranges are the script's numbering: each range is a run of slots of
 * one numbering. Variables take the range of their component code (named
 * fields, safe-production counters, registers) and, when it is full, any
 * free slot of the other variable ranges; register variables stay in
 * theirs, where the script's reader always puts them back.
 *
 * Limits: at most LINE_FIELDS_MAX fields a line.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: split or check lines (command/ does), take slots (model/pool
 * does), draw or measure (items/ does).
 ******************************************************************************/
#pragma once
#include "model/item.h"
#include <cstdint>
#include <string>

// ---- slot ranges ---------------------------------------------------------------

enum range_id : uint8_t {
    RANGE_NAMED,          // 0..32     variables of the fixed codes (clock, calendar, counters, sensors)
    RANGE_SAFETY,         // 33..52    safe-production counters
    RANGE_BLOCK,          // 53..82
    RANGE_LINE,           // 83..122
    RANGE_CIRCLE,         // 123..132
    RANGE_FILLED_CIRCLE,  // 133..152
    RANGE_VLINE,          // 153..202
    RANGE_REGISTER,       // 203..352  register variables
    RANGE_RECT,           // 353..379
    RANGE_VALVE,          // 380..399
    RANGE_FILLED_RECT,    // 400..419
    RANGE_TABLE,          // 420..428
    RANGE_TEXT,           // 0..428 of the texts' numbering
    RANGE_COUNT,
    RANGE_NONE = 0xFF
};

struct slot_range {
    range_id id;
    item_table table;
    int16_t first, last;
    const char* noun;     // what its items are called in messages
};
extern const slot_range slot_ranges[RANGE_COUNT];

// The range slot `slot` of numbering `table` lies in, or RANGE_NONE.
range_id range_of_slot(item_table table, int slot);

// ---- component codes of variables ------------------------------------------------

constexpr int CODE_COUNTER_LAST = 4;                         // codes 0..4: counters 1 to 5
constexpr int CODE_YEAR = 5, CODE_MONTH = 6, CODE_DAY = 7;
constexpr int CODE_HOUR = 8, CODE_MINUTE = 9, CODE_SECOND = 10;
constexpr int CODE_TEMPERATURE = 11, CODE_HUMIDITY = 13;
constexpr int CODE_WEEKDAY = 16;
constexpr int CODE_LUNAR_YEAR = 17, CODE_LUNAR_MONTH = 18, CODE_LUNAR_DAY = 19;
constexpr int CODE_WIND = 20;
constexpr int SAFETY_CODE_FIRST = 22, SAFETY_CODE_LAST = 39;  // safe-production counters
constexpr int REGISTER_CODE_FIRST = 41;                        // holding register code - 40
constexpr int REGISTER_CODE_BASE = REGISTER_CODE_FIRST - 1;
constexpr int NO_REGISTER_CODE = 512;                          // circles show no register
// A new register variable's register follows its slot, as each record of the
// register range always had its own.
constexpr int REGISTER_HOME_BASE = 203 - REGISTER_CODE_FIRST;
constexpr int VALVE_PICTURES = 20;                             // id_0.bmp .. id_19.bmp
constexpr int REGISTER_LAST_BYTE = 255;                        // a text's register is 8-bit
constexpr int TEXT_REGISTER_NONE = 50;                         // a script text register of 50+: always shown

// Whether a variable of this code is sized by font_px rather than by `size`.
constexpr bool code_has_font_size(int64_t code) { return code == CODE_WEEKDAY || code == CODE_WIND; }
// The range a variable of this code lives in.
range_id variable_range(int64_t code);

// ---- shapes and script lines ---------------------------------------------------------

// How a kind's x, y, w and h describe what it covers.
enum item_shape : uint8_t {
    SHAPE_TEXT,     // corner (x, y); a box measured from its text, or its own (scrolling)
    SHAPE_POINT,    // a square block of side h at (x, y)
    SHAPE_HLINE,    // from (x, y) w dots to the right
    SHAPE_VLINE,    // from (x, y) h dots down
    SHAPE_ROUND,    // centre (x, y), radius h
    SHAPE_BOX,      // corner (x, y), w x h
    SHAPE_GRID,     // corner (x, y), columns and rows of cells
    SHAPE_CONTENT,  // corner (x, y), sized by what it shows
};

// What one field of a script line holds. Dots are panel dots.
enum line_field_kind : uint8_t {
    FIELD_COLOUR,       // colour code 0..255
    FIELD_X,            // x of the corner or centre
    FIELD_Y,            // y of the corner or centre
    FIELD_RIGHT,        // x + w
    FIELD_BOTTOM,       // y + h
    FIELD_BOTTOM_APART, // y + h, at least one dot below y
    FIELD_X_AGAIN,      // x once more (the end of a vertical line)
    FIELD_Y_AGAIN,      // y once more (the end of a horizontal line)
    FIELD_HEIGHT_DOTS,  // h (a radius, a block's side)
    FIELD_CODE,         // code as it is (fill pattern, picture number)
    FIELD_VALVE,        // the valve threshold
    // The fields of an insmod line.
    FIELD_WORD,         // a fixed word, the field's name; written, not read
    FIELD_RECORD,       // slot + a base, 0 and up
    FIELD_UNREAD,       // a number written but never read back
    FIELD_COMPONENT,    // component code, 0 and up
    FIELD_DIGITS, FIELD_SIZE, FIELD_THICKNESS, FIELD_DATA_TYPE,  // any 32-bit value
    FIELD_DECIMALS,     // 0..255
};

constexpr int LINE_FIELDS_MAX = 13;

struct line_field {
    uint8_t kind;       // line_field_kind
    const char* name;   // as the reader's messages name it (the word of FIELD_WORD)
};

// How many lines an item takes in the script.
enum line_block : uint8_t {
    LINE_NONE,      // no line of a form (texts have lines of their own)
    LINE_SINGLE,    // one line of its form
    LINE_INSMOD,    // an "insmod" line, and two more for some codes
    LINE_TABLE,     // "led begin r", a line of its form per cell, merges, "led end r"
};

// A script line form: COMMAND [KEYWORD] F1 .. Fn and CR LF, with a blank
// before the CR LF when `blank_at_end`.
struct line_form {
    line_block block;
    const char* command;            // the dispatcher's word: "led" or "insmod"
    const char* keyword;            // the word after it, or nullptr
    int count;                      // number of fields
    line_field fields[LINE_FIELDS_MAX];
    bool blank_at_end;
};

// What a line of a kind's form is inside a table block.
enum table_part : uint8_t {
    TABLE_PART_NONE,    // an item of its own, as outside the block
    TABLE_PART_CELL,    // a cell of the open table
    TABLE_PART_MERGE,   // a merge line of the open table
};

struct kind_form {
    item_kind kind;
    const char* name;       // for messages and tests
    range_id range;         // its slots (variables: by their code); RANGE_NONE: no line makes one
    item_shape shape;
    table_part in_table;
    line_form line;
};

// All rows, indexed by kind; a line of a keyword several kinds share reads
// as the first row that fits it.
extern const kind_form kind_forms[KIND_COUNT];

// The row of a kind (a value past the kinds gives the text's row).
const kind_form& form_of(item_kind kind);

// Bounds a field's number must keep; `number` is false for fields that
// are no number the reader takes (fixed words, unread numbers).
struct field_bounds {
    bool number;
    int64_t lo, hi;
};
// Largest position or length, in dots, that a line may give.
constexpr int64_t SCRIPT_COORD_MAX = 1000000;
constexpr int SCRIPT_SPEED_BASE = 30;   // a scrolling text's line holds 30 - speed
field_bounds bounds_of(const line_field& f);

// The value of the first field of kind `field` among a line's numbers, 0 when
// the form has none.
int64_t field_value(const line_form& f, const int64_t* v, line_field_kind field);

// The numbers of the item's line of form `f`, one per field.
void item_numbers(const line_form& f, const item& it, int64_t* v);
// The reader's side of the same fields: set the item from the numbers of its
// row's form, then the sizes its shape keeps twice.
void store_numbers(item& it, const kind_form& r, const int64_t* v);

// Append a line of form `f` with the numbers `v` (one per field; fixed words
// take none of theirs).
void write_line(std::string& out, const line_form& f, const int64_t* v);

// First number of an insmod line: the slot + INSMOD_RECORD_BASE; of the two
// extra lines of a temperature or humidity item, + INSMOD_EXTRA_BASE.
constexpr int INSMOD_RECORD_BASE = 20;
constexpr int INSMOD_EXTRA_BASE = 1020;
// Second number of the main line and of the extra lines (never read back).
constexpr int INSMOD_SECOND = 800;
constexpr int INSMOD_EXTRA_SECOND = 20;
// Colour of a merge line inside a table block: how the reader tells it.
constexpr int TABLE_MERGE_COLOUR = 255;

// The numbers of an insmod line by name: the positions x and y in dots.
struct insmod_values {
    int64_t record, second, color, x, y, code, digits, size, thickness, data_type, decimals;
};
// The form of insmod lines (the variables' row).
const line_form& insmod_form();
// The line's numbers in field order, and back.
void insmod_numbers(const insmod_values& in, int64_t* v);
insmod_values insmod_from_numbers(const int64_t* v);
// Append the insmod line of these numbers.
void write_insmod_line(std::string& out, const insmod_values& in);

// The form of the lines that are parts of a table block: a cell has the
// table's own form, a merge line the form of the first row that takes
// merges (TABLE_PART_MERGE).
const line_form& table_part_form(table_part part);
