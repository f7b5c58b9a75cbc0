/*******************************************************************************
 * tools/icongen/icongen.cpp - the program's icon files, drawn as LED dots
 *
 * Usage: lumiker-icongen OUT_DIR
 * Writes OUT_DIR/<n>x<n>/apps/lumiker.png for every size of ICON_SIZES and
 * OUT_DIR/scalable/apps/lumiker.svg: the icon of app/app_icon.h, which the
 * window shows too.
 *
 * Limits: the listed sizes only. Depends on: stb_image_write, app/app_icon.
 * Does NOT: use any font or picture file; everything is computed, so two
 * runs write the same bytes.
 ******************************************************************************/
#define STB_IMAGE_WRITE_IMPLEMENTATION
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb_image_write.h>
#pragma GCC diagnostic pop

#include "app/app_icon.h"
#include <cstdint>
#include <cstdio>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr int ICON_SIZES[] = {16, 32, 48, 64, 128, 256};

// Make OUT_DIR/<sub>/apps and give its path.
std::string apps_folder(const std::string& out, const std::string& sub)
{
    std::string dir = out + "/" + sub;
    mkdir(out.c_str(), 0755);
    mkdir(dir.c_str(), 0755);
    dir += "/apps";
    mkdir(dir.c_str(), 0755);
    return dir;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: lumiker-icongen OUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    for (int n : ICON_SIZES) {
        std::vector<uint8_t> px = app_icon_pixels(n);
        std::string file = apps_folder(out, std::to_string(n) + "x" + std::to_string(n)) + "/lumiker.png";
        if (!stbi_write_png(file.c_str(), n, n, 4, px.data(), n * 4)) {
            fprintf(stderr, "lumiker-icongen: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    const std::string svg = app_icon_svg(), file = apps_folder(out, "scalable") + "/lumiker.svg";
    FILE* f = fopen(file.c_str(), "wb");
    bool ok = f && fwrite(svg.data(), 1, svg.size(), f) == svg.size();
    if (f && fclose(f) != 0) ok = false;
    if (!ok) {
        fprintf(stderr, "lumiker-icongen: cannot write %s\n", file.c_str());
        return 1;
    }
    return 0;
}
