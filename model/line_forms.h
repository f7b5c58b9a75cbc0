/*******************************************************************************
 * model/line_forms.h - the script line of every item kind
 *
 * One row per kind of Digit_unit record says how its items stand in the
 * script: the record range a line fills, the shape its numbers describe, and
 * its line form (the command word, the keyword and the fields). The writer
 * (output/script_export) formats a record's line from these fields and the
 * reader (command/led_command, command/insmod_command) takes the same fields
 * back, with the same names and bounds; record_numbers and store_numbers,
 * side by side here, are the two directions of each field, so the two
 * cannot drift apart.
 *
 * Limits: at most LINE_FIELDS_MAX fields a line; a kind without a row gets
 * no_form (no line, no range).
 * Depends on: model/tables (kinds), model/default_layout (record ranges),
 * model/geometry and model/settings (dots and pixels).
 * Does NOT: split or check lines (command/ does), take records, or draw.
 ******************************************************************************/
#pragma once
#include "model/default_layout.h"
#include "model/tables.h"
#include <cstdint>
#include <string>

// How a kind's x, y, width and height describe what it covers.
enum item_shape : uint8_t {
    SHAPE_NONE,     // no kind: its box, drawn as nothing
    SHAPE_POINT,    // a square block of `height` px at (x, y)
    SHAPE_HLINE,    // from (x, y) `width` px to the right
    SHAPE_VLINE,    // from (x, y) `height` px down
    SHAPE_ROUND,    // centre (x, y), radius `height` (also kept in `size`)
    SHAPE_BOX,      // corner (x, y), `width` x `height`
    SHAPE_GRID,     // corner (x, y), columns and rows of cells
    SHAPE_CONTENT,  // corner (x, y), sized by what it shows at the current zoom
};

// What one field of a script line holds. Dots are panel dots.
enum line_field_kind : uint8_t {
    FIELD_COLOUR,       // colour code 0..255
    FIELD_X,            // x of the corner or centre
    FIELD_Y,            // y of the corner or centre
    FIELD_RIGHT,        // x + width
    FIELD_BOTTOM,       // y + height
    FIELD_BOTTOM_APART, // y + height, at least one dot below y
    FIELD_X_AGAIN,      // x once more (the end of a vertical line)
    FIELD_Y_AGAIN,      // y once more (the end of a horizontal line)
    FIELD_HEIGHT_DOTS,  // height in whole dots (a radius, a block's side)
    FIELD_CODE,         // reg_addr as it is (fill pattern, picture number)
    FIELD_VALVE,        // the valve threshold
    // The fields of an insmod line.
    FIELD_WORD,         // a fixed word, the field's name; written, not read
    FIELD_RECORD,       // record index + a base, 0 and up
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
    LINE_SINGLE,    // one line of its form (none when the form has no keyword)
    LINE_INSMOD,    // an "insmod" line, and two more for some codes
    LINE_TABLE,     // "led begin r", a line of its form per cell, merges, "led end r"
};

// A script line form: COMMAND [KEYWORD] F1 .. Fn and CR LF, with a blank
// before the CR LF when `blank_at_end`. Each field is one number, or the
// fixed word of a FIELD_WORD.
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
    uint8_t kind;           // Digit_unit::kind of the row
    int range;              // range_id of its records, -1 when a line makes none
    const char* range_noun; // in "the <noun> range is full"
    item_shape shape;
    table_part in_table;
    line_form line;
};

// All rows, in kind order; a line of a keyword several kinds share reads
// as the first row that fits it.
extern const kind_form kind_forms[];
extern const int kind_form_count;
extern const kind_form no_form;

// The row of a kind; no_form for a value without one.
const kind_form& form_of(uint8_t kind);

// Bounds a field's number must keep; `number` is false for fields that
// are no number the reader takes (fixed words, unread numbers).
struct field_bounds {
    bool number;
    int64_t lo, hi;
};
// Largest position or length, in dots, that a line may give.
constexpr int64_t SCRIPT_COORD_MAX = 1000000;
field_bounds bounds_of(const line_field& f);

// The value of the first field of kind `field` among a line's numbers, 0 when
// the form has none.
int64_t field_value(const line_form& f, const int64_t* v, line_field_kind field);

// Where a record's pixels stand in dots: dot = (offset + pixel) / pitch,
// rounded down (the offsets turn item pixels into a panel unit's pixels).
struct dot_frame {
    int64_t ox, oy;
    int p;
};
// The numbers of the record's line of form `f`, one per field.
void record_numbers(const line_form& f, const Digit_unit& d, const dot_frame& u, int64_t* v);
// The reader's side of the same fields: set the record from the numbers of
// its row's form (dots of the script, placed with dot_to_screen_x/y and
// led_pitch), then the sizes its shape keeps twice.
void store_numbers(Digit_unit& d, const kind_form& r, const int64_t* v);

// Append a line of form `f` with the numbers `v` (one per field; fixed words
// take none of theirs).
void write_line(std::string& out, const line_form& f, const int64_t* v);

// First number of an insmod line: the record index + INSMOD_RECORD_BASE;
// of the two extra lines of a temperature or humidity item, + INSMOD_EXTRA_BASE.
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
