/*******************************************************************************
 * app/cli.cpp - parsing the command lines, usage and version texts
 ******************************************************************************/
#include "app/cli.h"
#include "app/workspace.h"
#include "edit/key_help.h"
#include "model/document.h"
#include "platform/gif_write.h"
#include "platform/outcome.h"
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#ifndef LUMIKER_VERSION
#define LUMIKER_VERSION "0.0.0"
#endif

namespace {

cli_options usage_error(const std::string& why)
{
    cli_options o;
    o.action = CLI_USAGE_ERROR;
    o.why = why;
    return o;
}

bool is_option(const char* a) { return a[0] == '-' && a[1] != '\0'; }

// A whole decimal number, nothing after it.
bool parse_int(const char* s, int& out)
{
    if (!s || !*s) return false;
    char* end = nullptr;
    errno = 0;
    long v = strtol(s, &end, 10);
    if (*end || errno || v < -1000000 || v > 1000000) return false;
    out = (int)v;
    return true;
}

// A finite decimal number, nothing after it.
bool parse_real(const char* s, double& out)
{
    if (!s || !*s) return false;
    char* end = nullptr;
    errno = 0;
    const double v = strtod(s, &end);
    if (*end || errno || !std::isfinite(v)) return false;
    out = v;
    return true;
}

constexpr int PORT_MAX = 65535;

// "HOST:PORT" (the port after the last colon) into its parts.
bool parse_host_port(const char* s, std::string& host, int& port)
{
    const char* colon = s ? strrchr(s, ':') : nullptr;
    if (!colon || colon == s || !parse_int(colon + 1, port) || port < 1 || port > PORT_MAX) return false;
    host.assign(s, colon);
    return true;
}

constexpr int KEY_COLUMN = 25;   // terminal columns of the key column, with its gap

// "WxH" (or "WXH") with both sides a panel size; nothing after it.
bool parse_size(const char* s, int& w, int& h)
{
    if (!s) return false;
    int used = 0;
    char x = 0;
    if (sscanf(s, "%d%c%d%n", &w, &x, &h, &used) != 3 || s[used] != '\0' || (x != 'x' && x != 'X')) return false;
    return w >= PANEL_MIN_DOTS && w <= PANEL_MAX_DOTS && h >= PANEL_MIN_DOTS && h <= PANEL_MAX_DOTS;
}

// The key list as two aligned columns, one line each.
std::string key_lines()
{
    std::string out = "\nKeys and mouse gestures in the designer window:\n";
    for (const key_help_line& k : key_help) {
        // Pad by terminal columns: a Chinese character takes two, and three UTF-8 bytes.
        int columns = 0;
        for (const unsigned char* c = (const unsigned char*)k.keys; *c; c++)
            if ((*c & 0xC0) != 0x80) columns += *c >= 0xE0 ? 2 : 1;
        out += "  ";
        out += k.keys;
        out.append(columns < KEY_COLUMN ? KEY_COLUMN - columns : 1, ' ');
        out += k.does;
        out += '\n';
    }
    return out;
}

} // namespace

bool parse_fixed_time(const char* text, local_time& out)
{
    if (!text) return false;
    int y, mo, d, h, mi, s, used = 0;
    if (sscanf(text, "%4d-%2d-%2d %2d:%2d:%2d%n", &y, &mo, &d, &h, &mi, &s, &used) != 6 || text[used] != '\0')
        return false;
    if (y < 1900 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 || mi > 59 ||
        s < 0 || s > 59)
        return false;
    // Normalising through the calendar finds the weekday and rejects 31 April.
    struct tm tm = {};
    tm.tm_year = y - 1900;
    tm.tm_mon = mo - 1;
    tm.tm_mday = d;
    tm.tm_hour = 12;
    time_t t = timegm(&tm);
    struct tm back;
    if (t == (time_t)-1 || !gmtime_r(&t, &back) || back.tm_mday != d || back.tm_mon != mo - 1) return false;
    out = {y, mo, d, h, mi, s, back.tm_wday};
    return true;
}

