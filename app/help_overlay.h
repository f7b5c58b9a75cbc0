/*******************************************************************************
 * app/help_overlay.h - the F1 list of keys and mouse gestures, over the window
 *
 * While the interaction says the list is shown, a dark box over the panel
 * lists every key and gesture in two columns. Drawn last, over everything.
 *
 * Limits: a fixed box of HELP_BOX_W pixels from (HELP_BOX_X, HELP_BOX_Y),
 * one HELP_LINE_H line per entry; a window smaller than that cuts it.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: open or close the list (the key and mouse handlers do).
 ******************************************************************************/
#pragma once

constexpr int HELP_BOX_X = 240;        // window pixels of the box's corner
constexpr int HELP_BOX_Y = 60;
constexpr int HELP_BOX_W = 900;
constexpr int HELP_LINE_H = 20;        // one line of the list: the list fits the least window
constexpr int HELP_BASELINE_RAISE = 6; // a line's base line stands this far above its slot's foot
constexpr int HELP_KEYS_W = 290;       // width of the key column

// Draw the list when it is `shown`; nothing otherwise.
void draw_help_overlay(bool shown);
