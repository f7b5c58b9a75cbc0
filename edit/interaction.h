/*******************************************************************************
 * edit/interaction.h - what the user is doing: selection, gesture, buttons, status
 *
 * The third of the designer's three named objects, beside the document (what
 * is edited) and the view (where it shows). It holds the selection (the
 * current item, the group, the alignment reference, the table's picked
 * cells), the gesture under way (press, drag, resize, rubber band, window
 * move), the marks of the buttons, the status line, the copy of Ctrl+C, the
 * typing caret, the prompts, and the undo history. The input handlers take
 * an editor (the three together) and change what they need.
 *
 * Limits: ITEM_CAPACITY group members (one flag per pool cell).
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: act (edit/press, edit/motion, edit/hover, edit/keys do), or draw.
 ******************************************************************************/
#pragma once
#include "edit/close_prompt.h"
#include "edit/status.h"
#include "edit/undo.h"
#include "items/buttons.h"
#include "model/document.h"
#include "play/values.h"
#include "raster/view.h"
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>

// What a press started, carried on by the motion handler until the release.
enum gesture_kind : uint8_t {
    GESTURE_NONE,
    GESTURE_DRAG,          // moving the current item or the group
    GESTURE_RESIZE,        // a handle of the current item, or the window's edge
    GESTURE_BAND,          // a rubber band picking a group
    GESTURE_WINDOW_MOVE,   // the window, by empty space off the panel
    GESTURE_BUTTON,        // a button held down
    GESTURE_PAN,           // the panel pulled by the middle button, or Space and the left
    GESTURE_SCROLL_BAR,    // a scroll bar's thumb
};

// One item moved by a drag, and the window pixel of its corner at the press.
struct moved_item {
    item_id id;
    int32_t px, py;
};

// The item Ctrl+C took: every Ctrl+V until the next Ctrl+C pastes one more copy.
struct item_copy {
    bool has = false;
    item it;
    int pastes = 0;          // copies made so far: each stands further right
};

// The caret of the text being edited.
struct text_caret_state {
    item_id id = NO_ITEM;
    int offset = -1;         // byte offset; -1: at the end
    int len = 0;             // the text's length when it was put there: changed by other means, it goes to the end
    bool after_backslash = false;   // the last key was a backslash typed at the caret
    item_id placeholder = NO_ITEM;  // a new text whose placeholder the first character replaces
    bool drop_next = false;  // the first byte of a double-byte character was dropped: drop its second too
};

// What the last look at the layout found, and what the overwrite question is about.
struct saving_state {
    uint32_t changes = UINT32_MAX;   // undo_changes() then
    uint32_t saves = 0;              // saves made then
    bool unsaved = false;
    uint32_t saved_status = 0;       // the status serial of the "已保存" shown
    uint32_t saves_made = 0;
    std::string asked_files;         // the files the overwrite question names
    bool end_after_save = false;     // and whether the program ends once the save succeeds
};

// The panel playing: since when, and where its values come from.
struct simulation {
    bool on = false;
    long long start_us = 0;                      // monotonic, when it was switched on
    std::unique_ptr<values_workspace> values;    // the workspace's values file and PLC (opened at start)
    std::string state_shown;                     // the source's state as the status line last said it
};

constexpr int COMPOSITION_UNITS = 128;
// The least client size of the window: every control fits, none overlaps another.
constexpr int WINDOW_MIN_W = 1300, WINDOW_MIN_H = 791;

struct interaction {
    // ---- selection
    item_id current = NO_ITEM;               // the item whose buttons act and that keys change
    std::bitset<ITEM_CAPACITY> group;        // group members
    item_id sel_ref = NO_ITEM;               // the item the alignment buttons line up with
    bool multi_select = false;               // F5: every click adds to the group
    bool merge_mode = false;                 // F8: a click on a table picks the span cell
    int sel_col = NO_BUTTON, sel_row = NO_BUTTON;     // the current table's picked cell
    int span_col = NO_BUTTON, span_row = NO_BUTTON;   // and its span cell
    bool show_coords = false;                // F4: the dot under the pointer

    // ---- the gesture under way
    gesture_kind gesture = GESTURE_NONE;
    bool left_down = false;
    int32_t press_x = 0, press_y = 0;        // window pixel of the press
    int64_t press_scroll_x = 0, press_scroll_y = 0;   // the view's scroll then
    bool middle_down = false;
    bool space_held = false;                 // Space is down (no text being typed): the left button pans
    bool bar_horizontal = false;             // the scroll bar a press took
    int32_t bar_grab = 0;                    // where along its thumb
    int32_t pointer_x = 0, pointer_y = 0;    // the pointer's last window pixel
    int resize_handle = 0;                   // which edge or corner (items/handles.h)
    item resize_from;                        // the item as it was at the press
    bool resize_window = false;              // the handle is the window's
    std::unique_ptr<moved_item[]> moved;     // what a drag moves, where it stood
    int moved_count = 0;
    item_id from_palette[3] = {NO_ITEM, NO_ITEM, NO_ITEM};   // new items a press took off the palette
    int32_t band_x = 0, band_y = 0;          // the rubber band's press point (window pixels)
    int32_t band_w = 0, band_h = 0;          // its signed extent in dots
    bool band_shown = false;
    bool band_next = false;                  // Ctrl+F: the next press starts a band wherever it falls
    int32_t window_x = 50, window_y = 50;    // the window's frame on the screen
    int32_t window_w = 0, window_h = 0;      // its outer size
    int32_t cursor_prev[2] = {0, 0};         // screen pointer at the last motion (window moves and resizes)

    // ---- buttons
    button_marks rows[ROW_COUNT];
    button_marks prop, nudge;                // the selection's buttons

    // ---- the rest
    status_line status;
    item_copy copy;
    text_caret_state caret;
    char16_t composition[COMPOSITION_UNITS] = {0};   // the input method's, for the frame to draw
    prompt_state prompt;
    saving_state saving;
    bool key_help_shown = false;
    int thickness_cycle = 0;                 // Page Up steps the thickness through 1, 2, 3
    undo_history_ptr undo;
    simulation sim;

    interaction();
};

// The three objects a handler works on.
struct editor {
    document& doc;
    view& v;
    interaction& ui;
};

// Give the interaction its values at start (tests start from here too).
void reset_interaction(interaction& ui);

// The current item when it is live, else null; the same for a text only.
item* current_item(editor& e);
item* current_text(editor& e);
// True when some item is in the group.
bool group_exists(const interaction& ui);
// True while a press, a drag or a held button is under way: its changes are
// not yet a step of their own.
bool gesture_under_way(const interaction& ui);