namespace {

// Both programs' options; the picture's are the script tool's, --new,
// --size and the player's the designer's.
cli_options parse_args(int argc, const char* const* argv, bool script)
{
    cli_options o;
    bool pitch_given = false, fps_given = false, options_done = false, at_given = false, size_given = false;
    int used = 0;
    for (int i = 1; i < argc; i++) {
        const char* a = argv[i];
        const bool has_value = i + 1 < argc;
        if (options_done || !is_option(a)) {
            if (o.new_workspace) return usage_error(msg(MSG_USAGE_NEW_AND_FOLDER));
            if (!o.folder.empty()) return usage_error("only one workspace folder can be given");
            o.folder = a;
        } else if (!strcmp(a, "--")) options_done = true;
        else if (!strcmp(a, "--help") || !strcmp(a, "-h")) o.action = CLI_HELP;
        else if (!strcmp(a, "--version")) {
            if (o.action != CLI_HELP) o.action = CLI_VERSION;
        } else if (!script && !strcmp(a, "--new")) {
            if (!has_value || !argv[i + 1][0]) return usage_error(msg(MSG_USAGE_NEW_NEEDS_FOLDER));
            if (!o.folder.empty()) return usage_error(msg(MSG_USAGE_NEW_AND_FOLDER));
            o.new_workspace = true;
            o.folder = argv[++i];
        } else if (!script && !strcmp(a, "--size")) {
            if (!has_value || !parse_size(argv[i + 1], o.new_width, o.new_height))
                return usage_error(msg(MSG_USAGE_SIZE, PANEL_MIN_DOTS, PANEL_MAX_DOTS));
            size_given = true;
            i++;
        } else if (script && !strcmp(a, "--png")) {
            if (!has_value || !argv[i + 1][0]) return usage_error("--png needs a file name");
            o.png = argv[++i];
        } else if (script && (!strcmp(a, "--gif") || !strcmp(a, "--values"))) {
            if (!has_value || !argv[i + 1][0]) return usage_error(msg(MSG_CLI_NEEDS_FILE, a));
            (!strcmp(a, "--gif") ? o.gif : o.values) = argv[++i];
        } else if (script && !strcmp(a, "--seconds")) {
            if (!has_value || !parse_real(argv[i + 1], o.seconds) || o.seconds <= 0 || o.seconds > GIF_SECONDS_MAX)
                return usage_error(msg(MSG_CLI_SECONDS, (int)GIF_SECONDS_MAX));
            i++;
        } else if (script && !strcmp(a, "--fps")) {
            if (!has_value || !parse_real(argv[i + 1], o.fps) || o.fps < GIF_FPS_MIN || o.fps > GIF_FPS_MAX)
                return usage_error(msg(MSG_CLI_FPS, (int)GIF_FPS_MIN, (int)GIF_FPS_MAX));
            fps_given = true;
            i++;
        } else if (script && !strcmp(a, "--modbus")) {
            if (!has_value || !parse_host_port(argv[i + 1], o.plc_host, o.plc_port))
                return usage_error(msg(MSG_CLI_MODBUS));
            i++;
        } else if (!script && !strcmp(a, "--play")) {
            o.play = true;
        } else if (!script && !strcmp(a, "--at")) {
            if (!has_value || sscanf(argv[i + 1], "%d,%d%n", &o.at_x, &o.at_y, &used) != 2 || argv[i + 1][used])
                return usage_error(msg(MSG_CLI_AT));
            at_given = true;
            i++;
        } else if (!strcmp(a, "--pitch")) {
            if (!has_value || !parse_int(argv[i + 1], o.pitch) || o.pitch < PREVIEW_PITCH_MIN ||
                o.pitch > PREVIEW_PITCH_MAX)
                return usage_error("--pitch needs a whole number from 1 to 8");
            pitch_given = true;
            i++;
        } else if (script && !strcmp(a, "--time")) {
            if (!has_value || !parse_fixed_time(argv[i + 1], o.time))
                return usage_error("--time needs a date and time as \"YYYY-MM-DD HH:MM:SS\"");
            o.fixed_time = true;
            i++;
        } else return usage_error(std::string("unknown option ") + a);
    }
    if (o.action != CLI_RUN) return o;
    if (size_given && !o.new_workspace) return usage_error(msg(MSG_USAGE_SIZE_WITHOUT_NEW));
    if (!script && !o.play && (pitch_given || at_given)) return usage_error(msg(MSG_CLI_ONLY_PLAY));
    if (!script && o.play && !pitch_given) o.pitch = PLAYER_PITCH_DEFAULT;
    if (!script) return o;
    const bool picture = !o.png.empty() || !o.gif.empty();
    if (!o.png.empty() && !o.gif.empty()) return usage_error(msg(MSG_CLI_PNG_AND_GIF));
    if (!picture && (pitch_given || o.fixed_time || !o.values.empty() || !o.plc_host.empty()))
        return usage_error(msg(MSG_CLI_ONLY_PICTURE));
    if (o.gif.empty() && (o.seconds > 0 || fps_given)) return usage_error(msg(MSG_CLI_ONLY_GIF));
    if (!o.gif.empty() && o.seconds <= 0) return usage_error(msg(MSG_CLI_GIF_SECONDS));
    if (o.folder.empty()) return usage_error("no workspace folder given");
    return o;
}

} // namespace

