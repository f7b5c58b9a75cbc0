/*******************************************************************************
 * edit/state.cpp - initial values of the interaction state
 ******************************************************************************/
#include "edit/state.h"
#include "model/tables.h"

int32_t current_unit = NO_ITEM;
int32_t current_string = NO_STRING_AT_START;
int32_t current_led[2] = {100, 100};
int32_t current_graph = 100;
int32_t multi_select = 0;
int32_t merge_mode = 0;
int32_t sel_box[4] = {0, 0, 0, 0};
int32_t sel_ref[2] = {SEL_REF_NONE, 0};
int32_t drag_offset[2] = {0, 0};
int32_t cursor_prev[2] = {0, 0};
int32_t cursor_now[2] = {0, 0};
int32_t pointer_pos[2] = {0, 0};
int32_t left_down = 0;
int32_t unit_drag = 0;
int32_t string_drag = 0;
int32_t empty_press = 0;
int32_t band_active = 0;
int32_t resize_handle = 0;
int32_t window_size[2] = {0, 0};
int32_t band_rect[4] = {0, 0, 0, 0};
int32_t row_hover[ROW_COUNT] = {100, 100, 100, 100};
int32_t row_pressed[ROW_COUNT] = {100, 100, 100, 100};
int32_t row_down[ROW_COUNT] = {0, 0, 0, 0};
int32_t show_coords = 0;

// The values above, again.
void reset_interaction_state()
{
    current_unit = NO_ITEM;
    current_string = NO_STRING_AT_START;
    current_led[0] = current_led[1] = NO_BUTTON;
    current_graph = NO_BUTTON;
    multi_select = merge_mode = 0;
    for (int i = 0; i < 4; i++) sel_box[i] = band_rect[i] = 0;
    sel_ref[0] = SEL_REF_NONE;
    sel_ref[1] = 0;
    for (int i = 0; i < 2; i++) drag_offset[i] = cursor_prev[i] = cursor_now[i] = pointer_pos[i] = 0;
    left_down = unit_drag = string_drag = empty_press = band_active = resize_handle = 0;
    window_pos[0] = window_pos[1] = 50;
    window_size[0] = window_size[1] = 0;
    for (int r = 0; r < ROW_COUNT; r++) {
        row_hover[r] = row_pressed[r] = NO_BUTTON;
        row_down[r] = 0;
    }
    show_coords = 0;
}
