/*******************************************************************************
 * edit/pointer.h - the mouse: presses, selection, dragging, resizing, hover
 *
 * The mouse, motion and passive-motion handlers and the operations the
 * other input handlers share with them. They change records of the item
 * tables and the interaction state of edit/state.h; the next frame shows it.
 * The window is reached only through platform/screen.h, so every handler
 * runs in tests without a window.
 ******************************************************************************/
#pragma once

// Mouse button: button 0 left, 2 right; state 0 press, 1 release.
void on_mouse(int button, int state, int x, int y);
// Motion (a button held): drags, resizes, the rubber band, window moves.
void on_motion(int x, int y);
// Passive motion (no button): hover marks and the cursor shape.
void on_passive_motion(int x, int y);

// Remove the group-selected items and the current items (moved to y = 2000).
void delete_selected();
// Carry the group (and the calendar composites) along with the anchor's move
// from (a, b) to (c, d); four zeros only re-lay out the composites.
void apply_group_move(int a, int b, int c, int d);
// The alignment reference is item `index` of table `table` (SEL_REF_UNIT or
// SEL_REF_TEXT); sel_box takes its rectangle now and follows it after every edit.
void set_sel_ref(int table, int index);
// sel_box := the reference item's current rectangle (nothing without one).
void refresh_sel_box();

// Handle test of pointer_pos against a rectangle; sets resize_handle and the cursor.
void update_resize_cursor(int left, int top, int width, int height);
// The same for a pointer at (px, py).
void update_resize_cursor_at(int px, int py, int left, int top, int width, int height);
// The handle tests of one pointer event: the window, then the current unit
// (or its table cell), then the current text; the last one decides.
void test_resize_handles(int px, int py);

// "保存数据": save the layout, show the result on the status line; the
// editor goes on. True when it was saved (false too while it asks whether
// to save over files changed elsewhere).
bool save_data();
// Ctrl+S: save as save_data does, then end once the save succeeded.
void save_and_end();
// "关闭窗口" and the window manager's close button: end with status 0 when
// nothing is unsaved, else open the close prompt.
void close_window();
// After the events of a frame: true while the layout differs from the one
// last loaded or saved (worked out again only after a change or a save);
// once the user edits after a save, "已保存" leaves the status line.
bool follow_unsaved_state();
