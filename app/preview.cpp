/*******************************************************************************
 * app/preview.cpp - the panel drawn off-screen in bands and written as a PNG
 *
 * Sections: drawing the panel | bands | the PNG encoder | writing the file |
 * checking the path
 ******************************************************************************/
#include "app/preview.h"
#include "items/calendar.h"
#include "items/kinds.h"
#include "platform/file_write.h"
#include "platform/offscreen_gl.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include <algorithm>
#include <csetjmp>
#include <cstring>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int GRID_PITCH_MIN = 2;   // the grid shows from this pitch on, as in the window
constexpr int PNG_BIT_DEPTH = 8;
constexpr int RGB_BYTES = 3;

} // namespace

// ---- drawing the panel ----------------------------------------------------------------

// The frame's panel steps, in the frame's order, without the selection.
void draw_panel_preview(const document& d, const view& v, preview_cache& cache, const play_moment* moment, bool grid,
                        const std::vector<play_show>* shows)
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
    // The pictures, with textures of this drawing context loaded once.
    const int n = std::clamp(d.picture_count, 0, PICTURE_COUNT);
    if (!cache.pictures) {
        cache.pictures.reset(new graph_draw[PICTURE_COUNT]);
        for (int i = 0; i < n; i++) {
            const doc_picture& from = d.pictures[i];
            graph_draw& to = cache.pictures[i];
            to.pic_width = from.w;
            to.pic_height = from.h;
            to.has_picture = from.has_picture;
            memcpy(to.bmp_path, from.bmp_path, BMP_PATH_LEN < PICTURE_PATH_LEN ? BMP_PATH_LEN : PICTURE_PATH_LEN);
            to.bmp_path[BMP_PATH_LEN - 1] = 0;
        }
    }
    for (int i = 0; i < n; i++) {
        const doc_picture& from = d.pictures[i];
        graph_draw& to = cache.pictures[i];
        if (!from.shown) continue;
        to.left = clamp32((int64_t)v.panel_x + (int64_t)from.x * p);
        to.top = clamp32((int64_t)v.panel_y + (int64_t)from.y * p);
        draw_picture(to);
    }
    gfx_texturing(false);
    item_draw_ctx ctx;
    ctx.doc = &d;
    ctx.pitch = p;
    ctx.now = moment ? moment->now : cache.time_fixed ? cache.now : read_clock();
    play_show show;
    doc_walk_drawing_order(d, [&](item_id id, const item& it) {
        ctx.x = view_x(v, it.x);
        ctx.y = view_y(v, it.y);
        if (moment && shows) ctx.show = &(*shows)[id];
        else if (moment) {
            show = play_item(it, *moment);
            ctx.show = &show;
        }
        draw_item(it, ctx);
    });
    gfx_texturing(false);
    gfx_pop();
}

// ---- bands --------------------------------------------------------------------------

// At pitch 1 an item's corner stands inside its dot's pixel, not a pixel
// past it; from pitch 2 on the dot's cell starts at the panel's corner, as
// in the window.
int preview_panel_corner(int pitch) { return pitch <= 1 ? -ITEM_PIXEL_OFFSET : 0; }

view preview_view(int pitch, int w, int h)
{
    view v;
    v.pitch = pitch;
    v.panel_x = v.panel_y = preview_panel_corner(view_pitch(v));
    v.window_w = w;
    v.window_h = h;
    return v;
}

bool preview_surface_open(int w, int h, std::string& why)
{
    if (!offscreen_open(w, h, why)) return false;
    gfx_use(nullptr);
    gfx_init_state();
    gfx_final_state();
    gfx_reshape(w, h);
    gfx_lighting_off();
    return true;
}

bool panel_picture_size(const document& d, int pitch, int& w, int& h, std::string& why)
{
    const int p = std::max(pitch, 1);
    const int64_t w64 = (int64_t)d.settings.panel_w * p, h64 = (int64_t)d.settings.panel_h * p;
    if (w64 < 1 || h64 < 1) {
        why = msg(MSG_PNG_NO_PANEL);
        return false;
    }
    if (w64 > OFFSCREEN_MAX_SIDE || h64 > OFFSCREEN_MAX_SIDE) {
        why = msg(MSG_PNG_TOO_BIG, (int)std::min<int64_t>(w64, INT32_MAX), (int)std::min<int64_t>(h64, INT32_MAX),
                  OFFSCREEN_MAX_SIDE);
        return false;
    }
    w = (int)w64;
    h = (int)h64;
    return true;
}

