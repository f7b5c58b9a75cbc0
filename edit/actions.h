/*******************************************************************************
 * edit/actions.h - what the property and nudge buttons of the current item do
 *
 * Each press changes one field of the current item by a fixed step within
 * fixed bounds; the press handler records the pressed look and calls these.
 * A property action that cannot go further changes nothing and says why.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide which button was pressed, draw, or check that the item
 * stays on the panel.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/outcome.h"

// Property button k (0..15) of a text.
outcome text_prop_action(item& t, int k);
// The same on a text of document `d`: a static text that starts to scroll
// keeps the box it showed as its own.
outcome text_prop_action(const document& d, item& t, int k);
// Make a text scroll (Ctrl+B), keeping the box a static text showed.
void text_start_scrolling(const document& d, item& t);
// Property button k (0..13) of any other item; a table's width and height
// buttons act on its picked cell (sel_col, sel_row). Positions 0 and 1 also
// step the size preset of weekday and wind fields and apply it.
outcome unit_prop_action(item& d, int k, int sel_col, int sel_row);
// Nudge button k (0 "X+", 1 "X-", 2 "Y+", 3 "Y-"): one dot.
void nudge_action(item& it, int k);
// The size preset of weekday and wind fields: size_preset 1..6 sets font_px
// (nothing for other codes or presets).
void apply_size_preset(item& d);
