/*******************************************************************************
 * edit/pointer.h - the mouse: presses, selection, dragging, resizing, hover
 *
 * The GLUT mouse, motion and passive-motion callbacks and the operations the
 * other input handlers share with them. They change records of the item
 * tables and the interaction state of edit/state.h; the next frame shows it.
 ******************************************************************************/
#pragma once

// GLUT mouse callback: button 0 left, 2 right; state 0 press, 1 release.
void on_mouse(int button, int state, int x, int y);
// GLUT motion callback (a button held): drags, resizes, the rubber band, window moves.
void on_motion(int x, int y);
// GLUT passive-motion callback (no button): hover marks and the cursor shape.
void on_passive_motion(int x, int y);

// Remove the group-selected items and the current items (moved to y = 2000).
void delete_selected();
// Carry the group (and the calendar composites) along with the anchor's move.
void apply_group_move(int a, int b, int c, int d);
// Handle test of the pointer against a rectangle; sets resize_handle and the cursor.
void update_resize_cursor(int left, int top, int width, int height);
