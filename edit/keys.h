/*******************************************************************************
 * edit/keys.h - the keyboard and special-key callbacks
 *
 * Typing into the current text, zoom, copy and paste (items, or text through
 * the clipboard), delete, undo and redo, the selection modes, the save key
 * and nudging by one dot. The cursor shape and the end of the process go
 * through platform/screen.h, so the handlers run in tests without a window.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: translate the window system's key events into key bytes
 * (platform/window does), or draw.
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"

// Zoom bounds: the pitch stays in VIEW_PITCH_MIN..VIEW_PITCH_MAX; the zoom-out
// key stops at PITCH_ZOOM_OUT_MIN (Ctrl+L alone reaches 1).
constexpr int PITCH_ZOOM_OUT_MIN = 2;

// One key byte (Ctrl+letter gives 1..26; input_modifiers tells Shift).
void on_key(editor& e, unsigned char key);
// A key went up: Space ends the pans of the left button.
void on_key_up(editor& e, unsigned char key);
// A special key (SPECIAL_* of platform/window.h): function, arrow and paging keys.
void on_special_key(editor& e, int key);

// Ctrl+C: take the current item as the copy every Ctrl+V pastes.
void copy_current_item(editor& e);
// Ctrl+V: one more copy, in a free slot of its kind, made current; a full
// kind is said on the status line.
void paste_copied_item(editor& e);
// The clipboard took text (ours or another program's): Ctrl+V pastes that now.
void forget_item_copy(editor& e);
// Undo and redo, leaving no selection of an item that went away.
void undo_last(editor& e);
void redo_last(editor& e);
