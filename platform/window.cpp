/*******************************************************************************
 * platform/window.cpp - the window, its events and the clipboard on SDL2
 *
 * Key events become key bytes as the handlers know them: Enter 13, Backspace
 * 8, Tab 9, Escape 27, Delete 127, and Ctrl with a letter 1..26 (with or
 * without Shift; the modifiers go to input_modifiers). While text input is
 * on, printable keys arrive as committed text, so an input method's
 * characters and plain keys take one path; while it is off they are passed
 * as their unshifted key bytes.
 * SIGINT and SIGTERM keep their default action: only the window's close
 * button asks the program to close.
 *
 * Sections: the screen calls | translating events | opening, dispatching and
 * closing | title, buffers and text input
 ******************************************************************************/
#include "platform/window.h"
#include "platform/messages.h"
#include "platform/screen.h"
#include <SDL2/SDL.h>
#include <cstring>

namespace {

SDL_Window* window = nullptr;
SDL_GLContext context = nullptr;
window_handlers handlers = {};
SDL_Cursor* cursors[CURSOR_SHAPES] = {};

// The system cursor nearest to each of our shapes.
constexpr SDL_SystemCursor SYSTEM_CURSOR[CURSOR_SHAPES] = {
    SDL_SYSTEM_CURSOR_ARROW,    SDL_SYSTEM_CURSOR_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENESW,
    SDL_SYSTEM_CURSOR_SIZENS,   SDL_SYSTEM_CURSOR_SIZEWE,   SDL_SYSTEM_CURSOR_SIZEWE,
    SDL_SYSTEM_CURSOR_CROSSHAIR, SDL_SYSTEM_CURSOR_HAND};

constexpr unsigned char BYTE_BACKSPACE = 8, BYTE_TAB = 9, BYTE_ENTER = 13, BYTE_ESCAPE = 27, BYTE_DELETE = 127;

// ---- the screen calls ---------------------------------------------------------------

void origin_of(int32_t out[2])
{
    int x = 0, y = 0;
    if (window) SDL_GetWindowPosition(window, &x, &y);
    out[0] = x;
    out[1] = y;
}

void frame_offset_of(int32_t out[2])
{
    int top = 0, left = 0;
    if (!window || SDL_GetWindowBordersSize(window, &top, &left, nullptr, nullptr) != 0) top = left = 0;
    out[0] = left;
    out[1] = top;
}

void show_cursor(int shape)
{
    if (!cursors[shape]) cursors[shape] = SDL_CreateSystemCursor(SYSTEM_CURSOR[shape]);
    if (cursors[shape]) SDL_SetCursor(cursors[shape]);
}

void place(int x, int y)
{
    if (window) SDL_SetWindowPosition(window, x, y);
}

void size(int w, int h)
{
    if (window) SDL_SetWindowSize(window, w, h);
}

bool clipboard_get(std::string& utf8)
{
    utf8.clear();
    if (!window || !SDL_HasClipboardText()) return false;
    char* text = SDL_GetClipboardText();
    if (!text) return false;
    utf8 = text;
    SDL_free(text);
    return !utf8.empty();
}

bool clipboard_set(const char* utf8)
{
    return window && SDL_SetClipboardText(utf8 ? utf8 : "") == 0;
}

const screen_ops SDL_SCREEN = {origin_of, frame_offset_of, show_cursor, place, size, clipboard_get, clipboard_set};

// ---- translating events -------------------------------------------------------------

// Our modifier bits from SDL's.
int32_t modifiers_of(Uint16 mod)
{
    int32_t m = 0;
    if (mod & KMOD_SHIFT) m |= MOD_SHIFT;
    if (mod & KMOD_CTRL) m |= MOD_CTRL;
    if (mod & KMOD_ALT) m |= MOD_ALT;
    return m;
}

// The special-key code of a key, or 0 for none.
int special_of(SDL_Keycode k)
{
    if (k >= SDLK_F1 && k <= SDLK_F12) return SPECIAL_F1 + (int)(k - SDLK_F1);
    switch (k) {
    case SDLK_LEFT: return SPECIAL_LEFT;
    case SDLK_UP: return SPECIAL_UP;
    case SDLK_RIGHT: return SPECIAL_RIGHT;
    case SDLK_DOWN: return SPECIAL_DOWN;
    case SDLK_PAGEUP: return SPECIAL_PAGE_UP;
    case SDLK_PAGEDOWN: return SPECIAL_PAGE_DOWN;
    case SDLK_HOME: return SPECIAL_HOME;
    case SDLK_END: return SPECIAL_END;
    case SDLK_INSERT: return SPECIAL_INSERT;
    default: return 0;
    }
}

// The key byte of a key, or 0 for a key that gives none.
unsigned char byte_of(SDL_Keycode k, int32_t mods)
{
    if ((mods & MOD_CTRL) && k >= SDLK_a && k <= SDLK_z) return (unsigned char)(k - SDLK_a + 1);
    if ((mods & MOD_CTRL) && (k == SDLK_0 || k == SDLK_KP_0)) return KEY_BYTE_ZERO;
    switch (k) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return BYTE_ENTER;
    case SDLK_BACKSPACE: return BYTE_BACKSPACE;
    case SDLK_TAB: return BYTE_TAB;
    case SDLK_ESCAPE: return BYTE_ESCAPE;
    case SDLK_DELETE: return BYTE_DELETE;
    default: return 0;
    }
}

