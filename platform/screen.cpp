/*******************************************************************************
 * platform/screen.cpp - cursor shape, window position and size
 ******************************************************************************/
#include "platform/screen.h"
#include <algorithm>
#include <cstdlib>

screen_calls screen_log = {-1, 0, {0, 0}, 0, {0, 0}, 0};
int32_t input_modifiers = 0;
int32_t window_pos[2] = {50, 50};

namespace {

constexpr int DECORATION_MAX = 200;   // larger frame sizes are taken as unknown

const screen_ops* attached = nullptr;

// What end_program does outside tests.
void exit_process(int status) { std::exit(status); }

} // namespace

void (*program_exit)(int status) = exit_process;

// Calls go to this window from now on.
void screen_attach(const screen_ops* ops)
{
    attached = ops;
}

// Back to the state before any call.
void clear_screen_log()
{
    screen_log = screen_calls{-1, 0, {0, 0}, 0, {0, 0}, 0};
}

bool screen_window_live()
{
    return attached != nullptr;
}

// Client origin: from the window when there is one, else the position the state keeps.
void window_screen_origin(int32_t out[2])
{
    if (attached) {
        attached->origin(out);
    } else {
        out[0] = window_pos[0];
        out[1] = window_pos[1];
    }
}

// The frame lies the decorations' width left of and their height above the
// client area; place_window places the frame.
void sync_window_pos()
{
    if (!attached) return;
    int32_t origin[2], deco[2];
    attached->origin(origin);
    attached->frame_offset(deco);
    window_pos[0] = origin[0] - std::clamp(deco[0], 0, DECORATION_MAX);
    window_pos[1] = origin[1] - std::clamp(deco[1], 0, DECORATION_MAX);
}

// Origin plus pointer.
void screen_cursor(int x, int y, int32_t out[2])
{
    int32_t o[2];
    window_screen_origin(o);
    out[0] = o[0] + x;
    out[1] = o[1] + y;
}

// Note the shape; show it when there is a window.
void set_cursor_shape(int shape)
{
    screen_log.cursor_shape = shape;
    screen_log.cursor_sets++;
    if (attached && shape >= 0 && shape < CURSOR_SHAPES) attached->cursor(shape);
}

// Note the position; move the window's frame there when there is one.
void place_window(int x, int y)
{
    screen_log.placed[0] = x;
    screen_log.placed[1] = y;
    screen_log.places++;
    if (!attached) return;
    int32_t deco[2];
    attached->frame_offset(deco);
    attached->place(x + std::clamp(deco[0], 0, DECORATION_MAX), y + std::clamp(deco[1], 0, DECORATION_MAX));
}

// Note the size; resize the window when there is one.
void size_window(int w, int h)
{
    screen_log.sized[0] = w;
    screen_log.sized[1] = h;
    screen_log.sizes++;
    if (attached) attached->size(w, h);
}

std::string test_clipboard;

bool read_clipboard(std::string& utf8)
{
    if (attached) return attached->clipboard_get(utf8);
    utf8 = test_clipboard;
    return !utf8.empty();
}

bool write_clipboard(const char* utf8)
{
    if (attached) return attached->clipboard_set(utf8);
    test_clipboard = utf8 ? utf8 : "";
    return true;
}

// Through the replaceable hook.
void end_program(int status)
{
    program_exit(status);
}
