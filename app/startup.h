/*******************************************************************************
 * app/startup.h - start-up: paths, settings, fonts, the documents
 *
 * Start-up runs once, in a fixed order, before the event loop: the
 * workspace's paths, SysCfg.ini and the screen fonts; then app/main.cpp
 * opens the window; then the drawing state and the saved documents. A
 * missing screen font ends the program with a message and a non-zero status
 * before anything is shown. The designer takes the workspace's lock and
 * removes the temporaries of saves whose process has ended; once the
 * documents are loaded, the status line names why saving is refused, how
 * many script lines were refused (their report is written beside the
 * script), the pictures that could not be had and another designer on the
 * workspace.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: open the window (app/main.cpp does) or draw.
 ******************************************************************************/
#pragma once
#include "app/designer.h"
#include "app/workspace.h"
#include <cstdio>

// Client size the window asks for a panel of W x H dots: the panel whole at
// two pixels a dot beside the palette, and at least WINDOW_MIN_W x WINDOW_MIN_H.
constexpr int WINDOW_WIDE_MARGIN = 300;
constexpr int WINDOW_TALL_MARGIN = 200;
int window_width_for(int panel_w);
int window_height_for(int panel_h);

// Fit the window into the screen's usable area (x, y, w, h): never larger,
// never starting off it.
void fit_window_to_screen(designer& g, const int screen[4]);

// Where the window opens on the screen, and what its frame adds round the client area.
constexpr int WINDOW_START_X = 120;
constexpr int WINDOW_START_Y = 80;
constexpr int WINDOW_FRAME_W = 16;
constexpr int WINDOW_FRAME_H = 39;

// Load the saved documents into `d` without a window: the program file, the
// pictures it places (their files converted when `convert_pictures`), the
// command script, the links of the date's and time's parts; what was loaded
// is what closing compares against. Problems go to standard error; words
// the script does not know go to `unknown_words` (null: nowhere). Gives
// back the pictures that could not be converted (ok when none).
outcome startup_documents(document& d, bool convert_pictures, FILE* unknown_words = stdout);

// Start-up up to the window, on the workspace folder `workspace` with the font
// files under `font_dir`: paths, settings, the workspace lock, stale
// temporaries, the logo, the screen fonts and the window size. Returns a
// non-zero exit status when the program cannot start.
int startup(designer& g, const char* workspace, const char* font_dir);

// Start-up once the window and its drawing context exist: drawing state, the
// glyph table, the documents (and what the status line says of them), the
// dot-matrix fonts and the first reshape. `news` (of a new workspace) goes
// on the status line first.
void startup_window_ready(designer& g, const outcome& news);
