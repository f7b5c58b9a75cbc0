/*******************************************************************************
 * model/tables.h - the fixed tables of item records
 *
 * Every item the user can place already exists as a record of one of these
 * tables; an item is live while its `visible` flag is set. The tables are
 * plain global arrays constructed once before start-up and never grown,
 * shrunk or reallocated, so an item's identity is its table and index.
 *
 * Each record class has exactly one virtual operation, its destructor. The
 * records embed their own property and nudge buttons as `menu_unit` arrays.
 * Texts are fixed NUL-terminated arrays of GBK bytes.
 *
 * Does NOT: draw anything, give records their kinds or palette places (the
 * default layout does that), or know about files.
 ******************************************************************************/
#pragma once
#include <cstdint>

// Table capacities.
constexpr int DIGIT_COUNT = 430;    // Digit_unit records
constexpr int STRING_COUNT = 430;   // string_draw records
constexpr int GRAPH_COUNT = 10;     // graph_draw records (pictures)
constexpr int ROW_SLOTS = 10;       // buttons in a tool-button row
constexpr int LED_UNIT_COUNT = 256; // led_unit records
constexpr int LED_UNITS_PER_ROW = 32; // led_unit records per row of units
constexpr int NO_BUTTON = 100;      // "no button" / "no cell" sentinel

// Record indices with a meaning of their own, the same in both item tables.
constexpr int LAST_ITEM_INDEX = 428;            // highest index a real item may have
constexpr int NO_ITEM = LAST_ITEM_INDEX + 1;    // "no current item" and the phantom anchor of group drags
constexpr int NO_STRING_AT_START = STRING_COUNT; // current_string before any press
static_assert(NO_ITEM < DIGIT_COUNT && NO_ITEM < STRING_COUNT, "the phantom record lies inside both tables");
constexpr int32_t DELETED_Y = 2000;               // y of a deleted item, below the window

// The text a new text item starts with; the first character typed replaces it.
constexpr const char* TEXT_PLACEHOLDER = "Txt";

// Field capacities (bytes, including the terminating NUL).
constexpr int LABEL_LEN = 100;
constexpr int TEXT_LEN = 512;
constexpr int DRAW_COPY_LEN = 500;
constexpr int BMP_PATH_LEN = 300;
constexpr int TABLE_MAX = 50;       // columns, rows and merges of a table
constexpr int PROP_BUTTONS = 16;
constexpr int NUDGE_BUTTONS = 4;

// Copy a NUL-terminated string into a fixed field, always terminating it.
void copy_field(char* dst, int cap, const char* src);
// Format into a fixed field of `cap` bytes, cutting what does not fit. Returns
// the length the full text would have had (as snprintf).
int format_field(char* dst, int cap, const char* fmt, ...) __attribute__((format(printf, 3, 4)));

// A button: its label's base point, its size in units of led_pitch, its caption.
class menu_unit {
public:
    menu_unit();
    virtual ~menu_unit() {}
    int32_t x, y;
    int32_t w, h;
    int32_t slot;
    int32_t label_size;
    char label[LABEL_LEN];
    float fill_r, fill_g, fill_b;
};

// A text item (static or scrolling, always shown or switched by a register).
class string_draw {
public:
    string_draw();
    virtual ~string_draw() {}
    uint8_t visible;
    int32_t owner;
    int32_t x, y;
    int32_t anchor_x, anchor_y;
    uint8_t font_size;
    uint8_t font_step;
    uint8_t reg_addr;
    uint8_t text_ready;
    uint8_t group_selected;
    int32_t box_width, box_height;
    int32_t speed;
    int32_t aux;
    int32_t color;
    float frame_rgb[3];
    int32_t text_len;
    int32_t line_chars, max_line_chars, line_count;
    char text[TEXT_LEN];
    char draw_copy[DRAW_COPY_LEN];
    uint8_t mode;
    uint8_t direction;
    int32_t aux2;
    menu_unit prop_buttons[PROP_BUTTONS];
    int32_t prop_pressed, prop_hover, prop_down;
    menu_unit nudge_buttons[NUDGE_BUTTONS];
    int32_t nudge_pressed, nudge_hover, nudge_down;
};

// One merged pair of table cells: the grid-line piece the merge removes.
struct merge_record {
    int32_t flag;             // 8-bit flag kept in a 32-bit slot; set = in use
    int32_t x0, y0, x1, y1;   // table x/y minus the absolute ends of the piece
    int32_t col, row;         // the left cell of the merged pair
};

// A variable item, shape, valve picture or table; `kind` says which.
class Digit_unit {
public:
    Digit_unit();
    virtual ~Digit_unit() {}
    uint8_t visible;
    int32_t x, y;
    int32_t anchor_x, anchor_y;
    int32_t width, height;
    int32_t font_px;
    int32_t data_type;
    int32_t size_preset;
    int32_t size;
    int32_t thickness;
    int32_t digits;
    uint8_t decimals;
    uint8_t color;
    uint8_t group_selected;
    int32_t reg_addr;
    uint8_t kind;
    int32_t col_width[TABLE_MAX];
    int32_t row_height[TABLE_MAX];
    uint8_t merge_count;
    merge_record merges[TABLE_MAX];
    int32_t sel_cell_x, sel_cell_y, span_cell_x, span_cell_y;
    uint8_t cols, rows;
    uint8_t sel_col, sel_row, span_col, span_row;
    menu_unit nudge_buttons[NUDGE_BUTTONS];
    int32_t nudge_pressed, nudge_hover, nudge_down;
    menu_unit prop_buttons[PROP_BUTTONS];
    int32_t button_count;
    uint8_t* bitmap;          // whole valve picture file, or none
    int32_t bitmap_len;       // its length in bytes, so readers stay inside it
    int32_t valve;
    int32_t prop_pressed, prop_hover, prop_down;
};

// Item kinds of Digit_unit.
enum : uint8_t {
    KIND_BLOCK = 0, KIND_LINE = 1, KIND_CIRCLE = 2, KIND_COLON = 3,
    KIND_VLINE = 4, KIND_RECT = 5, KIND_TABLE = 6, KIND_VARIABLE = 8,
    KIND_FILLED_RECT = 9, KIND_FILLED_CIRCLE = 10, KIND_VALVE = 11
};

// A picture (photograph) or the rubber band.
class graph_draw {
public:
    graph_draw();
    virtual ~graph_draw() {}
    int32_t left, top;
    int32_t pic_width, pic_height;
    int32_t has_picture;
    int32_t shown;
    uint8_t bmp_info[40];
    uint8_t bmp_header[14];
    int32_t texture_ready;
    float rgb[3];
    uint32_t texture;
    char bmp_path[BMP_PATH_LEN];
};

// A panel unit; record 0 is the panel itself.
class led_unit {
public:
    led_unit();
    virtual ~led_unit() {}
    int32_t x, y;
    int32_t w, h;
    int32_t col, row;
};

extern graph_draw rubber_band;
extern Digit_unit digit_table[DIGIT_COUNT];
extern graph_draw graph_table[GRAPH_COUNT];
// How many picture records are in use (saved with the layout); starts at PICTURES_AT_START.
constexpr int32_t PICTURES_AT_START = 4;
extern int32_t graph_count;
extern string_draw string_table[STRING_COUNT];
extern menu_unit delete_row[ROW_SLOTS];
extern menu_unit command_row[ROW_SLOTS];
extern menu_unit span_row[ROW_SLOTS];
extern menu_unit align_row[ROW_SLOTS];
extern led_unit led_table[LED_UNIT_COUNT];
