/*******************************************************************************
 * items/kinds.h - the table of item kinds
 *
 * One row per kind of Digit_unit record says everything the rest of the
 * program asks about that kind: its record range and so its palette place,
 * its script line (keyword and fields, read by both the writer and the
 * reader), how its geometry is measured, hit, resized and rescaled, how it is
 * drawn, and which property buttons it has. Code elsewhere looks a kind up
 * here instead of listing kinds.
 *
 * Limits: kinds are the values of Digit_unit::kind; a value without a row
 * (7, or above KIND_VALVE) gets no_kind: drawn as nothing, hit inside its
 * box, no script line, no resize.
 * Depends on: model/tables, model/default_layout (record ranges).
 * Does NOT: draw, read or write anything itself; the functions it points to
 * do (items/graphic_items.cpp for figures, tables and valves,
 * items/digit_item.cpp for variables).
 ******************************************************************************/
#pragma once
#include "model/default_layout.h"
#include "model/tables.h"
#include <cstdint>

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

// The property buttons a kind has beyond the common ones.
enum extra_buttons : uint8_t {
    EXTRA_NONE,     // colour, size, address and the like only
    EXTRA_BOX,        // positions 4..7: width and height by one dot
    EXTRA_GRID,       // positions 4..11: rows, columns, width, height of cells
    EXTRA_VALVE,      // positions 4..5: the threshold
    EXTRA_VARIABLE,   // positions 0..1: the size of a composite field
};

// What one number of a script line holds. Dots are panel dots.
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
};

constexpr int LINE_FIELDS_MAX = 6;

struct line_field {
    uint8_t kind;       // line_field_kind
    const char* name;   // as the reader's messages name it
};

// How many lines an item takes in the script.
enum line_block : uint8_t {
    LINE_SINGLE,    // one line of its form (none when the form has no keyword)
    LINE_INSMOD,    // an "insmod" line, and two more for some codes
    LINE_TABLE,     // "led begin r", a line of its form per cell, merges, "led end r"
};

// A script line form: "led KEYWORD F1 .. Fn" and CR LF, with a blank before
// the CR LF when `blank_at_end`. The writer formats the fields from the record
// and the reader takes the same fields back, with the same names and bounds.
struct line_form {
    line_block block;
    const char* keyword;            // after "led "
    int count;                      // number of fields
    line_field fields[LINE_FIELDS_MAX];
    bool blank_at_end;
};

struct item_kind {
    uint8_t kind;           // Digit_unit::kind of the row
    const char* name;       // for messages and tests
    int range;              // range_id of its records, -1 when it has none
    item_shape shape;
    bool resizable;         // offers resize handles on hover and takes them
    bool register_caption;  // shows "寄存器:4x4NNNN" when selected
    bool all_buttons;       // shows every property button, else the figure few
    extra_buttons buttons;
    line_form line;
    // Draw the record in its unselected or selected look.
    void (*draw)(Digit_unit& u, bool selected);
    bool under_others = false;      // drawn before every other item, so they stand on it
    // Set width and height from the other fields (and the zoom), for kinds
    // whose size follows what they show; nullptr: the fields are the size.
    // The selected look of a weekday or wind field keeps the size it had.
    void (*measure)(Digit_unit& d, bool selected) = nullptr;
};

// The row of a kind; no_kind for a value without one.
const item_kind& kind_of(uint8_t kind);
const item_kind& kind_of(const Digit_unit& d);

// All rows, in kind order, for walks over every kind.
extern const item_kind item_kinds[];
extern const int item_kind_count;
extern const item_kind no_kind;

// Measure every visible record before a frame is drawn, so that drawing
// and hit tests use the same sizes and no drawing writes into a record:
// the kind's measure for Digit_units (selected: the current unit and the
// group), the line counts and box of static texts.
void measure_items(int current_unit, int current_string);

// The measured box of a record: what its hit test, its handles and its
// description use, from its fields alone.
struct item_box {
    int64_t left, top, width, height;
};
item_box measure_item(const Digit_unit& d);