cli_options parse_designer_args(int argc, const char* const* argv) { return parse_args(argc, argv, false); }

cli_options parse_script_args(int argc, const char* const* argv) { return parse_args(argc, argv, true); }

std::string designer_usage()
{
    return "Usage: lumiker [--help] [--version] [WORKSPACE]\n"
           "  or:  lumiker --new DIR [--size WxH]\n"
           "  or:  lumiker --play [--at X,Y] [--pitch N] [WORKSPACE]\n\n"
           "Opens the LED panel designer on the workspace folder WORKSPACE (SysCfg.ini,\n"
           "ledsys/CMD<n>/cmd.txt, one_pic_effect.vsn). Without WORKSPACE: the program's\n"
           "own folder when it holds a workspace and can be written, else\n"
           "$XDG_DATA_HOME/lumiker (~/.local/share/lumiker), made from the demo on the\n"
           "first start. Font files come from the workspace's Font/ when it has them,\n"
           "else from the installed share folder.\n\n"
           "  --new DIR   make a new workspace in folder DIR (made when missing; one that\n"
           "              already holds a workspace is left alone) and open it\n"
           "  --size WxH  its panel size in LED dots, 1 to 4096 each (default 384x128)\n"
           "  --play      show only the panel, playing, in a window without a frame: the\n"
           "              picture a sending card captures from the screen; Esc ends it\n"
           "  --at X,Y    where the player's window stands on the screen (default 0,0)\n"
           "  --pitch N   the player's pixels per LED dot, 1 to 8 (default 1)\n"
           "  --help      this text\n"
           "  --version   the version\n"
           "\nExit status: 0, or 2 for a bad option or a workspace that cannot be used or\n"
           "made.\n";
}

std::string designer_help() { return designer_usage() + key_lines(); }

