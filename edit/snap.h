/*******************************************************************************
 * edit/snap.h - items come to rest on whole panel dots
 *
 * While the pointer drags, items follow it pixel by pixel. When the gesture
 * ends (the release), every item it moved or resized is put on whole dots:
 * its position on the dot grid and its size a whole number of dots, so the
 * dots the panel shows are the dots the script saves.
 *
 * Limits: sizes never go below one dot. A table's columns and rows are
 * snapped one by one and its erased grid pieces follow them.
 * Depends on: model/tables, model/settings, raster/canvas (panel origin),
 * edit/state, edit/hit_test.
 * Does NOT: snap during a drag, nor touch items the gesture left alone.
 ******************************************************************************/
#pragma once
#include "model/tables.h"

// Items stand one pixel inside their dot cell, as items read from a script do.
constexpr int DOT_PIXEL_OFFSET = 1;

// The nearest dot position of a window pixel column or row.
int32_t snap_dot_x(int32_t x);
int32_t snap_dot_y(int32_t y);
// The nearest whole number of dots, at least one, in pixels.
int32_t snap_dot_size(int32_t size);

// Put one item on whole dots; `sizes` also snaps its size (and a table's cells).
void snap_unit(Digit_unit& d, bool sizes);
void snap_text(string_draw& s, bool sizes);

// Remember where the pressed items stand (end of a press) ...
void gesture_begin();
// ... and at the release snap what the drag moved or the handle resized.
void gesture_end();
