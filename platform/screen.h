/*******************************************************************************
 * platform/screen.h - the window on the screen: cursor shape, position, size
 *
 * The pointer handlers reach the window only through these calls, so they run
 * in tests without a window: while no GLUT window exists nothing is sent to
 * GLUT, and every call is noted in screen_log, which tests read.
 *
 * The screen cursor is the window's screen position plus the pointer position
 * in the window. With a window the position is asked from GLUT; without one
 * it is window_pos of the interaction state.
 *
 * Depends on: freeglut, Xlib and GLX (the close request), edit/state.h (window_pos).
 * Does NOT: decide shapes, positions or sizes (the handlers do), or keep the
 * interaction state in step with the window.
 ******************************************************************************/
#pragma once
#include <cstdint>

// What the handlers last asked of the window, and how often.
struct screen_calls {
    int cursor_shape;       // last GLUT cursor shape set, -1 before any
    int cursor_sets;
    int32_t placed[2];      // last position asked for
    int places;
    int32_t sized[2];       // last client size asked for
    int sizes;
};
extern screen_calls screen_log;

// Forget the calls noted so far.
void clear_screen_log();

// True when GLUT is initialised and has a current window.
bool screen_window_live();

// The window's client origin on the screen, px.
void window_screen_origin(int32_t out[2]);

// With a window: window_pos := where the window's frame really is (the user
// or the window manager may have moved it). Without one nothing changes.
void sync_window_pos();

// Screen cursor for a pointer at (x, y) in the window: origin plus pointer.
void screen_cursor(int x, int y, int32_t out[2]);

// Modifier keys held with the pointer event being handled, as bits.
constexpr int MODIFIER_SHIFT = 1, MODIFIER_CTRL = 2;
int pointer_modifiers();
// Without a window pointer_modifiers reports this (tests set it).
extern int screen_modifiers;

// Set the cursor shape (a GLUT_CURSOR_* value).
void set_cursor_shape(int glut_cursor);

// Move the window to (x, y) on the screen.
void place_window(int x, int y);

// Give the window's client area the size w x h.
void size_window(int w, int h);

// With a window: true when the window manager asked to close it (its close
// button). The request is taken out of the event queue before GLUT sees it,
// since GLUT would destroy the window at once; the caller decides instead.
bool take_close_request();

// End the process with `status`; tests replace program_exit to stay alive.
extern void (*program_exit)(int status);
void end_program(int status);
