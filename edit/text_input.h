/*******************************************************************************
 * edit/text_input.h - text from the input method and the clipboard
 *
 * Committed text arrives as UTF-8 (from the input method, from plain keys
 * while text input is on, or from the clipboard) and is typed into the
 * current text character by character through the typing rules: each
 * character is converted to GBK and fed to type_key byte after byte, so a
 * double-byte character is its two bytes. A line break types \C4 (as Enter
 * does), a tab \C5 (as Space does), other control characters are dropped. A
 * character with no GBK code is skipped and the status line names it; typing
 * stops at the length limit and the status line says the text was cut.
 *
 * The composition string (what the input method shows before it commits) is
 * kept here for the frame to draw at the caret; it never reaches the text.
 *
 * Limits: COMPOSITION_UNITS code units of composition.
 * Depends on: edit/typing.h, edit/state.h, edit/status.h, items/text_item.h
 * (the caret), platform/gbk.h, platform/screen.h (the clipboard).
 * Does NOT: draw (app/frame.cpp draws the composition), or talk to the
 * window system (platform/ does).
 ******************************************************************************/
#pragma once
#include "model/tables.h"
#include <cstdint>

constexpr int COMPOSITION_UNITS = 128;

// The input method's composition string, ready for the screen text; empty when none.
extern char16_t composition_wide[COMPOSITION_UNITS];

// What typing a UTF-8 text did.
struct utf8_typing {
    int typed;              // characters typed
    int unmapped;           // characters with no GBK code, skipped
    bool cut;               // stopped at the length limit
    char first_unmapped[8]; // the first skipped character, UTF-8
};

// Type UTF-8 text into a visible text item through the typing rules.
utf8_typing type_utf8(string_draw& s, const char* utf8);

// Committed text from the input method: typed into the current text.
void on_text_input(const char* utf8);
// The input method's composition string changed (empty when it ended).
void on_composition(const char* utf8);

// Ctrl+V without an item copy: the clipboard's text typed into the current text.
void paste_clipboard_text();
// Ctrl+Shift+C: the current text onto the clipboard, \C4 as a line break, \C5 as a blank.
void copy_text_to_clipboard();

// The current text's caret in window pixels (x, y, w, h); false when no text is current.
bool current_text_caret(int32_t out[4]);
