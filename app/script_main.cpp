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
 * at --pitch N, with the clock fields at --time; this needs no display. With
 * a values file (--values) or a PLC (--modbus) it draws the panel as it
 * plays at its start, from those values (the PLC polled until it answered
 * for every register the layout reads, or for a few poll periods). With
 * --gif FILE --seconds N it records the panel playing (app/recording.h).
 * Like the designer's start it converts the workspace's pictures into
 * bitmaps (into the user's cache folder when the workspace cannot be
 * written); a picture that cannot be had is named on standard error.
 *
 * Exit status: 0 all lines loaded, 1 a line was refused or (with --png or
 * --gif) a picture could not be had (the file is still written), 2 bad usage or the
 * workspace cannot be read (no folder, no SysCfg.ini, an invalid panel size
 * or program number, no readable cmd.txt, a program file that cannot be
 * loaded), a values file that cannot be read, or the picture cannot be
 * written. A PLC that does not answer is no failure: its values show as
 * not known and its state goes to standard error. Messages on standard
 * error carry the name lumiker-script.
 *
 * Limits: a pitch of 1..8; the picture is bounded as app/preview.h says.
 * Depends on: POSIX close (the readable-file checks); otherwise nothing
 * outside the C++ standard library.
 * Does NOT: change any file without --png (no report file beside the
 * script, no save), open a window, or need a display.
 ******************************************************************************/
#include "app/cli.h"
#include "app/pictures.h"
#include "app/preview.h"
#include "app/recording.h"
#include "app/startup.h"
#include "command/dispatcher.h"
#include "command/script_reader.h"
#include "play/engine.h"
#include "play/values.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include "platform/modbus_poll.h"
#include "platform/pic_convert.h"
#include "platform/system.h"
#include "raster/dot_font.h"
#include "raster/screen_text.h"
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int EXIT_CLEAN = 0, EXIT_REFUSED = 1, EXIT_UNREADABLE = 2;
constexpr int SETTLE_STEP_MS = 20;      // how often the PLC's answers are looked at
constexpr long MICROS_PER_MS = 1000;

local_time fixed_time;

local_time read_fixed_time() { return fixed_time; }

// The screen font draws the rulers' numbers as in the window; without one
// the picture simply has none.
void open_screen_font_if_any()
{
    char font_file[EXE_PATH_MAX];
    std::string why;
    if (find_screen_font(font_file, sizeof font_file) && !open_screen_fonts(font_file, why))
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, why.c_str()));
}

// True for a regular file that opens for reading (never waits on a pipe);
// `err` says why not.
bool readable_file(const char* path, int& err)
{
    read_check check;
    err = 0;
    const int fd = open_regular_file(path, check, err);
    if (fd < 0) return false;
    close(fd);
    return true;
}

bool readable_file(const char* path)
{
    int err;
    return readable_file(path, err);
}

