/*******************************************************************************
 * app/script_main.cpp - lumiker-script DIR: check and normalise a workspace
 *
 * Loads the workspace in folder DIR as the designer loads the folder beside
 * itself (SysCfg.ini, one_pic_effect.vsn, ledsys/CMD<n>/cmd.txt), through the
 * same start-up code and without a window; writes the script of what was
 * loaded (the export, CR LF lines) to standard output; prints every line
 * that was refused or changed on reading to standard error with its line
 * number and the reason.
 *
 * With --png FILE it writes a picture of the panel instead (app/preview.h),
 * at --pitch N, with the clock fields at --time; this needs no display. Like
 * the designer's start it converts the workspace's pictures into bitmaps.
 *
 * Exit status: 0 all lines loaded, 1 a line was refused, 2 bad usage or the
 * workspace cannot be read (no folder, no SysCfg.ini, an invalid panel size
 * or program number, no readable cmd.txt, a program file that cannot be
 * loaded) or the picture cannot be written. Messages on standard error
 * carry the name lumiker-script.
 * Without --png it changes no file.
 ******************************************************************************/
#include "app/cli.h"
#include "app/pictures.h"
#include "app/preview.h"
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "model/settings.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include "platform/pic_convert.h"
#include "platform/system.h"
#include "raster/dot_font.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int EXIT_CLEAN = 0, EXIT_REFUSED = 1, EXIT_UNREADABLE = 2;

local_time fixed_time;

local_time read_fixed_time() { return fixed_time; }

// The screen font draws the rulers' numbers as in the window; without one
// the picture simply has none.
void open_screen_font_if_any()
{
    char font_file[DIR_LEN * 4];
    std::string why;
    if (find_screen_font(font_file, sizeof font_file) && !open_screen_fonts(font_file, why))
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
}

// True for a regular file that opens for reading (never waits on a pipe).
bool readable_file(const char* path)
{
    read_check check;
    int err = 0;
    const int fd = open_regular_file(path, check, err);
    if (fd < 0) return false;
    close(fd);
    return true;
}

// A reason on standard error under this program's name; the exit status.
int fail_with(const std::string& why, int status)
{
    report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    report_program_name("lumiker-script");
    cli_options o = parse_script_args(argc, argv);
    if (o.action != CLI_RUN) return answer_cli(o, "lumiker-script", script_usage(), script_usage());
    std::string dir, why;
    if (!check_workspace_folder(o.folder.c_str(), false, dir, why)) return fail_with(why, EXIT_UNREADABLE);
    const bool picture = !o.png.empty();
    if (picture) {
        outcome writable = png_path_writable(o.png.c_str());
        if (!writable) return fail_with(writable.why, EXIT_UNREADABLE);
    }
    char exe[DIR_LEN] = "";
    exe_directory(exe, sizeof exe);
    std::string fonts = font_folder_for(dir, exe);
    if (picture) led_pitch = (uint8_t)o.pitch;   // item positions are kept at this zoom
    if (!startup_paths(dir.c_str(), fonts.c_str())) return EXIT_UNREADABLE;
    if (!readable_file(cfg_path)) return fail_with(std::string("cannot read ") + cfg_path, EXIT_UNREADABLE);
    // A panel size or program number the designer would refuse to save with.
    if (settings_problem[0]) return fail_with(settings_problem, EXIT_UNREADABLE);
    if (!readable_file(cmd_path)) return fail_with(std::string("cannot read ") + cmd_path, EXIT_UNREADABLE);

    cmd_error_stream = nullptr;        // the report below names unknown commands
    script_report_stream = stderr;
    convert_pictures_at_startup = picture;
    if (picture) {
        load_pic_convert();
        fill_glyph_table();
    }
    // Start-up names what it cannot load on standard error.
    startup_documents();
    if (last_script_report.state != SCRIPT_READ || program_file_unusable) return EXIT_UNREADABLE;

    if (picture) {
        dot_font_init();
        open_screen_font_if_any();
        if (o.fixed_time) {
            fixed_time = o.time;
            set_clock_source(read_fixed_time);
        }
        outcome written = write_panel_png(o.png.c_str());
        if (!written) return fail_with(written.why, EXIT_UNREADABLE);
        return last_script_report.refused > 0 ? EXIT_REFUSED : EXIT_CLEAN;
    }

    std::string out = script_text();
    if (fwrite(out.data(), 1, out.size(), stdout) != out.size() || fflush(stdout) != 0)
        return fail_with("cannot write the script to standard output", EXIT_UNREADABLE);
    if (last_script_report.refused > 0) {
        fprintf(stderr, "lumiker-script: %d of %d lines refused, %d changed\n", last_script_report.refused,
                last_script_report.lines, last_script_report.changed);
        return EXIT_REFUSED;
    }
    return EXIT_CLEAN;
}
