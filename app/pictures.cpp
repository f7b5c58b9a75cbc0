/*******************************************************************************
 * app/pictures.cpp - pictures of the program file: placing and converting them
 ******************************************************************************/
#include "app/pictures.h"
#include "app/workspace.h"
#include "platform/file_write.h"
#include "platform/gbk.h"
#include "platform/pic_convert.h"
#include <cstring>
#include <unistd.h>

namespace {

constexpr const char* FAILURE_SEPARATOR = "；";

// Index just past the last '\' or '/' of the first `n` bytes of `path`.
size_t name_start(const char* path, size_t n)
{
    size_t start = 0;
    for (size_t i = 0; i < n; i++)
        if (path[i] == '\\' || path[i] == '/') start = i + 1;
    return start;
}

// `path` of the workspace `dir` moved into the bitmap folder `folder`.
std::string in_folder(const std::string& dir, const std::string& folder, const std::string& path)
{
    return path.compare(0, dir.size(), dir) == 0 ? folder + path.substr(dir.size()) : path;
}

// Convert `source` into `destination` (in `folder`, made when missing).
outcome convert_into(const std::string& folder, const std::string& source, const std::string& destination)
{
    if (!make_folders(folder)) return outcome_fail(MSG_PICTURE_NO_FOLDER, gbk_to_utf8(source.c_str()).c_str(), folder.c_str());
    if (!JpgToBmp(source.c_str(), destination.c_str()))
        return outcome_fail(MSG_PICTURE_UNAVAILABLE, gbk_to_utf8(source.c_str()).c_str(), pic_convert_failure_reason());
    return outcome_ok();
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

std::string picture_bitmap_folder(const std::string& dir)
{
    return access(dir.c_str(), W_OK | X_OK) == 0 ? dir : picture_cache_folder(dir);
}

void convert_logo(const doc_paths& p)
{
    const std::string folder = picture_bitmap_folder(p.dir);
    convert_into(folder, p.logo_jpg, in_folder(p.dir, folder, p.logo_bmp));
}

outcome place_picture_region(document& d, int index, const region_record& r, bool convert)
{
    if (r.type != REGION_PICTURE || index < 0 || index >= PICTURE_COUNT) return outcome_ok();
    doc_picture& g = d.pictures[index];
    g.x = r.rx;
    g.y = r.ry;
    g.w = r.rw;
    g.h = r.rh;
    g.has_picture = 1;
    g.shown = 1;
    g.bmp_path[0] = 0;
    const std::string name(r.file_path, strnlen(r.file_path, REGION_PATH_LEN));
    std::string source, destination;
    if (!picture_paths(d.paths.dir, r.file_path, source, destination)) {
        if (!convert) return outcome_ok();
        if (name.empty()) return outcome_fail(MSG_PICTURE_NO_NAME);
        return outcome_fail(MSG_PICTURE_UNAVAILABLE, gbk_to_utf8(name.c_str()).c_str(), msg(MSG_PICTURE_NOT_A_NAME).c_str());
    }
    const std::string folder = convert ? picture_bitmap_folder(d.paths.dir) : d.paths.dir;
    destination = in_folder(d.paths.dir, folder, destination);
    if (destination.size() >= PICTURE_PATH_LEN)
        return convert ? outcome_fail(MSG_PICTURE_UNAVAILABLE, gbk_to_utf8(source.c_str()).c_str(),
                                      msg(MSG_ERR_NAME_TOO_LONG).c_str())
                       : outcome_ok();
    memcpy(g.bmp_path, destination.c_str(), destination.size() + 1);
    return convert ? convert_into(folder, source, destination) : outcome_ok();
}

outcome place_program_pictures(document& d, bool convert)
{
    outcome all;
    for (int i = 0; i < REGION_COUNT; i++) {
        const outcome o = place_picture_region(d, i, d.regions[i], convert);
        if (!o) all = outcome{false, all.ok ? o.why : all.why + FAILURE_SEPARATOR + o.why};
    }
    return all;
}
