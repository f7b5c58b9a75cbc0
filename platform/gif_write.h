/*******************************************************************************
 * platform/gif_write.h - an animated GIF from RGB frames
 *
 * Frames of one size are added one after another and encoded as they come
 * (giflib's LZW); the file is written at the end, through a temporary file
 * and a rename, so a failed recording leaves no half file.
 *
 * - Colours: a frame of at most 256 colours is kept exactly. The first
 *   frame's colours are the file's palette; a later frame whose colours all
 *   stand in it uses it, any other frame gets a palette of its own: exact, or
 *   for more than 256 colours (photographs) giflib's median-cut quantiser,
 *   each colour then the mean of the pixels it stands for (a pure LED
 *   colour keeps its own value unless the quantiser put it with near
 *   colours of the photograph).
 * - Frames that repeat the one before are not stored again: the earlier
 *   frame is held longer instead.
 * - Timing: frame k shows from k/fps seconds on, in the GIF's steps of
 *   1/100 s (rounded per frame, so the delays add up to the length); fps is
 *   held to 1..50. The animation loops forever.
 *
 * Limits: 1..65535 pixels each way, at most 2^26 a frame; the encoded file is held in memory until
 *   it is written.
 * Depends on: giflib, platform/file_write, platform/outcome.
 * Does NOT: scale or dither frames, or read GIF files.
 ******************************************************************************/
#pragma once
#include "platform/outcome.h"
#include <cstdint>
#include <memory>
#include <string>

constexpr int GIF_SIDE_MAX = 65535;
constexpr int64_t GIF_PIXELS_MAX = 1 << 26;   // pixels of one frame
constexpr double GIF_FPS_MIN = 1, GIF_FPS_MAX = 50;

class gif_writer {
public:
    gif_writer();
    ~gif_writer();
    gif_writer(const gif_writer&) = delete;
    gif_writer& operator=(const gif_writer&) = delete;

    // Start an animation of width x height pixels at `fps` frames a second,
    // to be saved as `path`.
    outcome open(const std::string& path, int width, int height, double fps);
    // Add one frame: width x height RGB triples, rows top to bottom.
    outcome add(const uint8_t* rgb);
    // Encode the last frame and write the file.
    outcome finish();
    // Frames added so far.
    int frames() const;

    struct impl;

private:
    std::unique_ptr<impl> p;
};
