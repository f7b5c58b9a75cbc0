/*******************************************************************************
 * app/frame.h - the frame routine and the window callbacks that run it
 *
 * Every frame redraws the whole window from the item tables and the
 * interaction state: palette, tool buttons, panel with grid and rulers, items
 * and read-outs. The event loop asks frame_wanted() whether to draw one now;
 * frames are paced to at most 60 a second so an idle designer does not hold
 * a whole core.
 ******************************************************************************/
#pragma once

constexpr long FRAME_MIN_MICROS = 1000000 / 60;
// Baseline start of the status line: along the top edge, above every button,
// clear of the selected item's description line (which stands over the ruler).
constexpr int STATUS_X = 730;
constexpr int STATUS_Y = 20;

// Draw one whole frame through the drawing layer (no buffer swap).
void frame_routine();

// A handled event may have changed what the window shows.
void request_redraw();
// True when a frame should be drawn now (and counts it as drawn).
bool frame_wanted();
// How long the loop may wait for an event before the next frame is due, ms.
int frame_wait_ms();

// The window's client area is now w x h.
void on_reshape(int w, int h);