std::string script_usage()
{
    return "Usage: lumiker-script [--help] [--version] DIR\n"
           "  or:  lumiker-script --png FILE [--pitch N] [--time \"YYYY-MM-DD HH:MM:SS\"]\n"
           "                      [--values FILE] [--modbus HOST:PORT] DIR\n"
           "  or:  lumiker-script --gif FILE --seconds N [--fps F] [--pitch N] [--time T]\n"
           "                      [--values FILE] [--modbus HOST:PORT] DIR\n\n"
           "Loads the workspace in DIR (SysCfg.ini, one_pic_effect.vsn, ledsys/CMD<n>/cmd.txt)\n"
           "as the designer does. Without --png or --gif it writes the normalised cmd.txt to\n"
           "standard output, in GBK as the file is (read it with: lumiker-script DIR |\n"
           "iconv -f GBK). Every refused or changed line goes to standard error.\n\n"
           "  --png FILE     write a picture of what the panel shows to FILE instead (no\n"
           "                 display needed); with --values or --modbus, as the panel plays\n"
           "                 at its start: switched texts, moving texts and values shown\n"
           "  --gif FILE     write the panel playing as an animated GIF (loops forever);\n"
           "                 frame k shows the panel k / F seconds in\n"
           "  --seconds N    length of the GIF in seconds, above 0 and up to 600\n"
           "  --fps F        frames a second of the GIF, 1 to 50 (default 25)\n"
           "  --pitch N      pixels per LED dot, 1 to 8 (default 2); 1 gives one pixel per\n"
           "                 dot on black, 2 or more the designer's magnified panel with\n"
           "                 its grid\n"
           "  --time T       show this local time in the clock and calendar fields (the\n"
           "                 GIF's first frame; its clock runs on)\n"
           "  --values FILE  the values the variables and switched texts show: a values\n"
           "                 file like the workspace's sim_values.ini\n"
           "  --modbus HOST:PORT\n"
           "                 read the holding registers from this PLC (Modbus TCP, read\n"
           "                 only), polled a few periods before the first frame\n"
           "  --help         this text\n"
           "  --version      the version\n"
           "\nExit status: 0 ok, 1 lines refused or (--png, --gif) a picture missing, 2 bad\n"
           "usage or workspace or file unusable.\n";
}

std::string version_text(const char* program)
{
    return std::string(program) + " " LUMIKER_VERSION "\n";
}

int answer_cli(const cli_options& o, const char* program, const std::string& help, const std::string& usage)
{
    if (o.action == CLI_HELP) return fputs(help.c_str(), stdout), 0;
    if (o.action == CLI_VERSION) return fputs(version_text(program).c_str(), stdout), 0;
    if (o.action == CLI_USAGE_ERROR) {
        fprintf(stderr, "%s: %s\n%s", program, o.why.c_str(), usage.c_str());
        return 2;
    }
    return -1;
}

int designer_command_line(int argc, const char* const* argv, workspace_choice& ws, cli_options& o)
{
    o = parse_designer_args(argc, argv);
    if (o.action != CLI_RUN) return answer_cli(o, "lumiker", designer_help(), designer_usage());
    char exe[EXE_PATH_MAX];
    if (!exe_directory(exe, sizeof exe)) {
        report(REPORT_STDERR, outcome_fail(MSG_NO_OWN_FOLDER));
        return 2;
    }
    if (o.new_workspace) {
        const outcome made = make_new_workspace(o.folder, o.new_width, o.new_height);
        if (!made) {
            report(REPORT_STDERR, made);
            return 2;
        }
    }
    const outcome chosen = choose_workspace(o.folder.empty() ? nullptr : o.folder.c_str(), exe, ws);
    if (!chosen) {
        report(REPORT_STDERR, chosen);
        return 2;
    }
    if (o.new_workspace) {
        ws.news = outcome_note(MSG_WS_NEW_MADE, ws.dir.c_str(), o.new_width, o.new_height);
        report(REPORT_STDERR, ws.news);
    }
    // A new workspace is news to the user: say where it is, in the window too.
    if (ws.created && ws.from_demo) ws.news = outcome{true, msg(MSG_WS_NEW_FROM_DEMO, ws.dir.c_str())};
    else if (ws.created) ws.news = outcome_fail(MSG_WS_NEW_EMPTY, ws.dir.c_str(), share_folder(exe).c_str());
    if (ws.created) report(REPORT_STDERR, outcome{false, ws.news.why});
    return -1;
}
