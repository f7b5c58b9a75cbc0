/*******************************************************************************
 * app/pictures.cpp - pictures of the program file: placing and converting them
 ******************************************************************************/
#include "app/pictures.h"
#include "platform/pic_convert.h"
#include <cstring>

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

bool picture_paths(const std::string& dir, const char* path, std::string& source, std::string& destination)
{
    source.clear();
    destination.clear();
    if (!path) return false;
    const size_t n = strnlen(path, REGION_PATH_LEN);
    const size_t start = name_start(path, n);
    size_t stop = n;                        // the last full stop of the file name, if any
    for (size_t i = start; i < n; i++)
        if (path[i] == '.') stop = i;
    if (stop == start) return false;        // no name, or nothing before its extension
    source = dir + std::string(path + start, n - start);
    destination = dir + std::string(path + start, stop - start) + ".bmp";
    return true;
}

void convert_logo(const doc_paths& p) { JpgToBmp(p.logo_jpg.c_str(), p.logo_bmp.c_str()); }

void place_picture_region(document& d, int index, const region_record& r, bool convert)
{
    if (r.type != REGION_PICTURE || index < 0 || index >= PICTURE_COUNT) return;
    doc_picture& g = d.pictures[index];
    g.x = r.rx;
    g.y = r.ry;
    g.w = r.rw;
    g.h = r.rh;
    g.has_picture = 1;
    g.shown = 1;
    g.bmp_path[0] = 0;
    std::string source, destination;
    if (!picture_paths(d.paths.dir, r.file_path, source, destination) || destination.size() >= PICTURE_PATH_LEN)
        return;
    memcpy(g.bmp_path, destination.c_str(), destination.size() + 1);
    if (convert) JpgToBmp(source.c_str(), g.bmp_path);
}

void place_program_pictures(document& d, bool convert)
{
    for (int i = 0; i < REGION_COUNT; i++) place_picture_region(d, i, d.regions[i], convert);
}
