/*******************************************************************************
 * items/buttons.h - drawing buttons and rows of buttons
 *
 * A button is a menu_unit: its label's base point (x, y) and its size w x h in
 * units of led_pitch. Its rectangle runs from (x - p, y + p*(h/4 + 2)) to
 * (x + p*(w - 1), y - p*h), p = led_pitch, so it scales with the zoom around
 * the base point. Three looks: normal, pressed and highlighted (hover).
 *
 * Does NOT: hit-test buttons or act on presses (the input handlers do).
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Corners of the button rectangle: left, top, right, bottom in window pixels.
void button_rect(const menu_unit& b, int& left, int& top, int& right, int& bottom);

void draw_button(const menu_unit& b);
void draw_button_pressed(const menu_unit& b);
void draw_button_hover(const menu_unit& b);

// The row rule for slot k: pressed when k == pressed and down is set, else normal;
// then highlighted again when k == hover.
void draw_row_button(const menu_unit* row, int k, int hover, int pressed, int down);
