/*******************************************************************************
 * app/pictures.cpp - the picture conversion's start-up steps
 ******************************************************************************/
#include "app/pictures.h"
#include "model/settings.h"
#include "model/tables.h"
#include <cstring>

pic_convert_entry pic_convert = nullptr;

namespace {

// Index just past the last '\' or '/' of the first `n` bytes of `path`.
size_t name_start(const char* path, size_t n)
{
    size_t start = 0;
    for (size_t i = 0; i < n; i++)
        if (path[i] == '\\' || path[i] == '/') start = i + 1;
    return start;
}

} // namespace

bool picture_paths(const char* path, char* source, int source_cap, char* destination, int destination_cap)
{
    if (source_cap <= 0 || destination_cap <= 0) return false;
    source[0] = destination[0] = 0;
    if (!path) return false;
    const size_t n = strnlen(path, REGION_PATH_LEN);
    const size_t start = name_start(path, n);
    size_t stop = n;                        // the last full stop of the file name, if any
    for (size_t i = start; i < n; i++)
        if (path[i] == '.') stop = i;
    if (stop == start) return false;        // no name, or nothing before its extension

    const int name_len = (int)(n - start), base_len = (int)(stop - start);
    bool fits = format_field(source, source_cap, "%s%.*s", exe_dir, name_len, path + start) < source_cap &&
                format_field(destination, destination_cap, "%s%.*s.bmp", exe_dir, base_len, path + start) <
                    destination_cap;
    if (!fits) source[0] = destination[0] = 0;
    return fits;
}

void load_pic_convert()
{
    if (!convert_pictures_at_startup) {
        pic_convert = nullptr;
        return;
    }
    pic_convert = JpgToBmp;
    pic_convert(logo_jpg_path, logo_bmp_path);
}

void place_picture_region(int index, int kind, uint16_t x, uint16_t y, uint16_t w, uint16_t h, const char* path)
{
    if (kind != REGION_PICTURE || index < 0 || index >= GRAPH_COUNT) return;
    graph_draw& g = graph_table[index];
    // The region's dots are panel dots: the picture stands on the panel.
    g.left = PANEL_X + x * led_pitch;
    g.top = PANEL_Y + y * led_pitch;
    g.pic_width = w;
    g.pic_height = h;
    g.has_picture = 1;
    g.shown = 1;

    char source[REGION_PATH_LEN];
    if (!picture_paths(path, source, REGION_PATH_LEN, g.bmp_path, BMP_PATH_LEN)) return;
    if (pic_convert) pic_convert(source, g.bmp_path);
}

void convert_program_pictures()
{
    for (int i = 0; i < REGION_COUNT; i++) {
        const region_record& r = region_table[i];
        place_picture_region(i, r.type, r.rx, r.ry, r.rw, r.rh, r.file_path);
    }
}

void unload_pic_convert() { pic_convert = nullptr; }
