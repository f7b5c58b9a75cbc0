/*******************************************************************************
 * model/item.h - one item of the layout, in panel dots
 *
 * An item is what the user places on the panel: a text, a figure (point
 * block, line, circle, colon, vertical line, rectangle, filled rectangle,
 * filled circle), a table, a variable (register value, clock or calendar
 * field, counter, sensor) or a valve picture. Positions and sizes are LED
 * dots counted from the panel's top-left dot, the script's own unit; the view
 * maps them to pixels where it draws and hit-tests. Copying an item is an
 * assignment.
 *
 * Every item also has a slot: the number the script gives it. Texts
 * and the other kinds are numbered apart (ITEM_TABLE_TEXTS, ITEM_TABLE_UNITS),
 * 0..SLOT_COUNT-1 each; the script writes items in slot order and an insmod
 * line carries its slot.
 *
 * Limits: a text holds TEXT_LEN bytes with its NUL; a table TABLE_MAX
 * columns, rows and merges.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, measure in pixels, or know which slots are free (model/pool).
 ******************************************************************************/
#pragma once
#include <cstdint>

// The kinds of item, dense, so that tables can be indexed by them.
enum item_kind : uint8_t {
    KIND_TEXT,            // static or scrolling text, always shown or switched by a register
    KIND_BLOCK,           // a square block of dots
    KIND_LINE,            // a horizontal line
    KIND_CIRCLE,          // a circle outline
    KIND_COLON,           // two blocks, one above the other (written as a rectangle)
    KIND_VLINE,           // a vertical line
    KIND_RECT,            // a rectangle outline
    KIND_TABLE,           // a grid of cells with merged pairs
    KIND_VARIABLE,        // a number field: register, counter, sensor, clock or calendar field
    KIND_FILLED_RECT,     // a filled rectangle
    KIND_FILLED_CIRCLE,   // a disc
    KIND_VALVE,           // a valve picture drawn from its bitmap file
    KIND_COUNT
};

// The two numberings of the script.
enum item_table : uint8_t { ITEM_TABLE_TEXTS = 0, ITEM_TABLE_UNITS = 1, ITEM_TABLES = 2 };
constexpr int SLOT_COUNT = 429;           // slots 0..428 in each numbering
constexpr int16_t NO_SLOT = -1;

constexpr int TEXT_LEN = 512;             // bytes of a text, NUL included
constexpr int TABLE_MAX = 50;             // columns, rows and merges of a table

// The text a new text item starts with; the first character typed replaces it.
constexpr const char* TEXT_PLACEHOLDER = "Txt";

// Text modes and scrolling directions.
enum : uint8_t { TEXT_STATIC = 0, TEXT_SCROLLING = 1, TEXT_STATIC_SWITCHED = 2, TEXT_SCROLLING_SWITCHED = 3 };
constexpr int TEXT_MODE_MAX = 3;
constexpr int TEXT_DIRECTION_MAX = 6;

// A merged pair of cells: the grid-line piece between them that is not drawn,
// its ends in dots from the table's corner, and the left cell of the pair.
struct table_merge {
    int32_t col, row;
    int32_t x0, y0, x1, y1;
};

// The cells of a table: column widths and row heights in dots.
struct table_grid {
    uint8_t cols, rows;
    uint8_t merge_count;
    uint8_t spare;              // keeps the record free of padding
    int32_t col_w[TABLE_MAX];
    int32_t row_h[TABLE_MAX];
    table_merge merges[TABLE_MAX];
};

// The fields are laid out without padding, so two items compare byte for byte.
struct item {
    item_kind kind = KIND_TEXT;
    uint8_t color = 0;          // colour code 0..6 (7 and 255 are drawing modes)
    int16_t slot = NO_SLOT;     // record number in the script (see above)
    int32_t x = 0, y = 0;       // dots: the corner; the centre of a circle
    int32_t w = 0, h = 0;       // dots: a box's size, a line's length (w, or h when vertical),
                                // a block's side and a circle's radius (h)
    int32_t code = 0;           // component code of a variable, a text's register,
                                // a filled rectangle's pattern, a valve's picture number
    // Variables.
    int32_t size = 4;           // digit size: a cell is size dots wide, 2 x size high
    int32_t thickness = 1;      // stroke weight 1..3
    int32_t digits = 2;
    int32_t data_type = 0;      // value type 0..8
    int32_t font_px = 12;       // dot-matrix font size of weekday and wind fields
    int32_t size_preset = 1;    // their size step
    int32_t valve = 128;        // a valve picture's brightness threshold
    int32_t speed = 8;          // texts: the script stores 30 - speed
    uint8_t decimals = 0;       // digits left of the decimal point (0: none)
    // Texts.
    uint8_t font_size = 12;
    uint8_t font_step = 1;      // place on the font-size ladder
    uint8_t mode = TEXT_STATIC;
    uint8_t direction = 0;      // scrolling direction 0..6
    uint8_t spare = 0;          // keeps the record free of padding
    // The part of a date or time this part follows, or -1 (a pool id).
    int16_t lead = -1;
    union {
        char text[TEXT_LEN];    // texts: GBK with the inline codes, NUL-terminated
        table_grid grid;        // tables
    };

    item() : text{} {}
};
static_assert(sizeof(item) == 64 + sizeof(table_grid), "an item has no padding");

// The numbering a kind's slots belong to.
inline item_table table_of(item_kind k) { return k == KIND_TEXT ? ITEM_TABLE_TEXTS : ITEM_TABLE_UNITS; }

// Copy a NUL-terminated string into a fixed field, always terminating it.
void copy_field(char* dst, int cap, const char* src);
// Format into a fixed field of `cap` bytes, cutting what does not fit. Returns
// the length the full text would have had (as snprintf).
int format_field(char* dst, int cap, const char* fmt, ...) __attribute__((format(printf, 3, 4)));

// A text item's length in bytes.
int text_length(const item& t);
