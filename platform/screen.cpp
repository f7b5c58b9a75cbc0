/*******************************************************************************
 * platform/screen.cpp - cursor shape, window position and size through GLUT
 ******************************************************************************/
#include "platform/screen.h"
#include "edit/state.h"
#include <GL/freeglut.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <algorithm>
#include <cstdlib>

screen_calls screen_log = {-1, 0, {0, 0}, 0, {0, 0}, 0};

namespace {

constexpr int DECORATION_MAX = 200;   // larger frame sizes are taken as unknown

// What end_program does outside tests.
void exit_process(int status) { std::exit(status); }

} // namespace

void (*program_exit)(int status) = exit_process;

// Back to the state before any call.
void clear_screen_log()
{
    screen_log = screen_calls{-1, 0, {0, 0}, 0, {0, 0}, 0};
}

// GLUT answers GLUT_INIT_STATE before it is initialised; every other call
// would end the process then.
bool screen_window_live()
{
    return glutGet(GLUT_INIT_STATE) != 0 && glutGetWindow() != 0;
}

// Client origin: from GLUT with a window, else the position the state keeps.
void window_screen_origin(int32_t out[2])
{
    if (screen_window_live()) {
        out[0] = glutGet(GLUT_WINDOW_X);
        out[1] = glutGet(GLUT_WINDOW_Y);
    } else {
        out[0] = window_pos[0];
        out[1] = window_pos[1];
    }
}

// The frame lies the decorations' width left of and their height above the
// client area; glutPositionWindow places the frame.
void sync_window_pos()
{
    if (!screen_window_live()) return;
    const int border = std::clamp(glutGet(GLUT_WINDOW_BORDER_WIDTH), 0, DECORATION_MAX);
    const int header = std::clamp(glutGet(GLUT_WINDOW_BORDER_HEIGHT), 0, DECORATION_MAX);
    window_pos[0] = glutGet(GLUT_WINDOW_X) - border;
    window_pos[1] = glutGet(GLUT_WINDOW_Y) - header;
}

int screen_modifiers = 0;

// GLUT answers only inside an input callback, which is where this is asked.
int pointer_modifiers()
{
    if (!screen_window_live()) return screen_modifiers;
    const int m = glutGetModifiers();
    return ((m & GLUT_ACTIVE_SHIFT) ? MODIFIER_SHIFT : 0) | ((m & GLUT_ACTIVE_CTRL) ? MODIFIER_CTRL : 0);
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
void set_cursor_shape(int glut_cursor)
{
    screen_log.cursor_shape = glut_cursor;
    screen_log.cursor_sets++;
    if (screen_window_live()) glutSetCursor(glut_cursor);
}

// Note the position; move the window when there is one.
void place_window(int x, int y)
{
    screen_log.placed[0] = x;
    screen_log.placed[1] = y;
    screen_log.places++;
    if (screen_window_live()) glutPositionWindow(x, y);
}

// Note the size; resize the window when there is one.
void size_window(int w, int h)
{
    screen_log.sized[0] = w;
    screen_log.sized[1] = h;
    screen_log.sizes++;
    if (screen_window_live()) glutReshapeWindow(w, h);
}

// Through the replaceable hook.
namespace {

// Xlib predicate: a WM_DELETE_WINDOW message (the atom is passed in `arg`).
Bool is_close_request(Display*, XEvent* e, XPointer arg)
{
    return e->type == ClientMessage && e->xclient.format == 32 &&
           (Atom)e->xclient.data.l[0] == *reinterpret_cast<Atom*>(arg);
}

} // namespace

bool take_close_request()
{
    if (!screen_window_live()) return false;
    Display* dpy = glXGetCurrentDisplay();   // GLUT's own connection
    if (!dpy) return false;
    static Atom delete_window = XInternAtom(dpy, "WM_DELETE_WINDOW", 0);
    XEvent e;
    bool asked = false;
    while (XCheckIfEvent(dpy, &e, is_close_request, reinterpret_cast<XPointer>(&delete_window))) asked = true;
    return asked;
}

void end_program(int status)
{
    program_exit(status);
}
