/*******************************************************************************
 * platform/offscreen_gl.h - an OpenGL context without a window or a display
 *
 * Mesa's surfaceless EGL platform gives a desktop OpenGL context drawing into
 * an off-screen surface of a fixed size, so the drawing layer's OpenGL
 * backend draws exactly as it does in the window, with no X server.
 *
 * Limits: one surface at a time, RGBA 8 bits a channel, no depth buffer (like
 * the window); at most OFFSCREEN_MAX_SIDE pixels a side.
 * Depends on: EGL (Mesa, surfaceless, with a pbuffer surface) and OpenGL
 * (reading the pixels back).
 * Does NOT: draw (raster/ does), write files, or choose the surface size.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int OFFSCREEN_MAX_SIDE = 16384;

// Make a w x h off-screen surface and its context current. False with a reason.
bool offscreen_open(int w, int h, std::string& why);

// The surface's pixels as RGB, top row first (w x h x 3 bytes).
bool offscreen_read(std::vector<uint8_t>& rgb, std::string& why);

// Release the context and the surface.
void offscreen_close();
