/*******************************************************************************
 * model/button_rows.h - the window's rows of tool buttons
 *
 * Gives the delete, command, align and span rows their labels and places:
 * only the slots with a label are drawn and react to presses. Each labelled
 * button is sized so that its rectangle (items/buttons.h: w x h in units of
 * led_pitch around the label's base point) covers its label at the pitch in
 * use; drawing, hover and press all read that same w and h.
 *
 * Limits: the label width is estimated from its GBK bytes, half an em per
 * byte, at the em of its screen face; the rows do not overlap up to pitch 10.
 * Depends on: model/tables, model/settings (led_pitch), platform/gbk.
 * Does NOT: draw buttons or test presses.
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Pixels per em of the screen face a label of `label_size` is drawn with.
int label_em_px(int label_size);

// Width in pixels of a GBK label drawn at `label_size`.
int label_width_px(const char* gbk, int label_size);

// Place and label the tool-button rows, size them, and reset the align row's press state.
void layout_button_rows();

// Size every labelled tool button for the current led_pitch (cheap; call
// after the pitch changes and before the rows are drawn or hit-tested).
void fit_tool_buttons();

// Size one button so its rectangle covers its label at pitch p.
void fit_tool_button(menu_unit& b, int p);
