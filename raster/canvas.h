/*******************************************************************************
 * raster/canvas.h - the LED canvas: colour table, dot primitives, panel furniture
 *
 * Dot (c, r) of the panel lies at window pixel (265 + c*led_pitch, 145 + r*led_pitch).
 * A lit LED is one square point; unlit LEDs are not drawn. Colour codes 0..6
 * pick a colour of the table, 7 keeps the current colour (3-pixel dot for
 * draw_dot), 0xFF is a fixed-size marker; any other code keeps the current
 * colour at led_pitch. Only the low 8 bits of a code count.
 *
 * Does NOT: clip dots to the panel, or remember anything between calls (the
 * colour and point size are left set in the drawing layer).
 ******************************************************************************/
#pragma once
#include "model/settings.h"   // PANEL_X, PANEL_Y: where the panel stands
#include <cstdint>

constexpr int LED_COLOURS = 7;

extern const float led_colour[LED_COLOURS][3];

// Light one dot; returns 0 always.
int draw_dot(int code, int x, int y);
// The same with the rules of text glyphs.
int draw_text_dot(int code, int x, int y);
// Text glyph dot at doubled size (48- and 64-dot fonts).
int draw_text_dot_double(int code, int x, int y);

// The black panel area of panel_width() x panel_height() dots at led_pitch.
void draw_panel_background();
// Axes, ruler ticks and labels, and the 4-dot grid, relative to the panel origin.
void draw_panel_grid();
