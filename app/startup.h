/*******************************************************************************
 * app/startup.h - start-up: paths, settings, window, fonts, layout, callbacks
 *
 * Start-up runs once, in a fixed order, before the event loop: the
 * executable's directory and every path built from it, SysCfg.ini, the window
 * and drawing state, the screen fonts, the default layout and the saved
 * documents, then the callbacks. A missing screen font ends the program with
 * a message and a non-zero status before anything is shown.
 ******************************************************************************/
#pragma once
#include "app/workspace.h"

// Client width of the window for a panel W dots wide: 2W + 300 from 512 on, else 1300.
int window_width_for(int panel_w);

// Steps that need no window: the default layout and the saved documents
// (program file, pictures, command script) loaded into the tables.
void startup_documents();

// Run start-up up to the event loop (GLUT is initialised with argc/argv) on
// the workspace folder `workspace` with the font files under `font_dir`.
// Returns a non-zero exit status when the program cannot start.
int startup(int* argc, char** argv, const char* workspace, const char* font_dir);
