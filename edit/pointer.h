/*******************************************************************************
 * edit/pointer.h - the mouse: presses, selection, dragging, resizing, hover
 *
 * The mouse, motion and passive-motion handlers and the operations the
 * other input handlers share with them. They change the document's items
 * and the interaction; the next frame shows it. The window is reached only
 * through platform/screen.h, so every handler runs in tests without a window.
 *
 * Limits: one pointer, one gesture at a time.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read the window system's events (platform/window hands them on),
 * draw, or write files itself (output/layout_save does).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"

// Mouse button: button 0 left, 1 middle, 2 right; state 0 press, 1 release.
void on_mouse(editor& e, int button, int state, int x, int y);
// The wheel: scrolls the panel down and up, Shift+wheel left and right,
// Ctrl+wheel zooms keeping the dot under the pointer where it is.
void on_wheel(editor& e, int dx, int dy, int x, int y);
// Ctrl+0 and "适合窗口": the largest pitch that shows the whole panel.
void fit_panel(editor& e);
// Zoom to `pitch` keeping the dot under window pixel (x, y) where it is.
void zoom_at(editor& e, int pitch, int x, int y);
// Motion (a button held): drags, resizes, the rubber band, window moves.
void on_motion(editor& e, int x, int y);
// Passive motion (no button): hover marks and the cursor shape.
void on_passive_motion(editor& e, int x, int y);

// The handle tests of one pointer event: the window, then the current item
// (or its table's picked cell); the last one decides resize_handle and the cursor.
void test_resize_handles(editor& e, int px, int py);

// Take a new item (with the parts that follow it) off palette sample `id`
// at the sample's place; false (with the reason on the status line) when
// its kind is full.
bool take_from_palette(editor& e, int id);

// "保存数据" (also the close prompt): save the layout, show the result on
// the status line; the editor goes on. True when it was saved (a save that
// asks first about files changed elsewhere is not saved yet).
bool save_data(editor& e);
// Ctrl+S: save, and end the program once the save (after that question,
// if it comes) succeeded.
void save_and_end(editor& e);
// "关闭窗口" and the window manager's close button: end with status 0 when
// nothing is unsaved, else ask first.
void close_window(editor& e);
// After the events of a frame: true while the layout differs from the one
// last loaded or saved (worked out again only after a change or a save);
// once the user edits after a save, "已保存" leaves the status line.
bool follow_unsaved_state(editor& e);
