/*******************************************************************************
 * app/recording.cpp - frames of the panel playing, into an animated GIF
 ******************************************************************************/
#include "app/recording.h"
#include "app/preview.h"
#include "platform/gif_write.h"
#include "platform/offscreen_gl.h"
#include "raster/gfx.h"
#include "raster/view.h"
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr double MS_PER_SECOND = 1000;

// The off-screen surface of one recording, closed when it goes out of scope.
struct surface {
    bool open = false;
    ~surface()
    {
        if (open) offscreen_close();
    }
};

} // namespace

int gif_frame_count(const gif_recording& r)
{
    const double frames = std::round(r.seconds * r.fps);
    return frames < 1 ? 1 : (int)frames;
}

outcome write_panel_gif(const document& d, const gif_recording& r)
{
    // The surface is the panel, its corner placed as in the panel picture.
    int w = 0, h = 0;
    std::string why;
    if (!panel_picture_size(d, r.pitch, w, h, why)) return outcome_fail(MSG_PLAIN, why.c_str());
    const view v = preview_view(r.pitch, w, h);

    gif_writer gif;
    outcome o = gif.open(r.path, w, h, r.fps);
    if (!o) return o;
    surface s;
    s.open = preview_surface_open(w, h, why);
    if (!s.open) return outcome_fail(MSG_PLAIN, why.c_str());

    std::vector<play_show> looks, last;
    preview_cache cache;
    std::vector<uint8_t> rgb;
    const int frames = gif_frame_count(r);
    for (int k = 0; k < frames; k++) {
        play_moment m;
        m.values = r.values;
        m.simulating = true;
        m.ms = (int64_t)std::llround(k * MS_PER_SECOND / r.fps);
        m.now = play_time_after(r.start, m.ms / (int64_t)MS_PER_SECOND);
        play_document(d, m, looks);
        if (k == 0 || !play_same_looks(looks, last)) {
            gfx_clear();
            draw_panel_preview(d, v, cache, &m, true, &looks);
            gfx_finish();
            if (!offscreen_read(rgb, why)) return outcome_fail(MSG_PLAIN, why.c_str());
        }
        o = gif.add(rgb.data());
        if (!o) return o;
        looks.swap(last);
    }
    return gif.finish();
}
