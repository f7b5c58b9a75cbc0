/*******************************************************************************
 * edit/actions.h - what the property and nudge buttons of the current item do
 *
 * Each press changes one field of the current item by a fixed step within
 * fixed bounds; the press handler records the pressed look and calls these.
 * The property actions return null when they changed the item, else a short
 * UTF-8 text saying what they refused (for the status line).
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Property button k (0..15) of the text item s.
const char* text_prop_action(string_draw& s, int k);
// Nudge button k (0 "X+", 1 "X-", 2 "Y+", 3 "Y-") of the text item s.
void text_nudge_action(string_draw& s, int k);
// Property button k (0..13) of the Digit_unit d. Positions 0 and 1 also step
// the size preset of codes 16 and 20 and apply it. The caller follows every
// unit action with apply_group_move(0, 0, 0, 0).
const char* unit_prop_action(Digit_unit& d, int k);
// Nudge button k of the Digit_unit d.
void unit_nudge_action(Digit_unit& d, int k);
// The size preset rule of component codes 16 and 20: size_preset 1..6 sets
// font_px, height and width (nothing for other codes or presets). Run after
// every press on the unit's own buttons.
void apply_size_preset(Digit_unit& d);
