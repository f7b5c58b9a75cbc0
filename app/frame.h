/*******************************************************************************
 * app/frame.h - the frame routine and the window callbacks that run it
 *
 * Every frame redraws the whole window from the item tables and the
 * interaction state: palette, tool buttons, panel with grid and rulers, items
 * and read-outs. Display and idle both run it; the idle path is paced to at
 * most 60 frames a second so an idle designer does not hold a whole core.
 ******************************************************************************/
#pragma once

constexpr long FRAME_MIN_MICROS = 1000000 / 60;
// Baseline start of the status line: along the top edge, above every button,
// clear of the selected item's description line (which stands over the ruler).
constexpr int STATUS_X = 730;
constexpr int STATUS_Y = 20;

// Draw one whole frame through the drawing layer (no buffer swap).
void frame_routine();

// GLUT callbacks.
void on_display();
void on_idle();
void on_reshape(int w, int h);
