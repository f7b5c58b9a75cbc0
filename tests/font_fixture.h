// Shared by the glyph-reader and text-walk tests: every font path pointed at
// a fresh folder of test-written files, drawing recorded, and the font files
// forgotten afterwards.
#pragma once
#include "model/document.h"
#include "raster/canvas.h"
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
    doc_paths paths;            // every font file in the test's folder
    int saved_pitch = 2;
    std::string dir;
    gfx_recorder rec;

    // Point every font path into a fresh folder (the files are the test's to write).
    void point_paths_at_temp_folder()
    {
        saved_pitch = canvas_pitch();
        char tmpl[] = "/tmp/lumiker_fonts_XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        for (int s = 0; s < FONT_SIZE_SLOTS; s++) {
            paths.fonts[s][FONT_HZ] = dir + "/hz" + std::to_string(s);
            paths.fonts[s][FONT_ASC] = dir + "/asc" + std::to_string(s);
        }
        dot_font_use_files(paths);
    }

    // Caches reset, pitch 2, drawing recorded.
    void start_drawing()
    {
        dot_font_init();
        canvas_use_pitch(2);
        gfx_use(&rec);
    }

    void TearDown() override
    {
        gfx_use(nullptr);
        for (int s = 0; s < FONT_SIZE_SLOTS; s++)
            for (int k = 0; k < 2; k++) remove(paths.fonts[s][k].c_str());
        rmdir(dir.c_str());
        dot_font_use_files(doc_paths());
        canvas_use_pitch(saved_pitch);
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
