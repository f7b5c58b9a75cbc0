/*******************************************************************************
 * raster/canvas.h - the LED canvas: colour table, dot primitives, panel furniture
 *
 * A lit LED is one square point of the canvas pitch (the view's pitch, set by
 * whoever draws); unlit LEDs are not drawn. Colour codes 0..6 pick a colour
 * of the table, 7 keeps the current colour (3-pixel dot for draw_dot), 0xFF
 * is a fixed-size marker; any other code keeps the current colour at the
 * pitch. Only the low 8 bits of a code count.
 *
 * The pitch is drawing state, as the colour and the point size are: the
 * frame, the panel picture and the layers set it from their view before
 * they draw.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: clip dots to the panel or the area (the caller clips), or
 * remember anything between calls but the pitch.
 ******************************************************************************/
#pragma once
#include "raster/view.h"
#include <cstdint>

constexpr int LED_COLOURS = 7;

extern const float led_colour[LED_COLOURS][3];

// The pitch dots are drawn at from now on (at least 1), and the one in use.
void canvas_use_pitch(int pitch);
int canvas_pitch();

// Light one dot; returns 0 always.
int draw_dot(int code, int x, int y);

// The top-left window pixel of the square a dot drawn at (x, y) lights at
// pitch p: OpenGL centres a point of even size on its vertex, one of odd size
// on the middle of the pixel right of and above it (y grows downwards here).
inline void dot_cell_corner(int x, int y, int p, int& left, int& top)
{
    left = x - p / 2;
    top = y - (p + 1) / 2;
}
// The same with the rules of text glyphs.
int draw_text_dot(int code, int x, int y);
// Text glyph dot at doubled size (48- and 64-dot fonts).
int draw_text_dot_double(int code, int x, int y);

// The black panel area of w x h dots with its corner at window pixel (x, y).
void draw_panel_background(int x, int y, int w, int h);
// The 4-dot grid of a w x h panel where view `v` has it, the lines inside
// the view's area only (the caller clips to it).
void draw_panel_grid(const view& v, int w, int h);
// The rulers along the area's top and left edges: both axes, and a tick
// every RULER_STEP dots with its number, for the dots in view, along the top
// and down the side as asked.
constexpr int RULER_STEP = 32;
void draw_panel_rulers(const view& v, bool top = true, bool side = true);
