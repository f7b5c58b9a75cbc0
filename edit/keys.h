/*******************************************************************************
 * edit/keys.h - the keyboard and special-key callbacks
 *
 * Typing into the current text, zoom, copy and paste (items, or text through
 * the clipboard), delete, the selection
 * modes, the save key and nudging by one dot. The cursor shape and the end
 * of the process go through platform/screen.h, so the handlers run in tests
 * without a window.
 ******************************************************************************/
#pragma once
#include "model/tables.h"
#include <cstdint>

// Zoom bounds: led_pitch stays in 1..LED_PITCH_MAX; the zoom-out key stops at
// LED_PITCH_ZOOM_OUT_MIN (Ctrl+L alone reaches 1).
constexpr uint8_t LED_PITCH_MIN = 1;
constexpr uint8_t LED_PITCH_MAX = 8;
constexpr uint8_t LED_PITCH_ZOOM_OUT_MIN = 2;

extern int32_t thickness_cycle;

// What the last Ctrl+C took: the current Digit_unit and the current text as
// they were then (either may be missing). Every Ctrl+V until the next Ctrl+C
// pastes one more copy of them; putting text on the clipboard ends it.
struct item_copy {
    bool has_unit = false, has_text = false;
    Digit_unit unit;
    int unit_range = -1;     // the range its copies take a record of
    string_draw text;
    int pastes = 0;          // copies made so far: each stands further right
};
extern item_copy copy_buffer;

// One key byte (Ctrl+letter gives 1..26; input_modifiers tells Shift).
void on_key(unsigned char key, int x, int y);
// A special key (SPECIAL_* of platform/window.h): function, arrow and paging keys.
void on_special_key(int key, int x, int y);

// A record or picture placed at pitch `from` moved to pitch `to` so that it
// keeps its dots (about the panel origin), as a zoom moves every live item.
void rescale_digit(Digit_unit& d, int from, int to);
void rescale_text(string_draw& s, int from, int to);
void rescale_picture(graph_draw& g, int from, int to);

// Ctrl+C: take the current items as the copy every Ctrl+V pastes.
void copy_current_items();
// Ctrl+V: one more copy, in a free record of its kind, made current; a full
// kind is said on the status line.
void paste_copied_items();
// The clipboard took text (ours or another program's): Ctrl+V pastes that now.
void forget_item_copy();