// Let the PLC be polled until it answered for every register in `regs`, or
// for MODBUS_STALE_PERIODS poll periods; when it did not, say how it stands.
void settle_plc(values_workspace& values, const std::vector<int>& regs)
{
    const int period = values.plc_period_ms();
    if (!period || regs.empty()) return;
    values.watch(regs);
    for (int64_t waited = 0;; waited += SETTLE_STEP_MS) {
        bool all = true;
        for (int n : regs) all = all && values.holding(n).has_value();
        if (all) return;
        if (waited >= (int64_t)MODBUS_STALE_PERIODS * period) break;
        sleep_micros(SETTLE_STEP_MS * MICROS_PER_MS);
    }
    report(REPORT_STDERR, outcome_note(MSG_PLAIN, values.state_line().c_str()));
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
    std::string dir;
    const outcome folder = check_workspace_folder(o.folder.c_str(), false, dir);
    if (!folder) return fail_with(folder.why, EXIT_UNREADABLE);
    const bool picture = !o.png.empty() || !o.gif.empty();
    const std::string& picture_path = o.png.empty() ? o.gif : o.png;
    if (picture) {
        outcome writable = png_path_writable(picture_path.c_str());
        if (!writable) return fail_with(writable.why, EXIT_UNREADABLE);
    }
    int err = 0;
    if (!o.values.empty() && !readable_file(o.values.c_str(), err))
        return fail_with(msg(MSG_FILE_READ_FAILED, o.values.c_str(), file_error_text(err).c_str()), EXIT_UNREADABLE);
    char exe[EXE_PATH_MAX] = "";
    exe_directory(exe, sizeof exe);
    const std::string fonts = font_folder_for(dir, exe);
    std::unique_ptr<document> d(new document());
    if (!startup_paths(*d, dir.c_str(), fonts.c_str())) return fail_with(msg(MSG_NO_WORKSPACE), EXIT_UNREADABLE);
    if (!readable_file(d->paths.cfg.c_str())) return fail_with(msg(MSG_CANNOT_READ, d->paths.cfg.c_str()), EXIT_UNREADABLE);
    // A panel size or program number the designer would refuse to save with.
    if (!d->settings.problem.empty()) return fail_with(d->settings.problem, EXIT_UNREADABLE);
    if (!readable_file(d->paths.cmd.c_str())) return fail_with(msg(MSG_CANNOT_READ, d->paths.cmd.c_str()), EXIT_UNREADABLE);

    // Like the designer's start, a picture converts the workspace's pictures.
    if (picture) {
        convert_logo(d->paths);
        fill_glyph_table();
    }
    // Start-up names what it cannot load on standard error; the report below
    // names unknown commands, so nothing else goes to standard output.
    const outcome pictures = startup_documents(*d, picture, nullptr);
    if (d->script.state != FILE_READ || d->program_file_unusable) return EXIT_UNREADABLE;

    if (picture) {
        dot_font_use_files(d->paths);
        dot_font_init();
        open_screen_font_if_any();
        if (o.fixed_time) {
            fixed_time = o.time;
            set_clock_source(read_fixed_time);
        }
        // The values the panel plays from, when any are named.
        std::unique_ptr<values_workspace> values;
        if (!o.values.empty() || !o.plc_host.empty()) {
            values.reset(new values_workspace());
            if (!o.values.empty()) {
                const outcome opened = values->open_file(o.values);
                if (!opened) return fail_with(opened.why, EXIT_UNREADABLE);
                report(REPORT_STDERR, opened);   // a line skipped is named
            }
            if (!o.plc_host.empty()) values->use_plc(o.plc_host, o.plc_port);
            settle_plc(*values, play_registers(*d));
        }
        outcome written;
        if (!o.gif.empty()) {
            gif_recording r;
            r.path = o.gif;
            r.pitch = o.pitch;
            r.seconds = o.seconds;
            r.fps = o.fps;
            r.start = read_clock();
            r.values = values.get();
            written = write_panel_gif(*d, r);
        } else if (values) {
            play_moment start;
            start.values = values.get();
            start.now = read_clock();
            start.simulating = true;
            written = write_panel_png(*d, o.pitch, o.png.c_str(), &start);
        } else {
            written = write_panel_png(*d, o.pitch, o.png.c_str());
        }
        if (!written) return fail_with(written.why, EXIT_UNREADABLE);
        return d->script.refused > 0 || !pictures ? EXIT_REFUSED : EXIT_CLEAN;
    }

    std::string out = script_text(*d);
    if (fwrite(out.data(), 1, out.size(), stdout) != out.size() || fflush(stdout) != 0)
        return fail_with(msg(MSG_STDOUT_FAILED), EXIT_UNREADABLE);
    if (d->script.refused > 0) {
        report(REPORT_STDERR, outcome_fail(MSG_SCRIPT_COUNTS, d->script.refused, d->script.lines, d->script.changed));
        return EXIT_REFUSED;
    }
    return EXIT_CLEAN;
}
