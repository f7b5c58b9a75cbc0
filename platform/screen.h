/*******************************************************************************
 * platform/screen.h - the window on the screen: cursor shape, position, size
 *
 * The pointer handlers reach the window only through these calls, so they run
 * in tests without a window: while no window is attached nothing is sent to
 * the window system, and every call is noted in screen_log, which tests read.
 * The window layer (platform/window.cpp) attaches itself when it opens the
 * window, so this file needs no windowing library.
 *
 * The screen cursor is the window's screen position plus the pointer position
 * in the window. With a window the position is asked from the window layer;
 * without one it is window_pos, which the pointer handlers keep.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: decide shapes, positions or sizes (the handlers do), or keep the
 * interaction state in step with the window.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>

// Cursor shapes the handlers ask for; the window shows the nearest system cursor.
enum cursor_shape : int {
    CURSOR_RIGHT_ARROW = 0,     // the plain arrow
    CURSOR_TOP_LEFT_CORNER,     // diagonal resize, top-left to bottom-right
    CURSOR_TOP_RIGHT_CORNER,    // diagonal resize, top-right to bottom-left
    CURSOR_UP_DOWN,             // vertical resize
    CURSOR_LEFT_RIGHT,          // horizontal resize
    CURSOR_RIGHT_SIDE,          // the left-edge handle
    CURSOR_CROSSHAIR,           // the rubber band
    CURSOR_INFO,                // dragging an item
    CURSOR_SHAPES
};

// Where the window's frame is on the screen, as the pointer handlers keep it.
extern int32_t window_pos[2];

// Modifier bits held at the last key or button event (the window layer
// writes them before it calls the handler).
enum : int32_t { MOD_SHIFT = 1, MOD_CTRL = 2, MOD_ALT = 4 };
extern int32_t input_modifiers;

// What an attached window does for these calls.
struct screen_ops {
    void (*origin)(int32_t out[2]);          // client origin on the screen
    void (*frame_offset)(int32_t out[2]);    // frame's left and top decoration sizes
    void (*cursor)(int shape);
    void (*place)(int x, int y);             // client origin to (x, y)
    void (*size)(int w, int h);
    bool (*clipboard_get)(std::string& utf8);
    bool (*clipboard_set)(const char* utf8);
};

// Attach a window (null detaches it).
void screen_attach(const screen_ops* ops);

// What the handlers last asked of the window, and how often.
struct screen_calls {
    int cursor_shape;       // last cursor shape set, -1 before any
    int cursor_sets;
    int32_t placed[2];      // last position asked for
    int places;
    int32_t sized[2];       // last client size asked for
    int sizes;
};
extern screen_calls screen_log;

// Forget the calls noted so far.
void clear_screen_log();

// True when a window is attached.
bool screen_window_live();

// The window's client origin on the screen, px.
void window_screen_origin(int32_t out[2]);

// With a window: window_pos := where the window's frame really is (the user
// or the window manager may have moved it). Without one nothing changes.
void sync_window_pos();

// Screen cursor for a pointer at (x, y) in the window: origin plus pointer.
void screen_cursor(int x, int y, int32_t out[2]);

// Set the cursor shape (a CURSOR_* value).
void set_cursor_shape(int shape);

// Move the window to (x, y) on the screen.
void place_window(int x, int y);

// Give the window's client area the size w x h.
void size_window(int w, int h);

// The clipboard's text as UTF-8; false when it holds none. Without a window
// the clipboard is test_clipboard.
bool read_clipboard(std::string& utf8);
// Put UTF-8 text on the clipboard; false when it was refused.
bool write_clipboard(const char* utf8);
extern std::string test_clipboard;

// End the process with `status`; tests replace program_exit to stay alive.
extern void (*program_exit)(int status);
void end_program(int status);
