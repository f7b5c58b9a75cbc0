/*******************************************************************************
 * app/startup.h - start-up: paths, settings, fonts, drawing state, layout
 *
 * Start-up runs once, in a fixed order, before the event loop: the
 * executable's directory and every path built from it, SysCfg.ini and the
 * screen fonts; then app/main.cpp opens the window; then the drawing state,
 * the default layout and the saved documents. A missing screen font ends the
 * program with a message and a non-zero status before anything is shown.
 * The designer takes the workspace's lock and removes the temporaries of
 * saves whose process has ended; once the documents are loaded, the status
 * line names why saving is refused, how many script lines were refused (their
 * report is written beside the script) and another designer on the workspace.
 ******************************************************************************/
#pragma once
#include "app/workspace.h"

// Client width of the window for a panel W dots wide: 2W + 300 from 512 on, else 1300.
int window_width_for(int panel_w);

// Steps that need no window: the default layout and the saved documents
// (program file, pictures, command script) loaded into the tables.
void startup_documents();

// Where the window opens on the screen, and the client size it opens with
// (window_size less the frame allowance).
constexpr int WINDOW_START_X = 120;
constexpr int WINDOW_START_Y = 80;
constexpr int WINDOW_FRAME_W = 16;
constexpr int WINDOW_FRAME_H = 39;

// Start-up up to the window, on the workspace folder `workspace` with the font
// files under `font_dir`: paths, settings, the workspace lock, stale
// temporaries, the screen fonts and the window size. Returns a non-zero exit
// status when the program cannot start.
int startup(const char* workspace, const char* font_dir);

// Start-up once the window and its drawing context exist: drawing state, the
// glyph table, the documents (and what the status line says of them), the
// dot-matrix fonts and the first reshape.
void startup_window_ready();
