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
 * The picture is drawn in horizontal bands, each on a surface of the
 * picture's width and at most PREVIEW_BAND_PIXELS pixels, the panel's
 * corner as far above the band's top as the band is down the picture.
 * Every item is drawn in every band and the surface's edge cuts it, so the
 * bands join without a seam; each band's rows are encoded as soon as they
 * are read, so memory stays bounded whatever the picture's size.
 *
 * Limits: at most OFFSCREEN_MAX_SIDE pixels a side.
 * Depends on: libpng (PNG encoding, row by row); POSIX stat, lstat and
 * access (checking the PNG's path before anything is drawn).
 * Does NOT: load the workspace, fix the clock (items/calendar.h does), or
 * draw the palette, buttons, read-outs or selection.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "play/engine.h"
#include "platform/outcome.h"
#include "raster/picture.h"
#include "raster/view.h"
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int64_t PREVIEW_BAND_PIXELS = 1 << 22;   // pixels of one band's surface

// What one drawing context keeps from one drawing of the panel to the next:
// the pictures and their textures, loaded by the first; and, for the bands
// of one picture, the time its clock fields show.
struct preview_cache {
    std::unique_ptr<graph_draw[]> pictures;
    bool time_fixed = false;
    local_time now = {};
};

// Draw the panel of `d` where view `v` has it, every item unselected: as
// the designer shows it, or as it plays at `moment` (play/engine), with the
// looks `shows` (play_document's, by item id) when they are known already.
// Without `grid` nothing but the panel's own dots is drawn (the player).
void draw_panel_preview(const document& d, const view& v, preview_cache& cache, const play_moment* moment = nullptr,
                        bool grid = true, const std::vector<play_show>* shows = nullptr);

// Where the panel's corner stands in a picture at `pitch`: dot (0, 0)
// lights the picture's first pixel.
int preview_panel_corner(int pitch);

// The view of a w x h window at `pitch` that shows the panel from its
// corner, placed as preview_panel_corner says.
view preview_view(int pitch, int w, int h);

// Open an off-screen surface of w x h pixels and make it what is drawn
// into, ready for draw_panel_preview. False with a reason.
bool preview_surface_open(int w, int h, std::string& why);

// The picture's size at `pitch`, or a reason (no panel, too big).
bool panel_picture_size(const document& d, int pitch, int& w, int& h, std::string& why);

// A band's rows as they are drawn: `count` RGB rows of the picture's width,
// top first, the first of them row `first` of the picture. False stops.
using preview_rows = std::function<bool(const uint8_t* rgb, int first, int count)>;

// Render the panel off-screen at `pitch` in bands of `band_rows` rows (0: as
// many as PREVIEW_BAND_PIXELS allow), top band first. False with a reason
// (empty when `take` stopped it).
bool render_panel_bands(const document& d, int pitch, int band_rows, const play_moment* moment,
                        const preview_rows& take, std::string& why);

// Render and write the PNG through a temporary file. Only a regular file
// (a link is followed to one) or a new name is written; a device, a pipe or
// a folder there is refused and left as it is.
outcome write_panel_png(const document& d, int pitch, const char* path, const play_moment* moment = nullptr);

// Whether `path` can take the picture: its folder exists and can be written,
// and it names a new file or a regular file that may be written (not a
// folder, a device or a pipe). Fails with a reason.
outcome png_path_writable(const char* path);
