/*******************************************************************************
 * edit/state.h - the interaction state shared by the input handlers and the frame
 *
 * Plain globals, one instance each, written by the mouse and key handlers and
 * read by the frame routine. 429 (or any value above 428) in current_unit and
 * current_string means "no current item"; 100 means no button.
 ******************************************************************************/
#pragma once
#include <cstdint>

// The four rows of tool buttons, indexing row_hover/row_pressed/row_down.
enum { ROW_DELETE = 0, ROW_COMMAND = 1, ROW_SPAN = 2, ROW_ALIGN = 3, ROW_COUNT = 4 };

extern int32_t current_unit;
extern int32_t current_string;
extern int32_t current_led[2];
extern int32_t current_graph;
extern int32_t multi_select;
extern int32_t merge_mode;
extern int32_t sel_box[4];        // left, top, width, height
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
extern int32_t window_pos[2];
extern int32_t window_size[2];
extern int32_t band_rect[4];
extern int32_t row_hover[ROW_COUNT];
extern int32_t row_pressed[ROW_COUNT];
extern int32_t row_down[ROW_COUNT];
extern int32_t show_coords;
extern int32_t graph_count;
