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
#include "platform/outcome.h"
#include "app/pictures.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "platform/workspace_lock.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* STARTUP_SEPARATOR = "；";

// Another designer that has the workspace open (a note), or nothing.
outcome workspace_in_use;

// The folder of a file path ("" for a bare name).
std::string folder_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// What start-up found goes on the status line, where the user looks: why
// saving is refused, how many script lines were refused and where their
// report is, and another designer on the same workspace.
void report_startup_problems()
{
    outcome shown = save_refusal();
    if (last_script_report.refused > 0) {
        std::string report_path;
        const outcome written = write_script_report(cmd_path, report_path);
        const size_t n = strlen(exe_dir);
        if (report_path.compare(0, n, exe_dir) == 0) report_path.erase(0, n);
        std::string lines = msg(MSG_SCRIPT_LINES_REFUSED, last_script_report.refused, report_path.c_str());
        if (!written) lines += STARTUP_SEPARATOR + written.why;
        shown = outcome{false, shown.ok ? lines : shown.why + STARTUP_SEPARATOR + lines};
    }
    if (!workspace_in_use.why.empty())
        shown = shown.why.empty() ? workspace_in_use
                                  : outcome{shown.ok, shown.why + STARTUP_SEPARATOR + workspace_in_use.why};
    report(REPORT_STATUS, shown);
}

} // namespace

int window_width_for(int panel_w) { return panel_w >= 512 ? 2 * panel_w + 300 : 1300; }

int startup(const char* workspace, const char* font_dir)
{
    if (!startup_paths(workspace, font_dir)) {
        fprintf(stderr, "lumiker: cannot find the workspace folder\n");
        return 1;
    }
    // A second designer on this workspace is told so.
    workspace_in_use = workspace_lock_take(exe_dir);
    // Temporaries of saves that were cut off by the end of their process,
    // beside the files and beside the file a linked script points to.
    remove_stale_temporaries(exe_dir);
    if (cmd_path[0]) {
        remove_stale_temporaries(folder_of(cmd_path).c_str());
        const std::string target = folder_of(final_target(cmd_path));
        if (target != folder_of(cmd_path)) remove_stale_temporaries(target.c_str());
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
