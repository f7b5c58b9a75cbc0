/*******************************************************************************
 * app/frame.h - the frame routine and the pacing that runs it
 *
 * Every frame shows the whole window from the document, the view and the
 * interaction: palette, tool buttons, panel with grid and rulers, pictures,
 * items and read-outs. Items that did not change come from the item layers
 * (items/item_layers.h) unless they are switched off.
 *
 * A frame is drawn only when something changed: input and window events
 * that change what shows (request_redraw), a new status message, and, while
 * a clock or calendar field is on screen, each new second; and at most once
 * a display refresh. The event loop hands on every event that is waiting,
 * draws when frame_due says so, and waits at most frame_wait_ms for the
 * next event.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: swap the window's buffers (app/main.cpp does).
 ******************************************************************************/
#pragma once
#include "app/designer.h"

constexpr int FRAME_IDLE_WAIT_MS = 1000;  // longest wait when nothing is due
// Baseline start of the status line: along the top edge, above every button,
// clear of the selected item's description line (which stands over the ruler).
constexpr int STATUS_X = 730;
constexpr int STATUS_Y = 20;

// Lay the view out for the window and the document: the panel's area, the
// scroll bars, the scroll kept inside the panel and the items.
void designer_layout(designer& g);

// Draw one whole frame through the drawing layer (no buffer swap).
void frame_routine(designer& g);

// Something the user did or the window went through: draw the next frame.
void request_redraw(designer& g);
// True when the window no longer shows the current state.
bool frame_wanted(const designer& g);
// True when a frame is wanted and its refresh has come: at most one frame
// is drawn a refresh, however fast the input comes.
bool frame_due(const designer& g);
// Milliseconds the event loop may wait before a frame may be due (0: now).
int frame_wait_ms(const designer& g);

// The window's client area is now w x h.
void on_reshape(designer& g, int w, int h);
