/*******************************************************************************
 * items/kinds.h - the table of item kinds: how each kind is drawn, measured and resized
 *
 * One row per kind, indexed by the kind, says everything the rest of the
 * program asks about that kind's behaviour: how it is drawn (plain and
 * selected), the box it covers in dots, how its resize handles change it,
 * which property buttons it shows and what they are for. Its slots and its
 * script line are the document's (model/kind_forms). Code elsewhere looks a
 * kind up here instead of listing kinds.
 *
 * Drawing takes an item and where it stands in the window: its corner's
 * pixel (the view's mapping of its dots, or a palette cell) and the pitch.
 * A selected item also gets what the interaction shows of it: the caret of
 * a text, the picked cells of a table, and whether its buttons and
 * description show. While the panel plays, an item also gets what it shows
 * at that moment (play/engine's play_show): a switched text that is off
 * draws nothing, a scrolling text draws its content where it stands,
 * clipped to its box, and a variable draws the cells of its value.
 *
 * Limits: boxes and positions are 64-bit; pixels are held to the 32-bit range.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide what is selected or where the view is; read input.
 ******************************************************************************/
#pragma once
#include "items/buttons.h"
#include "model/document.h"
#include "play/engine.h"
#include "platform/system.h"
#include <cstdint>

// A box in dots: corner and size.
struct dot_box {
    int64_t x, y, w, h;
};

// What the interaction shows of a selected item.
// Which of a selected item's controls a call draws (the frame keeps them apart).
enum control_parts : uint8_t { CONTROL_LINES = 1, CONTROL_NUDGES = 2, CONTROL_PROPS = 4, CONTROL_ALL = 7 };

struct selection_look {
    bool description = true;    // its description line, position and nudge buttons (not in a group)
    bool buttons = true;        // its property and nudge buttons (the item whose buttons act)
    const button_marks* prop = nullptr;    // pressed and hovered property button
    const button_marks* nudge = nullptr;   // and nudge button
    int caret = -1;             // a text's caret, a byte offset (-1: at its end)
    int sel_col = NO_BUTTON, sel_row = NO_BUTTON;    // a table's picked cell
    int span_col = NO_BUTTON, span_row = NO_BUTTON;  // and its span cell (merging)
    uint8_t controls = CONTROL_ALL;                  // the controls a call draws
};

// Where and how one item is drawn.
struct item_draw_ctx {
    const document* doc = nullptr;  // the valve pictures, the panel's size
    int32_t x = 0, y = 0;           // window pixel of the item's corner (the centre of a circle)
    int pitch = 2;
    local_time now = {};            // the clock clock and calendar fields show
    bool selected = false;
    bool sample = false;            // drawn as a palette sample (a valve shows "BMP")
    const play_show* show = nullptr; // what the item shows at the moment played (null: its
                                     // design look, a lunar field its date at `now`)
    selection_look look;
};

// The property buttons a kind has beyond the common ones.
enum extra_buttons : uint8_t {
    EXTRA_NONE,       // colour, size, address and the like only
    EXTRA_BOX,        // positions 4..7: width and height by one dot
    EXTRA_GRID,       // positions 4..11: rows, columns, width, height of cells
    EXTRA_VALVE,      // positions 4..5: the threshold
    EXTRA_VARIABLE,   // positions 0..1: the size of a composite field
    EXTRA_TEXT,       // the sixteen buttons of a text
};

struct item_behaviour {
    item_kind kind;
    bool register_caption;      // shows "寄存器:4x4NNNN" when selected
    bool all_buttons;           // shows every property button, else the first four
    extra_buttons buttons;
    bool under_others;          // drawn before every other item, so they stand on it
    // Draw the item in its plain or selected look (ctx.selected).
    void (*draw)(const item& it, const item_draw_ctx& ctx);
    // The box it covers, in dots, from its fields alone.
    dot_box (*measure)(const item& it);
    // Resize by handle h (items/handles.h) moved by dx, dy dots; nullptr: the
    // kind offers no resize handles.
    void (*resize)(item& it, int h, int64_t dx, int64_t dy, int sel_col, int sel_row) = nullptr;

    // Offers resize handles on hover and takes them.
    bool resizable() const { return resize != nullptr; }
};

// All rows, indexed by kind.
extern const item_behaviour item_kinds[KIND_COUNT];

// The row of a kind (a value past the kinds gives the text's row).
const item_behaviour& kind_of(item_kind kind);
inline const item_behaviour& kind_of(const item& it) { return kind_of(it.kind); }

// The box an item covers in dots (its hit area and handles' box), from its
// fields alone; with the document, a static text's box stops at the panel's
// right edge (a text standing beyond it keeps its measure).
dot_box measure_item(const item& it);
dot_box measure_item(const document& d, const item& it);
// The box its resize handles go by (a table: its picked cell); false when it
// has none now.
bool resize_handle_box(const document& d, const item& it, int sel_col, int sel_row, dot_box& out);

// Draw an item in its plain look, or selected (its outline, caret or caption).
void draw_item(const item& it, const item_draw_ctx& ctx);
// The controls of a selected item, at fixed window places and UI_PITCH
// whatever the view: the description line, the position and nudge buttons,
// the property buttons, as the look asks.
void draw_selection_controls(const item& it, const item_draw_ctx& ctx);

// How many property buttons a selected item shows.
int shown_prop_buttons(const item& it);
