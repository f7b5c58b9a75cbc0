/*******************************************************************************
 * edit/panning.h - moving the view: pans, scroll bars, the wheel, zoom and fit
 *
 * The middle button, or the left one while Space is held, pulls the panel;
 * a press on a scroll bar's thumb drags it and a press on its trough pages;
 * the wheel scrolls (Shift: sideways; Ctrl: zooms at the pointer); a drag
 * that comes near an edge of the panel's area scrolls towards it. Each of
 * these changes the view only.
 *
 * Limits: the scroll stays inside the content (view_layout).
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: move or change any item (edit/motion.cpp does).
 ******************************************************************************/
#pragma once
#include "edit/interaction.h"

constexpr int WHEEL_STEP_PX = 48;        // one notch of the wheel scrolls this far
constexpr int AUTO_SCROLL_EDGE_PX = 24;  // a drag this close to an area edge scrolls
constexpr int AUTO_SCROLL_STEP_PX = 16;  // by this much a move

// A press that moves the view (middle button; left with Space held; on a
// scroll bar): taken, true. Anything else: false.
bool panning_press(editor& e, int button, int x, int y);
// A move during a pan or a scroll bar drag: true when it was one.
bool panning_motion(editor& e, int x, int y);
// A drag's move came near an edge of the area, heading for it: scroll.
void auto_scroll(editor& e, int x, int y, int dx, int dy);
