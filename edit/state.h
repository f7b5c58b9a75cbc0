/*******************************************************************************
 * edit/state.h - the interaction state shared by the input handlers and the frame
 *
 * Plain globals, one instance each, written by the mouse and key handlers and
 * read by the frame routine. NO_ITEM (or any value above LAST_ITEM_INDEX) in
 * current_unit and current_string means "no current item"; NO_BUTTON means
 * no button.
 *
 * Depends on: model/tables (the record sentinels). Does NOT: act on the state (edit/press.cpp,
 * edit/motion.cpp, edit/hover.cpp and edit/keys.cpp do).
 ******************************************************************************/
#pragma once
#include "items/handles.h"     // resize_handle's values
#include "model/tables.h"
#include "platform/screen.h"   // window_pos
#include <cstdint>

// The four rows of tool buttons, indexing row_hover/row_pressed/row_down.
enum { ROW_DELETE = 0, ROW_COMMAND = 1, ROW_SPAN = 2, ROW_ALIGN = 3, ROW_COUNT = 4 };

// Values the handlers write into the state.
constexpr int32_t RIGHT_PRESS_UNIT = 599;    // current_unit after a right press
constexpr int32_t RIGHT_PRESS_LED = 99;      // current_led after a right press
constexpr int32_t RIGHT_PRESS_GRAPH = 10000; // current_graph after a right press
constexpr int32_t ROW_RESET_MARK = 12;       // "no slot" written by presses on items
constexpr int32_t NO_HOVER = -1;             // hover index when no button is under the pointer
constexpr int32_t TOP_BAND_BOTTOM = 145;     // presses at or above keep the selection


extern int32_t current_unit;
extern int32_t current_string;
extern int32_t current_led[2];
extern int32_t current_graph;
extern int32_t multi_select;
extern int32_t merge_mode;
extern int32_t sel_box[4];        // left, top, width, height
// The item sel_box is taken from: its table (SEL_REF_*) and index; sel_box
// follows that item wherever it goes.
enum : int32_t { SEL_REF_NONE = 0, SEL_REF_UNIT = 1, SEL_REF_TEXT = 2 };
extern int32_t sel_ref[2];
extern int32_t drag_offset[2];
extern int32_t cursor_prev[2];
extern int32_t cursor_now[2];
extern int32_t pointer_pos[2];
extern int32_t left_down;
extern int32_t unit_drag;
extern int32_t string_drag;
extern int32_t empty_press;
extern int32_t band_active;
extern int32_t resize_handle;
extern int32_t window_size[2];    // outer size: client size plus 16 x 40
extern int32_t band_rect[4];      // left, top (px), width, height (dots)
extern int32_t row_hover[ROW_COUNT];
extern int32_t row_pressed[ROW_COUNT];
extern int32_t row_down[ROW_COUNT];
extern int32_t show_coords;

// Give every variable above its value at start (tests start from here).
void reset_interaction_state();
