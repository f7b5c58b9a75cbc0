/*******************************************************************************
 * items/text_item.h - text items on the panel
 *
 * A text is GBK drawn in a dot-matrix font, static or scrolling, always shown
 * or switched by a holding register. Unselected, a static text is laid out in
 * full and its box is measured from it; a scrolling text shows only the bytes
 * that fit its box (never half a double-byte character). Selected, the whole
 * text is shown with its dotted box, a caret, a yellow description line, its
 * dot position, the nudge buttons and the property buttons of its mode.
 *
 * Still, that is all the designer shows of a scrolling text. As the panel
 * plays (item_draw_ctx::show) a scrolling text draws its whole content where
 * play/scroll puts it, copies following, clipped to its box, and a switched
 * text that is off draws nothing.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: handle input or change the item.
 ******************************************************************************/
#pragma once
#include "items/kinds.h"
#include "model/text_measure.h"
#include <cstddef>

// The kind's drawing: plain, or selected with its decorations.
void draw_text_kind(const item& t, const item_draw_ctx& ctx);
// The controls of a selected text, at UI_PITCH: its description and
// position with the nudge buttons (look.description), its property buttons
// (look.buttons).
void draw_text_controls(const item& t, const item_draw_ctx& ctx);

// The box of a text in dots: a static text's measured from its text, a
// scrolling text's own.
dot_box measure_text_item(const item& t);

// Resize a scrolling text's box by handle h moved by dx, dy dots (a static
// text's box follows its text: nothing changes).
void resize_text(item& t, int h, int64_t dx, int64_t dy, int, int);

// Where the caret before byte `offset` of the text stands (-1 or past the
// end: after the last character): x, top y, width 0 and the height of one
// character, in window pixels, for a text whose corner is at (x, y).
void text_caret(const item& t, int x, int y, int pitch, int offset, int32_t out[4]);

// The description line of a text item in GBK, as the selected item shows it.
void describe_text_item(const item& t, char* out, size_t cap);

// How many property buttons a text of this mode shows.
int text_item_button_count(int mode);
