/*******************************************************************************
 * app/cli.h - the command lines of lumiker and lumiker-script
 *
 *   lumiker [--help] [--version] [WORKSPACE]
 *   lumiker --new DIR [--size WxH]
 *   lumiker-script [--help] [--version] DIR
 *   lumiker-script --png FILE [--pitch N] [--time "YYYY-MM-DD HH:MM:SS"]
 *                  [--values FILE] [--modbus HOST:PORT] DIR
 *   lumiker-script --gif FILE --seconds N [--fps F] [--pitch N] [--time T]
 *                  [--values FILE] [--modbus HOST:PORT] DIR
 *
 * Parses into a plain record and gives the usage and version texts. --help
 * and --version need no display. A bad option, a pitch outside 1..8, a
 * panel size outside 1..4096 dots a side, a time that is not a real date
 * and time, a length or frame rate out of range or a PLC address that is
 * not HOST:PORT is a usage error (exit status 2). --new makes the workspace
 * (app/workspace.h) before the designer opens it.
 *
 * Depends on: timegm and gmtime_r (the C library's calendar) to check a
 * --time date and find its weekday; otherwise nothing outside the C++
 * standard library.
 * Does NOT: check folders or files (app/workspace.h does), or open anything.
 ******************************************************************************/
#pragma once
#include "app/recording.h"
#include "platform/system.h"
#include <string>

constexpr int PREVIEW_PITCH_MIN = 1;
constexpr int PREVIEW_PITCH_MAX = 8;
constexpr int PREVIEW_PITCH_DEFAULT = 2;   // the designer's own magnification
constexpr int PLAYER_PITCH_DEFAULT = 1;    // the player: one pixel a dot, as a sending card captures it
constexpr int NEW_PANEL_WIDTH = 384;       // lumiker --new without --size: the demo's panel
constexpr int NEW_PANEL_HEIGHT = 128;

enum cli_action { CLI_RUN, CLI_HELP, CLI_VERSION, CLI_USAGE_ERROR };

struct cli_options {
    cli_action action = CLI_RUN;
    std::string folder;            // WORKSPACE or DIR (also --new DIR); empty when not given
    bool new_workspace = false;    // lumiker --new DIR
    int new_width = NEW_PANEL_WIDTH, new_height = NEW_PANEL_HEIGHT;   // --size WxH
    std::string png;               // lumiker-script --png FILE
    std::string gif;               // --gif FILE
    double seconds = 0;            // --seconds N (0: not given)
    double fps = GIF_FPS_DEFAULT;  // --fps F
    int pitch = PREVIEW_PITCH_DEFAULT;
    bool fixed_time = false;       // --time given
    local_time time = {};
    std::string values;            // --values FILE
    std::string plc_host;          // --modbus HOST:PORT ("" when not given)
    int plc_port = 0;
    bool play = false;             // lumiker --play: the player window
    int at_x = 0, at_y = 0;        // --at X,Y: where it stands on the screen
    std::string why;               // CLI_USAGE_ERROR: what was wrong
};

// Parse the designer's arguments.
cli_options parse_designer_args(int argc, const char* const* argv);
// Parse lumiker-script's arguments.
cli_options parse_script_args(int argc, const char* const* argv);

// "YYYY-MM-DD HH:MM:SS" into a local time with its weekday; false when it is
// not a real date and time.
bool parse_fixed_time(const char* text, local_time& out);

std::string designer_usage();
// The usage followed by every key and mouse gesture of the window.
std::string designer_help();
std::string script_usage();
// "<program> <version>" and one line of what it is.
std::string version_text(const char* program);

// Answer --help, --version or a usage error of `program`: its exit status, or
// -1 when the program is to run.
int answer_cli(const cli_options& o, const char* program, const std::string& help, const std::string& usage);

struct workspace_choice;
// The designer's command line up to its window: --help, --version, usage
// errors, making a --new workspace and the choice of workspace. Returns the
// exit status when the program ends here, or -1 to go on with `ws`.
int designer_command_line(int argc, const char* const* argv, workspace_choice& ws, cli_options& o);
