/*******************************************************************************
 * edit/typing.h - typing into a text item at its caret
 *
 * Keys arrive one byte at a time and go in at the caret of the current text.
 * Enter types the line-break code \C4, Space the blank code \C5 (a plain
 * blank would split the script line). A typed backslash is a backslash,
 * kept in the text as the code \C\ (which every version of the panel and of
 * this program shows as one backslash); only a backslash followed at once by
 * 1, 2 or 3 becomes the colour code \C1 (red), \C2 (green) or \C3 (yellow).
 * Bytes above 0x80 are stored as they come, so a GBK character arrives as
 * its two bytes. Backspace removes the whole character before the caret,
 * Delete the one after it: a double-byte character, an inline code, or one
 * byte.
 *
 * The caret is a byte offset into the current text, always between whole
 * characters. It starts at the end of a text that becomes current; Home and
 * End and a click into the text move it.
 *
 * Limits: a text never grows past TYPED_TEXT_MAX bytes, the longest text the
 * script carries back whole; a key that does not fit is dropped whole (a
 * double-byte character or a code is never stored in part). Control bytes
 * are never stored.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: choose the text (the key handler passes the current one) or
 * re-encode anything.
 ******************************************************************************/
#pragma once
#include "command/led_command.h"
#include "edit/interaction.h"
#include <cstdint>

// Longest text typing builds, in bytes (without the NUL).
constexpr int TYPED_TEXT_MAX = SCRIPT_TEXT_MAX;
static_assert(TYPED_TEXT_MAX < TEXT_LEN, "typed texts must fit their field");

// The caret of text `id`: its byte offset, at the end when the caret last
// stood in another text or the text changed by other means.
int typing_caret(const text_caret_state& c, const item& t, item_id id);
// Put the caret of text `id` at byte `offset` (moved back to the start of
// the character it falls in; past the end is the end).
void typing_set_caret(text_caret_state& c, const item& t, item_id id, int offset);

// Text `id` is new from the palette: while it still holds the placeholder,
// the first character typed or pasted replaces it.
void typing_mark_placeholder(text_caret_state& c, item_id id);

// Type one key byte into text `id` at its caret: 13 Enter, 32 Space, else the byte.
void type_key(text_caret_state& c, item& t, item_id id, unsigned char key);
// Insert characters as they are (no code is made of them): GBK bytes of whole
// characters, or a backslash, which goes in as \C\. False when they do not fit.
bool type_literal(text_caret_state& c, item& t, item_id id, const unsigned char* bytes, int n);

// Backspace: remove the character before the caret. Delete: the one after it.
void erase_before_caret(text_caret_state& c, item& t, item_id id);
void erase_after_caret(text_caret_state& c, item& t, item_id id);

// The byte offsets where the characters of `text` start, in order, and its
// length last: what the caret may stand on. Returns how many were written.
int caret_stops(const char* text, int* out, int cap);
