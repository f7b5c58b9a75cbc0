/*******************************************************************************
 * items/text_item.h - text items on the panel
 *
 * A text item (string_draw) is GBK text drawn in a dot-matrix font, static or
 * scrolling, always shown or switched by a holding register. Unselected, a
 * static text is laid out in full and its box sized to it; a scrolling text
 * shows only the bytes that fit its box (never half a double-byte character).
 * Selected, the whole text is shown with its dotted box, a caret after the
 * last character, a yellow description line, its dot position, the nudge
 * buttons and the property buttons of its mode.
 *
 * The designer does not animate scrolling: speed and direction are only
 * shown and saved. Does NOT: handle input or change anything but the box,
 * the line counts and the scratch copy of the text.
 ******************************************************************************/
#pragma once
#include "model/tables.h"
#include "model/text_measure.h"
#include <cstddef>

// Where the caret before byte `offset` of the text stands (-1 or past the
// end: after the last character): x, top y, width 0 and the height of one
// character, in window pixels.
void text_caret(const string_draw& s, int offset, int32_t out[4]);

// The line counts and box of a static text whose text is ready, from its
// text and font size: what drawing it unselected and its hit test use.
void measure_text_item(string_draw& s);

// Draw an unselected text item; -1 (nothing drawn) when its text is not ready.
int draw_text_item(string_draw& s);

// Draw a selected (current or group-selected) text item with its caret
// before byte `caret` (-1: at the end); -1 when its text is not ready. Its
// property buttons are drawn only with `buttons` (the item whose buttons a
// press reaches).
int draw_text_item_selected(string_draw& s, bool buttons = true, int caret = -1);

// The description line of a text item in GBK, as the selected item shows it.
void describe_text_item(const string_draw& s, char* out, size_t cap);

// How many property buttons an item of this mode shows.
int text_item_button_count(int mode);
