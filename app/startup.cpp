/*******************************************************************************
 * app/startup.cpp - the start-up sequence
 ******************************************************************************/
#include "app/startup.h"
#include "app/frame.h"
#include "edit/state.h"
#include "edit/status.h"
#include "items/digits.h"
#include "model/palette.h"
#include "model/settings.h"
#include "model/tables.h"
#include "command/script_reader.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "platform/file_write.h"
#include "app/pictures.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// What start-up found wrong goes on the status line, where the user looks;
// the first problem that stops saving is the one shown.
void report_startup_problems()
{
    std::string refusal = save_refusal();
    if (!refusal.empty()) status_showf(STATUS_ERROR, "%s", refusal.c_str());
}

} // namespace

int window_width_for(int panel_w) { return panel_w >= 512 ? 2 * panel_w + 300 : 1300; }

int startup(const char* workspace, const char* font_dir)
{
    if (!startup_paths(workspace, font_dir)) {
        fprintf(stderr, "lumiker: cannot find the workspace folder\n");
        return 1;
    }
    // Temporaries of saves that were cut off by the end of their process.
    remove_stale_temporaries(exe_dir);
    if (cmd_path[0]) {
        std::string folder(cmd_path);
        remove_stale_temporaries(folder.substr(0, folder.find_last_of('/')).c_str());
    }
    load_pic_convert();

    // The screen fonts are opened before the window is made, so a missing
    // font ends the program before anything is shown.
    char font_file[DIR_LEN * 4];
    std::string why;
    if (!find_screen_font(font_file, sizeof font_file)) {
        fprintf(stderr,
                "lumiker: no Song-style CJK screen font found (install the Debian package "
                "fonts-arphic-uming, which provides \"AR PL UMing CN\")\n");
        return 1;
    }
    if (!open_screen_fonts(font_file, why)) {
        fprintf(stderr, "lumiker: %s\n", why.c_str());
        return 1;
    }
    window_width = window_width_for(panel_width());
    window_size[0] = window_width + 16;
    window_size[1] = window_height + 40;
    return 0;
}

void startup_window_ready()
{
    gfx_init_state();
    gfx_final_state();
    fill_glyph_table();
    startup_documents();
    report_startup_problems();
    // Items the script restored into palette samples leave no cell empty.
    refill_palette();
    dot_font_init();
    on_reshape(window_size[0] - WINDOW_FRAME_W, window_size[1] - WINDOW_FRAME_H);
}
