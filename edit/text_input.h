/*******************************************************************************
 * edit/text_input.h - text from the input method and the clipboard
 *
 * Committed text arrives as UTF-8 (from the input method, from plain keys
 * while text input is on, or from the clipboard) and is typed into the
 * current text at its caret character by character through the typing
 * rules (edit/typing.h): each character is converted to GBK. A line break
 * types \C4 (as Enter does), a tab or a blank \C5 (as Space does), other
 * control characters are dropped; a backslash is a backslash, and only a
 * typed backslash followed by a typed 1, 2 or 3 makes a colour code. A
 * character with no GBK code, or one the dot-matrix fonts cannot draw
 * (outside printable ASCII and the GB2312 rows), is skipped and the status
 * line names it with its code point; typing stops at the length limit and
 * the status line says the text was cut.
 *
 * The composition string (what the input method shows before it commits) is
 * kept here for the frame to draw at the caret; it never reaches the text.
 *
 * Limits: COMPOSITION_UNITS code units of composition.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw (app/frame.cpp draws the composition), or talk to the
 * window system (platform/ does).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"
#include <cstdint>

constexpr int COMPOSITION_GAP = 2;         // px between the caret and the composition
constexpr int COMPOSITION_UNDERLINE = 3;   // px from the baseline down to its underline
constexpr int CANDIDATES_CLEARANCE = 4;    // px left free under the underline

// What typing a UTF-8 text did.
struct utf8_typing {
    int typed;              // characters typed
    int unmapped;           // characters with no GBK code, skipped
    int undrawable;         // characters the dot-matrix fonts cannot draw, skipped
    bool cut;               // stopped at the length limit
    char first_unmapped[8]; // the first skipped character, UTF-8
    unsigned first_code;    // and its code point
};

// Type UTF-8 text into text `id` at its caret: `typed` from the keyboard or
// an input method, else pasted (never a code).
utf8_typing type_utf8(text_caret_state& c, item& t, item_id id, const char* utf8, bool typed);

// Committed text from the input method: typed into the current text.
void on_text_input(editor& e, const char* utf8);
// The input method's composition string changed (empty when it ended).
void on_composition(editor& e, const char* utf8);

// Ctrl+V without an item copy: the clipboard's text typed into the current text.
void paste_clipboard_text(editor& e);
// Ctrl+Shift+C: the current text onto the clipboard, as the panel shows it.
void copy_text_to_clipboard(editor& e);

// Put the caret of the current text on the character boundary nearest to the
// point (px, py), on the line the point is on.
void place_caret_at(editor& e, int px, int py);

// The current text's caret in window pixels (x, y, w, h); false when no text is current.
bool current_text_caret(editor& e, int32_t out[4]);
// The box the input method's candidate window must stay below: the caret's
// line down past the composition's underline. False when no text is current.
bool current_text_input_box(editor& e, int32_t out[4]);
