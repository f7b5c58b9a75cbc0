/*******************************************************************************
 * app/preview.cpp - the panel drawn off-screen and written as a PNG
 ******************************************************************************/
#include "app/preview.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include "platform/file_write.h"
#include "platform/offscreen_gl.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/picture.h"
#include <algorithm>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

constexpr int GRID_PITCH_MIN = 2;   // the grid shows from this pitch on, as in the window

void append_bytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), (size_t)size);
}

} // namespace

// The frame's panel steps, in the frame's order, without the selection.
void draw_panel_preview(const document& d, const view& v, const play_moment* moment, bool grid)
{
    const int p = view_pitch(v);
    canvas_use_pitch(p);
    gfx_push();
    draw_panel_background(v.panel_x, v.panel_y, d.settings.panel_w, d.settings.panel_h);
    if (grid && p >= GRID_PITCH_MIN) {
        // The grid over the whole panel, its rulers along the panel's edges
        // as the window has them (a side number may reach into the panel).
        view whole = v;
        whole.area_x = v.panel_x;
        whole.area_y = v.panel_y;
        whole.area_w = clamp32((int64_t)d.settings.panel_w * p + RULER_STEP * p);
        whole.area_h = clamp32((int64_t)d.settings.panel_h * p + RULER_STEP * p);
        draw_panel_rulers(whole);
        draw_panel_grid(whole, d.settings.panel_w, d.settings.panel_h);
    }
    gfx_texturing(false);
    // The pictures, with textures of this drawing context.
    std::unique_ptr<graph_draw[]> pictures(new graph_draw[PICTURE_COUNT]);
    const int n = std::clamp(d.picture_count, 0, PICTURE_COUNT);
    for (int i = 0; i < n; i++) {
        const doc_picture& from = d.pictures[i];
        graph_draw& to = pictures[i];
        if (!from.shown) continue;
        to.left = clamp32((int64_t)v.panel_x + (int64_t)from.x * p);
        to.top = clamp32((int64_t)v.panel_y + (int64_t)from.y * p);
        to.pic_width = from.w;
        to.pic_height = from.h;
        to.has_picture = from.has_picture;
        memcpy(to.bmp_path, from.bmp_path, BMP_PATH_LEN < PICTURE_PATH_LEN ? BMP_PATH_LEN : PICTURE_PATH_LEN);
        to.bmp_path[BMP_PATH_LEN - 1] = 0;
        draw_picture(to);
    }
    gfx_texturing(false);
    item_draw_ctx ctx;
    ctx.doc = &d;
    ctx.pitch = p;
    ctx.now = moment ? moment->now : read_clock();
    play_show show;
    doc_walk_drawing_order(d, [&](item_id, const item& it) {
        ctx.x = view_x(v, it.x);
        ctx.y = view_y(v, it.y);
        if (moment) {
            show = play_item(it, *moment);
            ctx.show = &show;
        }
        draw_item(it, ctx);
    });
    gfx_texturing(false);
    gfx_pop();
}

bool render_panel_preview(const document& d, int pitch, std::vector<uint8_t>& rgb, int& w, int& h, std::string& why,
                          const play_moment* moment)
{
    view v;
    v.pitch = pitch;
    const int p = view_pitch(v);
    const int64_t w64 = (int64_t)d.settings.panel_w * p, h64 = (int64_t)d.settings.panel_h * p;
    if (w64 < 1 || h64 < 1) {
        why = msg(MSG_PNG_NO_PANEL);
        return false;
    }
    // The surface reaches from the window's corner to the panel's far corner,
    // so everything is drawn at the window's own coordinates; the panel is
    // then cut out of it.
    const int64_t sw = v.panel_x + w64, sh = v.panel_y + h64;
    w = (int)w64;
    h = (int)h64;
    v.window_w = (int)sw;
    v.window_h = (int)sh;
    if (!offscreen_open((int)sw, (int)sh, why)) return false;
    gfx_use(nullptr);
    gfx_init_state();
    gfx_final_state();
    gfx_reshape((int)sw, (int)sh);
    gfx_clear();
    gfx_lighting_off();
    draw_panel_preview(d, v, moment);
    gfx_finish();
    std::vector<uint8_t> all;
    bool ok = offscreen_read(all, why);
    offscreen_close();
    if (!ok) return false;
    rgb.resize((size_t)w * h * 3);
    for (int y = 0; y < h; y++)
        memcpy(&rgb[(size_t)y * w * 3], &all[((size_t)(v.panel_y + y) * sw + v.panel_x) * 3], (size_t)w * 3);
    return true;
}

outcome write_panel_png(const document& d, int pitch, const char* path, const play_moment* moment)
{
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    std::string why;
    if (!render_panel_preview(d, pitch, rgb, w, h, why, moment)) return outcome_fail(MSG_PLAIN, why.c_str());
    std::string png;
    if (!stbi_write_png_to_func(append_bytes, &png, w, h, 3, rgb.data(), w * 3)) return outcome_fail(MSG_PNG_ENCODE_FAILED);
    return replace_file(path, png);
}

outcome png_path_writable(const char* path)
{
    const std::string p = path ? path : "";
    struct stat st;
    if (p.empty() || p.back() == '/' || (stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)))
        return outcome_fail(MSG_PNG_IS_FOLDER, p.c_str());
    // What is there, after its links: nothing, or a regular file we may write.
    const std::string target = final_target(p.c_str());
    if (lstat(target.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode)) return outcome_fail(MSG_FILE_NOT_REGULAR, p.c_str());
        if (access(target.c_str(), W_OK) != 0 || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return outcome_fail(MSG_FILE_READ_ONLY, p.c_str());
    }
    const size_t slash = target.find_last_of('/');
    const std::string dir = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    if (stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return outcome_fail(MSG_PNG_NO_FOLDER, p.c_str(), dir.c_str());
    if (access(dir.c_str(), W_OK | X_OK) != 0) return outcome_fail(MSG_PNG_FOLDER_LOCKED, p.c_str(), dir.c_str());
    return outcome_ok();
}
