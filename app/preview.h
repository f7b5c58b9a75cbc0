/*******************************************************************************
 * app/preview.h - a picture of the panel without a window
 *
 * Draws what the designer's panel shows (black background, the grid from
 * pitch 2 on, pictures, tables under the other items, texts; nothing
 * selected) through the drawing layer's OpenGL backend into an off-screen
 * surface, and writes it as a PNG. At pitch 1 the picture is W x H pixels,
 * one per dot; at pitch N it is W*N x H*N, the panel area of the window at
 * that zoom, pixel for pixel. Given a moment of play (play/engine), it draws
 * the panel as it plays then: texts moving, values from a source.
 *
 * Limits: the panel and its distance from the window's corner must fit in
 * OFFSCREEN_MAX_SIDE pixels a side.
 * Depends on: stb_image_write (PNG encoding); POSIX stat, lstat and access
 * (checking the PNG's path before anything is drawn).
 * Does NOT: load the workspace, fix the clock (items/calendar.h does), or
 * draw the palette, buttons, read-outs or selection.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "play/engine.h"
#include "platform/outcome.h"
#include "raster/view.h"
#include <cstdint>
#include <string>
#include <vector>

// Draw the panel of `d` where view `v` has it, every item unselected: as
// the designer shows it, or as it plays at `moment` (play/engine).
// Without `grid` nothing but the panel's own dots is drawn (the player).
void draw_panel_preview(const document& d, const view& v, const play_moment* moment = nullptr, bool grid = true);

// Render the panel off-screen at `pitch`: RGB rows, top first.
bool render_panel_preview(const document& d, int pitch, std::vector<uint8_t>& rgb, int& w, int& h, std::string& why,
                          const play_moment* moment = nullptr);

// Render and write the PNG through a temporary file. Only a regular file
// (a link is followed to one) or a new name is written; a device, a pipe or
// a folder there is refused and left as it is.
outcome write_panel_png(const document& d, int pitch, const char* path, const play_moment* moment = nullptr);

// Whether `path` can take the picture: its folder exists and can be written,
// and it names a new file or a regular file that may be written (not a
// folder, a device or a pipe). Fails with a reason.
outcome png_path_writable(const char* path);
