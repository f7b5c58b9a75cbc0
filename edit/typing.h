/*******************************************************************************
 * edit/typing.h - typing into a text item and removing its last character
 *
 * Keys arrive one byte at a time. Enter types the line-break code \C4, Space
 * the blank code \C5 (a plain blank would split the script line), a typed
 * backslash opens an inline code \C that the next key completes (so \C1..\C3
 * pick colours), and bytes above 0x80 are stored as they come, so a GBK
 * character arrives as its two bytes. Backspace removes the whole last
 * character: a double-byte character, an inline code, or one byte.
 *
 * Limits: a text never grows past TYPED_TEXT_MAX bytes, the longest text the
 * script carries back whole; a key that does not fit is dropped whole (a
 * double-byte character or a code is never stored in part). Control bytes
 * are never stored.
 * Depends on: model/tables.h, model/text_measure.h,
 * command/led_command.h (SCRIPT_TEXT_MAX).
 * Does NOT: choose the text (the key handler passes the current one) or
 * re-encode anything.
 ******************************************************************************/
#pragma once
#include "command/led_command.h"
#include "model/tables.h"
#include <cstdint>

// Longest text typing builds, in bytes (without the NUL).
constexpr int TYPED_TEXT_MAX = SCRIPT_TEXT_MAX;
static_assert(TYPED_TEXT_MAX < TEXT_LEN, "typed texts must fit their field");

// Set when the first byte of a double-byte character was dropped, so that its
// second byte is dropped too instead of standing alone.
extern uint8_t typing_drop_next;

// Type one key byte into a visible text: 13 Enter, 32 Space, else the byte.
void type_key(string_draw& s, unsigned char key);

// Remove the last character of the text (Backspace).
void erase_last_char(string_draw& s);
