/*******************************************************************************
 * app/preview.cpp - the panel drawn off-screen and written as a PNG
 ******************************************************************************/
#include "app/preview.h"
#include "items/digit_item.h"
#include "items/kinds.h"
#include "items/text_item.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/file_write.h"
#include "platform/offscreen_gl.h"
#include "raster/canvas.h"
#include "raster/gfx.h"
#include "raster/picture.h"
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

void append_bytes(void* context, void* data, int size)
{
    static_cast<std::string*>(context)->append(static_cast<const char*>(data), (size_t)size);
}

} // namespace

// The frame's panel steps, in the frame's order, without the selection.
void draw_panel_preview()
{
    gfx_push();
    draw_panel_background();
    if (led_pitch >= 2) {
        gfx_push();
        gfx_translate(PANEL_X, PANEL_Y);
        draw_panel_grid();
        gfx_pop();
    }
    gfx_texturing(false);
    draw_pictures(-1);
    gfx_texturing(false);
    measure_items(NO_ITEM, NO_ITEM);   // the picture shows every item unselected
    for_each_unit_in_drawing_order([](int i) { draw_digit_item(digit_table[i]); });
    for (int i = 0; i < STRING_COUNT; i++)
        if (string_table[i].visible) draw_text_item(string_table[i]);
    gfx_texturing(false);
    gfx_pop();
}

bool render_panel_preview(std::vector<uint8_t>& rgb, int& w, int& h, std::string& why)
{
    const int p = dot_pitch();
    w = panel_width() * p;
    h = panel_height() * p;
    if (w < 1 || h < 1) {
        why = "the panel has no size (WIDTH and HEIGHT in SysCfg.ini)";
        return false;
    }
    // The surface reaches from the window's corner to the panel's far corner,
    // so everything is drawn at the window's own coordinates; the panel is
    // then cut out of it.
    const int sw = PANEL_X + w, sh = PANEL_Y + h;
    if (!offscreen_open(sw, sh, why)) return false;
    gfx_use(nullptr);
    gfx_init_state();
    gfx_final_state();
    gfx_reshape(sw, sh);
    gfx_clear();
    gfx_lighting_off();
    draw_panel_preview();
    gfx_finish();
    std::vector<uint8_t> all;
    bool ok = offscreen_read(all, why);
    offscreen_close();
    if (!ok) return false;
    rgb.resize((size_t)w * h * 3);
    for (int y = 0; y < h; y++)
        memcpy(&rgb[(size_t)y * w * 3], &all[((size_t)(PANEL_Y + y) * sw + PANEL_X) * 3], (size_t)w * 3);
    return true;
}

outcome write_panel_png(const char* path)
{
    std::vector<uint8_t> rgb;
    int w = 0, h = 0;
    std::string why;
    if (!render_panel_preview(rgb, w, h, why)) return outcome_fail(MSG_PLAIN, why.c_str());
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
