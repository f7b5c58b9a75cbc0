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

extern uint8_t copy_pending;
extern int32_t thickness_cycle;

// Where the last Ctrl+C put its copies: a Digit_unit and a string_draw slot,
// -1 when it copied none. Ctrl+V shows these slots.
extern int32_t copy_unit_slot;
extern int32_t copy_text_slot;

// One key byte (Ctrl+letter gives 1..26; input_modifiers tells Shift).
void on_key(unsigned char key, int x, int y);
// A special key (SPECIAL_* of platform/window.h): function, arrow and paging keys.
void on_special_key(int key, int x, int y);

// A record or picture placed at pitch `from` moved to pitch `to` so that it
// keeps its dots (about the panel origin), as a zoom moves every live item.
void rescale_digit(Digit_unit& d, int from, int to);
void rescale_text(string_draw& s, int from, int to);
void rescale_picture(graph_draw& g, int from, int to);

// Ctrl+C: copy the current items into the slots two further on (when free).
void copy_current_items();
// Ctrl+V: show the copies of the last Ctrl+C and make them current.
void paste_copied_items();
