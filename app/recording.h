/*******************************************************************************
 * app/recording.h - the panel playing, recorded as an animated GIF
 *
 * Draws the panel off-screen as the panel picture does (app/preview.h: the
 * same drawing, the same pixels at the same pitch) once a frame while it
 * plays from the first moment of the simulation: frame k shows the moment
 * k / fps seconds in, with the clock `start` moved on as far. A frame in
 * which no item's look changed (play/engine's stamps) is not drawn again.
 * The frames go to platform/gif_write, which writes the file through a
 * temporary and a rename.
 *
 * Limits: the surface of app/preview.h; GIF_SECONDS_MAX seconds at most
 *   (the file is held in memory until it is written).
 * Depends on: platform/offscreen_gl (Mesa's surfaceless EGL), giflib through
 *   platform/gif_write.
 * Does NOT: check the path (app/preview's png_path_writable does for both
 *   pictures), open the value source or wait for the PLC (the caller does).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/outcome.h"
#include "platform/system.h"
#include <string>

class values_source;

constexpr double GIF_SECONDS_MAX = 600;   // the longest recording
constexpr double GIF_FPS_DEFAULT = 25;

// What to record and where.
struct gif_recording {
    std::string path;
    int pitch = 2;
    double seconds = 1;
    double fps = GIF_FPS_DEFAULT;
    local_time start = {};                  // the clock at the first frame
    const values_source* values = nullptr;  // null: variables keep their design look
};

// Frames of the recording: seconds x fps, rounded, at least one.
int gif_frame_count(const gif_recording& r);

// Record the panel of `d` playing and write the GIF.
outcome write_panel_gif(const document& d, const gif_recording& r);