void on_key_down(const SDL_KeyboardEvent& k)
{
    input_modifiers = modifiers_of(k.keysym.mod);
    int x = 0, y = 0;
    SDL_GetMouseState(&x, &y);
    if (int special = special_of(k.keysym.sym)) {
        if (handlers.special) handlers.special(special, x, y);
        return;
    }
    unsigned char b = byte_of(k.keysym.sym, input_modifiers);
    // While text input is off a printable key still reaches the handlers as
    // its byte (it types nothing then, but it may close a list or a prompt).
    if (!b && !SDL_IsTextInputActive() && k.keysym.sym >= ' ' && k.keysym.sym <= '~' &&
        !(input_modifiers & (MOD_CTRL | MOD_ALT)))
        b = (unsigned char)k.keysym.sym;
    if (b && handlers.key) handlers.key(b, x, y);
}

void on_button(const SDL_MouseButtonEvent& b, int state)
{
    input_modifiers = modifiers_of((Uint16)SDL_GetModState());
    int button = b.button == SDL_BUTTON_LEFT ? MOUSE_LEFT : b.button == SDL_BUTTON_RIGHT ? MOUSE_RIGHT
               : b.button == SDL_BUTTON_MIDDLE ? MOUSE_MIDDLE : -1;
    if (button >= 0 && handlers.mouse) handlers.mouse(button, state, b.x, b.y);
}

void on_window_event(const SDL_WindowEvent& w)
{
    if (w.event == SDL_WINDOWEVENT_SIZE_CHANGED && handlers.reshape) handlers.reshape(w.data1, w.data2);
    else if (w.event == SDL_WINDOWEVENT_CLOSE && handlers.close) handlers.close();
    else if (w.event == SDL_WINDOWEVENT_EXPOSED && handlers.exposed) handlers.exposed();
}

// A composition string, cut on a character boundary to COMPOSITION_MAX.
void on_composition(const char* text)
{
    char cut[COMPOSITION_MAX];
    size_t n = strnlen(text, COMPOSITION_MAX - 1);
    while (n > 0 && n < strlen(text) && ((unsigned char)text[n] & 0xC0) == 0x80) n--;
    memcpy(cut, text, n);
    cut[n] = 0;
    if (handlers.composition) handlers.composition(cut);
}

} // namespace

// ---- opening, dispatching and closing -------------------------------------------------

namespace {

// Start SDL's video once: false with a reason when there is no window system.
bool start_video(std::string& why)
{
    if (SDL_WasInit(SDL_INIT_VIDEO)) return true;
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_IME_SUPPORT_EXTENDED_TEXT, "1");
    SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        why = msg(MSG_DISPLAY_FAILED, SDL_GetError());
        return false;
    }
    // With no display SDL may fall back to a driver that shows nothing; a
    // designer nobody can see is no use, unless that driver was asked for.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (!strcmp(driver, "offscreen") || !strcmp(driver, "dummy")) && !(asked && !strcmp(asked, driver))) {
        why = msg(MSG_NO_WINDOW_SYSTEM);
        SDL_Quit();
        return false;
    }
    return true;
}

} // namespace

bool window_screen_area(int out[4], std::string& why)
{
    if (!start_video(why)) return false;
    SDL_Rect r;
    if (SDL_GetDisplayUsableBounds(0, &r) != 0 && SDL_GetDisplayBounds(0, &r) != 0) {
        why = msg(MSG_SCREEN_SIZE_FAILED, SDL_GetError());
        return false;
    }
    out[0] = r.x;
    out[1] = r.y;
    out[2] = r.w;
    out[3] = r.h;
    return true;
}

void window_set_minimum_size(int w, int h)
{
    if (window) SDL_SetWindowMinimumSize(window, w, h);
}

