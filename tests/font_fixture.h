// Shared by the glyph-reader and text-walk tests: every font path pointed at
// a fresh folder of test-written files, drawing recorded, and everything put
// back afterwards.
#pragma once
#include "model/settings.h"
#include "model/tables.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

class temp_font_files : public ::testing::Test {
protected:
    char saved_paths[FONT_SIZE_SLOTS][2][PATH_LEN];
    uint8_t saved_pitch = 2;
    std::string dir;
    gfx_recorder rec;

    // Point every font path into a fresh folder (the files are the test's to write).
    void point_paths_at_temp_folder()
    {
        memcpy(saved_paths, font_paths, sizeof saved_paths);
        saved_pitch = led_pitch;
        char tmpl[] = "/tmp/lumiker_fonts_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        for (int s = 0; s < FONT_SIZE_SLOTS; s++) {
            format_field(font_paths[s][FONT_HZ], PATH_LEN, "%s/hz%d", dir.c_str(), s);
            format_field(font_paths[s][FONT_ASC], PATH_LEN, "%s/asc%d", dir.c_str(), s);
        }
    }

    // Caches reset, pitch 2, drawing recorded.
    void start_drawing()
    {
        dot_font_init();
        led_pitch = 2;
        gfx_use(&rec);
    }

    void TearDown() override
    {
        gfx_use(nullptr);
        for (int s = 0; s < FONT_SIZE_SLOTS; s++)
            for (int k = 0; k < 2; k++) remove(font_paths[s][k]);
        rmdir(dir.c_str());
        memcpy(font_paths, saved_paths, sizeof saved_paths);
        led_pitch = saved_pitch;
        dot_font_use_file_cache(true);
        dot_font_init();
    }

    static void write_file(const char* path, const std::vector<uint8_t>& bytes)
    {
        FILE* f = fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), f);
        fclose(f);
    }
};
