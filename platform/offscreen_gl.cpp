/*******************************************************************************
 * platform/offscreen_gl.cpp - surfaceless EGL context with a pbuffer surface
 ******************************************************************************/
#include "platform/offscreen_gl.h"
#include "platform/messages.h"
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <cstdio>
#include <cstring>

namespace {

EGLDisplay display = EGL_NO_DISPLAY;
EGLContext context = EGL_NO_CONTEXT;
EGLSurface surface = EGL_NO_SURFACE;
int width = 0, height = 0;

// Mesa's surfaceless display: no window system at all.
EGLDisplay surfaceless_display()
{
    auto get_platform_display =
        (PFNEGLGETPLATFORMDISPLAYEXTPROC)eglGetProcAddress("eglGetPlatformDisplayEXT");
    if (!get_platform_display) return EGL_NO_DISPLAY;
    return get_platform_display(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

bool fail(std::string& why, msg_id what)
{
    why = msg(MSG_GL_ERROR, msg_text(what), (unsigned)eglGetError());
    offscreen_close();
    return false;
}

} // namespace

bool offscreen_open(int w, int h, std::string& why)
{
    offscreen_close();
    if (w < 1 || h < 1 || w > OFFSCREEN_MAX_SIDE || h > OFFSCREEN_MAX_SIDE) {
        why = msg(MSG_PNG_TOO_BIG, w, h, OFFSCREEN_MAX_SIDE);
        return false;
    }
    display = surfaceless_display();
    if (display == EGL_NO_DISPLAY) return fail(why, MSG_GL_NO_SURFACELESS);
    EGLint major = 0, minor = 0;
    if (!eglInitialize(display, &major, &minor)) return fail(why, MSG_GL_CANNOT_START);
    if (!eglBindAPI(EGL_OPENGL_API)) return fail(why, MSG_GL_NO_DESKTOP);

    const EGLint config_attribs[] = {EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
                                     EGL_DEPTH_SIZE, 0, EGL_NONE};
    EGLConfig config;
    EGLint n = 0;
    if (!eglChooseConfig(display, config_attribs, &config, 1, &n) || n < 1)
        return fail(why, MSG_GL_NO_RGBA);
    const EGLint surface_attribs[] = {EGL_WIDTH, w, EGL_HEIGHT, h, EGL_NONE};
    surface = eglCreatePbufferSurface(display, config, surface_attribs);
    if (surface == EGL_NO_SURFACE) return fail(why, MSG_GL_NO_SURFACE);
    context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (context == EGL_NO_CONTEXT) return fail(why, MSG_GL_NO_CONTEXT);
    if (!eglMakeCurrent(display, surface, surface, context)) return fail(why, MSG_GL_CANNOT_USE);
    width = w;
    height = h;
    return true;
}

bool offscreen_read(std::vector<uint8_t>& rgb, std::string& why)
{
    if (context == EGL_NO_CONTEXT) {
        why = msg(MSG_GL_NOT_OPEN);
        return false;
    }
    glFinish();
    std::vector<uint8_t> rows((size_t)width * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rows.data());
    if (glGetError() != GL_NO_ERROR) {
        why = msg(MSG_GL_CANNOT_READ);
        return false;
    }
    // OpenGL gives the bottom row first.
    const size_t stride = (size_t)width * 3;
    rgb.resize(rows.size());
    for (int y = 0; y < height; y++)
        memcpy(&rgb[(size_t)y * stride], &rows[(size_t)(height - 1 - y) * stride], stride);
    return true;
}

void offscreen_close()
{
    if (display != EGL_NO_DISPLAY) {
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        if (context != EGL_NO_CONTEXT) eglDestroyContext(display, context);
        if (surface != EGL_NO_SURFACE) eglDestroySurface(display, surface);
        eglTerminate(display);
    }
    display = EGL_NO_DISPLAY;
    context = EGL_NO_CONTEXT;
    surface = EGL_NO_SURFACE;
    width = height = 0;
}