int window_refresh_hz()
{
    SDL_DisplayMode mode;
    if (!window || SDL_GetWindowDisplayMode(window, &mode) != 0) return 0;
    return mode.refresh_rate;
}

bool window_open(const char* title, int x, int y, int w, int h, bool hidden, std::string& why, bool borderless)
{
    if (window) return true;
    if (!start_video(why)) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    Uint32 flags = SDL_WINDOW_OPENGL | (hidden ? SDL_WINDOW_HIDDEN : 0) |
                   (borderless ? SDL_WINDOW_BORDERLESS : SDL_WINDOW_RESIZABLE);
    window = SDL_CreateWindow(title, x, y, w, h, flags);
    if (!window) {
        why = msg(MSG_WINDOW_FAILED, SDL_GetError());
        SDL_Quit();
        return false;
    }
    context = SDL_GL_CreateContext(window);
    if (!context) {
        why = msg(MSG_NO_GL_CONTEXT, SDL_GetError());
        SDL_DestroyWindow(window);
        window = nullptr;
        SDL_Quit();
        return false;
    }
    SDL_GL_MakeCurrent(window, context);
    SDL_GL_SetSwapInterval(0);
    SDL_StopTextInput();
    screen_attach(&SDL_SCREEN);
    return true;
}

bool window_set_icon(const uint8_t* rgba, int side)
{
    if (!window || !rgba || side <= 0) return false;
    SDL_Surface* icon =
        SDL_CreateRGBSurfaceWithFormatFrom((void*)rgba, side, side, 32, side * 4, SDL_PIXELFORMAT_RGBA32);
    if (!icon) return false;
    SDL_SetWindowIcon(window, icon);
    SDL_FreeSurface(icon);
    return true;
}

void window_set_handlers(const window_handlers& h)
{
    handlers = h;
}

// One event, translated into the handler call it stands for.
bool window_dispatch_event(int timeout_ms)
{
    SDL_Event e;
    if (!SDL_WaitEventTimeout(&e, timeout_ms < 0 ? 0 : timeout_ms)) return false;
    switch (e.type) {
    case SDL_KEYDOWN: on_key_down(e.key); break;
    case SDL_KEYUP:
        input_modifiers = modifiers_of(e.key.keysym.mod);
        if (e.key.keysym.sym == SDLK_SPACE && handlers.key_up) handlers.key_up(KEY_BYTE_SPACE);
        break;
    case SDL_MOUSEWHEEL:
        if (handlers.wheel) {
            input_modifiers = modifiers_of((Uint16)SDL_GetModState());
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            const int flip = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -1 : 1;
            handlers.wheel(flip * e.wheel.x, flip * e.wheel.y, x, y);
        }
        break;
    case SDL_TEXTINPUT:
        if (handlers.text) handlers.text(e.text.text);
        break;
    case SDL_TEXTEDITING: on_composition(e.edit.text); break;
    case SDL_TEXTEDITING_EXT:
        on_composition(e.editExt.text ? e.editExt.text : "");
        SDL_free(e.editExt.text);
        break;
    case SDL_MOUSEBUTTONDOWN: on_button(e.button, MOUSE_PRESS); break;
    case SDL_MOUSEBUTTONUP: on_button(e.button, MOUSE_RELEASE); break;
    case SDL_MOUSEMOTION:
        if (e.motion.state != 0) {
            if (handlers.motion) handlers.motion(e.motion.x, e.motion.y);
        } else if (handlers.passive_motion) {
            handlers.passive_motion(e.motion.x, e.motion.y);
        }
        break;
    case SDL_WINDOWEVENT: on_window_event(e.window); break;
    case SDL_QUIT:
        if (handlers.close) handlers.close();
        break;
    default: break;
    }
    return true;
}

void window_close()
{
    if (!window) return;
    screen_attach(nullptr);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);
    context = nullptr;
    window = nullptr;
    SDL_Quit();
}

// ---- title, buffers and text input ---------------------------------------------------

void window_set_title(const char* utf8)
{
    if (window) SDL_SetWindowTitle(window, utf8);
}

void window_swap()
{
    if (window) SDL_GL_SwapWindow(window);
}

void window_text_input(bool on)
{
    if (on == (SDL_IsTextInputActive() == SDL_TRUE)) return;
    if (on) SDL_StartTextInput();
    else SDL_StopTextInput();
}

void window_text_input_rect(int x, int y, int w, int h)
{
    SDL_Rect r = {x, y, w, h};
    SDL_SetTextInputRect(&r);
}
