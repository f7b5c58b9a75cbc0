/*******************************************************************************
 * platform/window.h - the designer's one window: context, events, clipboard
 *
 * Opens the window with an OpenGL 2.1 compatibility context (double
 * buffered), waits for the window system's events and hands each one to the
 * handlers the program registered, in the terms the handlers have always
 * used: key bytes (Ctrl with a letter gives 1..26), special-key codes,
 * button presses and releases with the button number, motion with and
 * without a button held, the new client size, committed text (UTF-8) from
 * the input method and its composition string, and the close request.
 * Also switches text input on and off, places the input method's candidate
 * window, gives the window the icon it is handed as pixels, and gives
 * screen.h the cursor shapes, window moves and the clipboard's text.
 *
 * Limits: one window per process; a composition string is cut to
 * COMPOSITION_MAX bytes.
 * Depends on: SDL2 (video, events, text input, clipboard, cursors, icon).
 * Does NOT: know about items, drawing or the interaction state (the
 * handlers do), or decide when to draw (app/frame does).
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>

constexpr int COMPOSITION_MAX = 256;   // bytes of a composition string kept, with its NUL

// The modifiers of each key and button event are in input_modifiers of
// platform/screen.h before its handler is called.

// Special-key codes passed to the special-key handler.
enum special_key : int {
    SPECIAL_F1 = 1, SPECIAL_F2, SPECIAL_F3, SPECIAL_F4, SPECIAL_F5, SPECIAL_F6,
    SPECIAL_F7, SPECIAL_F8, SPECIAL_F9, SPECIAL_F10, SPECIAL_F11, SPECIAL_F12,
    SPECIAL_LEFT = 100, SPECIAL_UP, SPECIAL_RIGHT, SPECIAL_DOWN,
    SPECIAL_PAGE_UP, SPECIAL_PAGE_DOWN, SPECIAL_HOME, SPECIAL_END, SPECIAL_INSERT
};

// Mouse buttons and states passed to the button handler.
enum : int { MOUSE_LEFT = 0, MOUSE_MIDDLE = 1, MOUSE_RIGHT = 2 };
enum : int { MOUSE_PRESS = 0, MOUSE_RELEASE = 1 };

// What the program does with each kind of event; any entry may be null.
struct window_handlers {
    void (*key)(unsigned char key, int x, int y);
    void (*special)(int key, int x, int y);
    void (*mouse)(int button, int state, int x, int y);
    void (*motion)(int x, int y);
    void (*passive_motion)(int x, int y);
    void (*reshape)(int w, int h);
    void (*text)(const char* utf8);
    void (*composition)(const char* utf8);
    void (*close)();
    // The wheel turned by (dx, dy) notches (dy > 0: away from the user) with
    // the pointer at (x, y).
    void (*wheel)(int dx, int dy, int x, int y);
    // A key byte's key went up (only the space bar is reported).
    void (*key_up)(unsigned char key);
    // Part of the window was uncovered: what it shows must be shown again.
    void (*exposed)();
};

// Ctrl+0 reaches the key handler as this byte with MOD_CTRL in input_modifiers.
constexpr unsigned char KEY_BYTE_ZERO = '0';
// The space bar's byte, for the key-up handler.
constexpr unsigned char KEY_BYTE_SPACE = ' ';

// The screen's usable area (without panels and task bars) in screen pixels:
// x, y, w, h. Starts the window system when needed; false with a reason
// when there is none.
bool window_screen_area(int out[4], std::string& why);

// The least client size the window manager lets the user make.
void window_set_minimum_size(int w, int h);

// The refresh rate of the window's display in Hz, or 0 when it does not say.
int window_refresh_hz();

// Open the window at (x, y) with a client area of w x h and make its GL
// context current. False with a short reason when it cannot be made.
// `borderless`: a window without a frame (the player).
bool window_open(const char* title, int x, int y, int w, int h, bool hidden, std::string& why, bool borderless = false);

// The window's icon for the task bar and title: side x side RGBA pixels, top
// row first. False when there is no window or the icon cannot be made.
bool window_set_icon(const uint8_t* rgba, int side);

// Give the events to these handlers from now on.
void window_set_handlers(const window_handlers& h);

// Wait up to timeout_ms for an event and hand it on. True when one was handled.
bool window_dispatch_event(int timeout_ms);

// Show what was drawn.
void window_swap();
// The window's title (UTF-8).
void window_set_title(const char* utf8);

// Close the window and its context (before the display goes away).
void window_close();

// Text input on (composition and committed text arrive) or off.
void window_text_input(bool on);
// The caret's rectangle in window pixels, where the candidate window goes.
void window_text_input_rect(int x, int y, int w, int h);
