/*******************************************************************************
 * items/kinds.h - the table of item kinds
 *
 * One row per kind of Digit_unit record says everything the rest of the
 * program asks about that kind: how its geometry is measured, hit, resized
 * and rescaled, how it is drawn, and which property buttons it has. Its
 * record range (and so its palette place), shape and script line live in
 * the kind's row of model/line_forms, which the script writer and reader
 * use too; form() reaches it. Code elsewhere looks a kind up here instead
 * of listing kinds.
 *
 * Limits: kinds are the values of Digit_unit::kind; a value without a row
 * (7, or above KIND_VALVE) gets no_kind: drawn as nothing, hit inside its
 * box, no script line, no resize.
 * Depends on: model/tables, model/line_forms (ranges, shapes, script lines).
 * Does NOT: draw, read or write anything itself; the functions it points to
 * do (items/graphic_items.cpp for figures, tables and valves,
 * items/digit_item.cpp for variables).
 ******************************************************************************/
#pragma once
#include "model/default_layout.h"
#include "model/line_forms.h"
#include "model/tables.h"
#include <cstdint>

// The property buttons a kind has beyond the common ones.
enum extra_buttons : uint8_t {
    EXTRA_NONE,     // colour, size, address and the like only
    EXTRA_BOX,        // positions 4..7: width and height by one dot
    EXTRA_GRID,       // positions 4..11: rows, columns, width, height of cells
    EXTRA_VALVE,      // positions 4..5: the threshold
    EXTRA_VARIABLE,   // positions 0..1: the size of a composite field
};

struct item_kind {
    uint8_t kind;           // Digit_unit::kind of the row
    const char* name;       // for messages and tests
    bool register_caption;  // shows "寄存器:4x4NNNN" when selected
    bool all_buttons;       // shows every property button, else the figure few
    extra_buttons buttons;
    // Draw the record in its unselected or selected look.
    void (*draw)(Digit_unit& u, bool selected);
    bool under_others = false;      // drawn before every other item, so they stand on it
    // Set width and height from the other fields (and the zoom), for kinds
    // whose size follows what they show; nullptr: the fields are the size.
    // The selected look of a weekday or wind field keeps the size it had.
    void (*measure)(Digit_unit& d, bool selected) = nullptr;
    // Resize by handle h (items/handles.h) dragged by dx, dy; nullptr: the
    // kind offers no resize handles.
    void (*resize)(Digit_unit& d, int h, int dx, int dy) = nullptr;
    // Rescale the sizes from pitch `from` to `to` before x and y move with
    // the zoom; nullptr: nothing to rescale (measured from the zoom).
    void (*rescale)(Digit_unit& d, int from, int to) = nullptr;
    // The rectangle whose edges and corners are its resize handles, false
    // when it has none now; nullptr: its x, y, width and height.
    bool (*handle_box)(const Digit_unit& d, int32_t box[4]) = nullptr;

    // Offers resize handles on hover and takes them.
    bool resizable() const { return resize != nullptr; }

    // Its record range, shape and script line (model/line_forms).
    const kind_form& form() const { return form_of(kind); }
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

// Call `visit(index)` for every visible Digit_unit in drawing order: the kinds
// drawn under the others first (tables), then the rest, each by index.
template <class Visit>
void for_each_unit_in_drawing_order(Visit visit)
{
    for (int pass = 0; pass < 2; pass++)
        for (int i = 0; i < DIGIT_COUNT; i++) {
            const Digit_unit& d = digit_table[i];
            if (d.visible && kind_of(d).under_others == (pass == 0)) visit(i);
        }
}

// The rectangle of a record's resize handles: false when its kind does
// not resize or has no handles now.
bool resize_handle_box(const Digit_unit& d, int32_t box[4]);

// The measured box of a record: what its hit test, its handles and its
// description use, from its fields alone.
struct item_box {
    int64_t left, top, width, height;
};
item_box measure_item(const Digit_unit& d);
