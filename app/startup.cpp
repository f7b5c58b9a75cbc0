/*******************************************************************************
 * app/startup.cpp - the start-up sequence
 ******************************************************************************/
#include "app/startup.h"
#include "app/frame.h"
#include "app/pictures.h"
#include "command/script_reader.h"
#include "edit/status.h"
#include "items/digits.h"
#include "output/layout_save.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include "platform/system.h"
#include "platform/workspace_lock.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include "raster/screen_text.h"
#include <algorithm>
#include <string>

namespace {

constexpr const char* STARTUP_SEPARATOR = "；";
constexpr size_t SCREEN_FONT_PATH_MAX = 4096;

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
// report is, the pictures that could not be had, and another designer on
// the same workspace.
void report_startup_problems(const document& d, const outcome& pictures)
{
    outcome shown = save_refusal(d);
    if (d.script.refused > 0) {
        std::string report_path;
        const outcome written = write_script_report(d, report_path);
        if (report_path.compare(0, d.paths.dir.size(), d.paths.dir) == 0) report_path.erase(0, d.paths.dir.size());
        std::string lines = msg(MSG_SCRIPT_LINES_REFUSED, d.script.refused, report_path.c_str());
        if (!written) lines += STARTUP_SEPARATOR + written.why;
        shown = outcome{false, shown.ok ? lines : shown.why + STARTUP_SEPARATOR + lines};
    }
    if (!pictures) shown = outcome{false, shown.ok ? pictures.why : shown.why + STARTUP_SEPARATOR + pictures.why};
    if (!workspace_in_use.why.empty())
        shown = shown.why.empty() ? workspace_in_use
                                  : outcome{shown.ok, shown.why + STARTUP_SEPARATOR + workspace_in_use.why};
    report(REPORT_STATUS, shown);
}

} // namespace

int window_width_for(int panel_w)
{
    return (int)std::max<int64_t>(WINDOW_MIN_W, (int64_t)VIEW_PITCH_START * panel_w + WINDOW_WIDE_MARGIN);
}

int window_height_for(int panel_h)
{
    return (int)std::max<int64_t>(WINDOW_MIN_H, (int64_t)VIEW_PITCH_START * panel_h + WINDOW_TALL_MARGIN);
}

void fit_window_to_screen(designer& g, const int screen[4])
{
    interaction& ui = g.ui;
    g.v.window_w = std::min(g.v.window_w, screen[2] - WINDOW_FRAME_W);
    g.v.window_h = std::min(g.v.window_h, screen[3] - WINDOW_FRAME_H);
    ui.window_w = g.v.window_w + WINDOW_FRAME_W;
    ui.window_h = g.v.window_h + WINDOW_FRAME_H;
    ui.window_x = std::max(screen[0], std::min(ui.window_x, screen[0] + screen[2] - ui.window_w));
    ui.window_y = std::max(screen[1], std::min(ui.window_y, screen[1] + screen[3] - ui.window_h));
}

int startup(designer& g, const char* workspace, const char* font_dir)
{
    document& d = g.doc;
    if (!startup_paths(d, workspace, font_dir)) {
        report(REPORT_STDERR, outcome_fail(MSG_NO_WORKSPACE));
        return 1;
    }
    // A second designer on this workspace is told so.
    workspace_in_use = workspace_lock_take(d.paths.dir.c_str());
    // Temporaries of saves that were cut off by the end of their process,
    // beside the files and beside the file a linked script points to.
    remove_stale_temporaries(d.paths.dir.c_str());
    if (!d.paths.cmd.empty()) {
        remove_stale_temporaries(folder_of(d.paths.cmd).c_str());
        const std::string target = folder_of(final_target(d.paths.cmd.c_str()));
        if (target != folder_of(d.paths.cmd)) remove_stale_temporaries(target.c_str());
    }
    convert_logo(d.paths);

    // The screen fonts are opened before the window is made, so a missing
    // font ends the program before anything is shown.
    char font_file[SCREEN_FONT_PATH_MAX];
    std::string why;
    if (!find_screen_font(font_file, sizeof font_file)) {
        report(REPORT_STDERR, outcome_fail(MSG_NO_SCREEN_FONT));
        return 1;
    }
    if (!open_screen_fonts(font_file, why)) {
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
        return 1;
    }
    g.v.window_w = window_width_for(d.settings.panel_w);
    g.v.window_h = window_height_for(d.settings.panel_h);
    g.ui.window_x = WINDOW_START_X;
    g.ui.window_y = WINDOW_START_Y;
    g.ui.window_w = g.v.window_w + WINDOW_FRAME_W;
    g.ui.window_h = g.v.window_h + WINDOW_FRAME_H;
    return 0;
}

void startup_window_ready(designer& g, const outcome& news)
{
    gfx_init_state();
    gfx_final_state();
    fill_glyph_table();
    status_take_reports(g.ui.status);
    report(REPORT_STATUS, news);
    const outcome pictures = startup_documents(g.doc, true);
    report_startup_problems(g.doc, pictures);
    dot_font_use_files(g.doc.paths);
    dot_font_init();
    on_reshape(g, g.v.window_w, g.v.window_h);
}