// Each band is the view of a window whose corner is the band's.
bool render_panel_bands(const document& d, int pitch, int band_rows, const play_moment* moment,
                        const preview_rows& take, std::string& why)
{
    int w = 0, h = 0;
    if (!panel_picture_size(d, pitch, w, h, why)) return false;
    const int rows = (int)std::clamp<int64_t>(band_rows > 0 ? band_rows : PREVIEW_BAND_PIXELS / w, 1, h);
    if (!preview_surface_open(w, rows, why)) return false;
    view v = preview_view(pitch, w, rows);
    // One time for every band, so the clock cannot change half-way down.
    preview_cache cache;
    cache.time_fixed = true;
    cache.now = read_clock();
    std::vector<uint8_t> rgb;
    bool ok = true;
    why.clear();
    for (int top = 0; ok && top < h; top += rows) {
        v.panel_y = preview_panel_corner(pitch) - top;
        gfx_clear();
        draw_panel_preview(d, v, cache, moment);
        gfx_finish();
        ok = offscreen_read(rgb, why) && take(rgb.data(), top, std::min(rows, h - top));
    }
    cache.pictures.reset();
    offscreen_close();
    return ok;
}

// ---- the PNG encoder ------------------------------------------------------------------

namespace {

// libpng writing into a replacement's temporary. The first failed write is
// kept and later bytes are dropped; the caller stops at the band's end.
struct png_out {
    png_structp png = nullptr;
    png_infop info = nullptr;
    file_replacement* file = nullptr;
    outcome written = outcome_ok();
    ~png_out() { png_destroy_write_struct(&png, &info); }
};

// libpng's errors end the call that met them (png_begin, png_rows, png_end).
[[noreturn]] void png_failed(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void png_warned(png_structp, png_const_charp) {}

void png_bytes_out(png_structp png, png_bytep data, size_t size)
{
    png_out& out = *static_cast<png_out*>(png_get_io_ptr(png));
    if (out.written) out.written = replace_write(*out.file, data, size);
}

void png_flush_none(png_structp) {}

// The calls into libpng hold no object with a destructor, so an error's
// jump back to them skips nothing that needs ending.
bool png_begin(png_out& out, int w, int h)
{
    out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, png_failed, png_warned);
    if (!out.png) return false;
    out.info = png_create_info_struct(out.png);
    if (!out.info) return false;
    if (setjmp(png_jmpbuf(out.png))) return false;
    png_set_write_fn(out.png, &out, png_bytes_out, png_flush_none);
    png_set_IHDR(out.png, out.info, (png_uint_32)w, (png_uint_32)h, PNG_BIT_DEPTH, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(out.png, out.info);
    return true;
}

bool png_rows(png_out& out, const uint8_t* rgb, int count, size_t stride)
{
    if (setjmp(png_jmpbuf(out.png))) return false;
    for (int y = 0; y < count; y++) png_write_row(out.png, rgb + (size_t)y * stride);
    return true;
}

bool png_end(png_out& out)
{
    if (setjmp(png_jmpbuf(out.png))) return false;
    png_write_end(out.png, out.info);
    return true;
}

} // namespace

// ---- writing the file -----------------------------------------------------------------

// The temporary is made when the first band is drawn, so a picture that
// cannot be drawn leaves no file behind; it is renamed over the target only
// once the last row is in it and flushed.
outcome write_panel_png(const document& d, int pitch, const char* path, const play_moment* moment)
{
    int w = 0, h = 0;
    std::string why;
    if (!panel_picture_size(d, pitch, w, h, why)) return outcome_fail(MSG_PLAIN, why.c_str());
    file_replacement file;
    png_out out;
    out.file = &file;
    outcome failed = outcome_ok();
    const preview_rows take = [&](const uint8_t* rgb, int first, int count) {
        if (first == 0) {
            failed = replace_begin(file, path);
            if (failed && !png_begin(out, w, h)) failed = outcome_fail(MSG_PNG_ENCODE_FAILED);
            if (!failed) return false;
        }
        if (!png_rows(out, rgb, count, (size_t)w * RGB_BYTES)) failed = outcome_fail(MSG_PNG_ENCODE_FAILED);
        else if (!out.written) failed = out.written;
        return failed.ok;
    };
    outcome o = outcome_ok();
    if (!render_panel_bands(d, pitch, 0, moment, take, why)) o = failed ? outcome_fail(MSG_PLAIN, why.c_str()) : failed;
    else if (!png_end(out)) o = outcome_fail(MSG_PNG_ENCODE_FAILED);
    else if (!out.written) o = out.written;
    else o = replace_finish(file);
    if (o) return replace_commit(file);
    replace_abandon(file);
    return o;
}

// ---- checking the path ----------------------------------------------------------------

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
