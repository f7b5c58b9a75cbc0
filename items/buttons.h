/*******************************************************************************
 * items/buttons.h - the window's buttons: where they are, what they say, how they look
 *
 * A button has its label's base point (x, y) and a size w x h in units of the
 * pitch: its rectangle runs from (x - p, y + p*(h/4 + 2)) to (x + p*(w - 1),
 * y - p*h), so it scales with the zoom around the base point. Three looks:
 * normal, pressed and highlighted (hover).
 *
 * Two families:
 *   - tool rows: "删除所选" (delete), "保存数据" and "关闭窗口" (command),
 *     "合并" and "拆分" (span), and the six alignment buttons (align), each
 *     sized to cover its label at the pitch in use;
 *   - the selection's buttons: four nudge buttons and a row of property
 *     buttons (16 on a text, 14 on the other kinds, some relabelled by kind),
 *     all placed from one anchor point. There is one set, for whichever item
 *     is selected; which are pressed or hovered is the interaction's state.
 *
 * Limits: ROW_SLOTS slots a tool row; only labelled slots are drawn or hit.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide what a button does (edit/ does) or which ones show.
 ******************************************************************************/
#pragma once
#include "model/item.h"
#include <cstdint>

constexpr int ROW_SLOTS = 10;          // slots of a tool row
constexpr int PROP_BUTTONS = 16;       // property buttons of a text
constexpr int UNIT_PROP_BUTTONS = 14;  // of any other item
constexpr int NUDGE_BUTTONS = 4;       // "X+", "X-", "Y+", "Y-"
constexpr int LABEL_LEN = 100;
constexpr int NO_BUTTON = 100;         // "no button" in the pressed and hover marks
constexpr int NO_HOVER = -1;

struct button {
    int32_t x = 0, y = 64;     // base point of the label, window pixels
    int32_t w = 6, h = 6;      // size in units of the pitch
    int32_t label_size = 36;   // screen-text size of the label
    char label[LABEL_LEN] = {};   // GBK
    float fill[3] = {0.2f, 0.2f, 0.2f};
};

// Which button of a row shows pressed or highlighted.
struct button_marks {
    int32_t hover = NO_BUTTON;
    int32_t pressed = NO_BUTTON;
    int32_t down = 0;          // the pressed one is held
};

// ---- tool rows ---------------------------------------------------------------------

enum tool_row_id : int { ROW_DELETE = 0, ROW_COMMAND = 1, ROW_SPAN = 2, ROW_ALIGN = 3, ROW_COUNT = 4 };
constexpr int DELETE_SLOT = 2, SAVE_SLOT = 2, CLOSE_SLOT = 7, FIT_SLOT = 4, SIM_SLOT = 5, MERGE_SLOT = 0, SPLIT_SLOT = 1;
enum align_slot : int { ALIGN_LEFT, ALIGN_RIGHT, ALIGN_TOP, ALIGN_BOTTOM, SAME_WIDTH, SAME_HEIGHT, ALIGN_SLOTS };

// The slots of a tool row in a window `window_w` pixels wide, sized for
// UI_PITCH: the delete, save and close buttons keep their distance from the
// window's right edge (their places are for a window TOOL_DESIGN_W wide).
constexpr int TOOL_DESIGN_W = 1310;   // the close button ends inside a window of the least width
const button* tool_row(tool_row_id row, int window_w);

// Pixels per em of the screen face a label of `label_size` is drawn with.
int label_em_px(int label_size);
// Width in pixels of a GBK label drawn at `label_size`.
int label_width_px(const char* gbk, int label_size);

// ---- the selection's buttons ------------------------------------------------------------

// Where the selection's buttons and description line are placed from.
constexpr int SELECTION_ANCHOR_X = 500, SELECTION_ANCHOR_Y = 100;

// The nudge buttons of a text or of another item (they differ in colour).
const button* nudge_buttons(bool text);
// The property buttons of an item of this kind: its own labels where its kind
// relabels a position (rectangles, tables, valves).
const button* prop_buttons(item_kind kind);

// ---- drawing and hitting ------------------------------------------------------------------

// Corners of the button rectangle at `pitch`: left, top, right, bottom in window pixels.
void button_rect(const button& b, int pitch, int& left, int& top, int& right, int& bottom);

void draw_button(const button& b, int pitch);
void draw_button_pressed(const button& b, int pitch);
void draw_button_hover(const button& b, int pitch);
// The row rule for slot k: pressed when k is the pressed one and held, else
// normal; then highlighted again when k is hovered.
void draw_row_button(const button* row, int k, const button_marks& m, int pitch);

// lo < v < hi, never true when lo is negative.
bool strictly_between(int64_t v, int64_t lo, int64_t hi);
// Tool-button test: x - p < px < x + (w - 1)p and y - hp < py < y + (h/4 + 2)p;
// a slot without a label is never hit.
bool tool_button_hit(const button& b, int pitch, int px, int py);
// Item-button test (nudge and property buttons): x < px < x + wp, y - hp < py < y.
bool item_button_hit(const button& b, int pitch, int px, int py);
