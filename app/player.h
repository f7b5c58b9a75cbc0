/*******************************************************************************
 * app/player.h - the player: the panel alone, playing, in a frameless window
 *
 * `lumiker --play [--at X,Y] [--pitch N] [WORKSPACE]` shows only the panel,
 * playing from the workspace's values (its values file and the PLC it
 * names), in a window without a frame at that screen position, at one pixel
 * a dot by default: the picture a sending card captures from a PC's screen
 * to drive a synchronous LED screen. Esc or the window manager's close ends
 * it; nothing is written. A frame is drawn, at most once a refresh, only
 * when an item looks otherwise or the window was uncovered.
 *
 * Limits: a panel larger than the screen is cut at the screen's edge.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: edit, save or show anything but the panel.
 ******************************************************************************/
#pragma once
#include "app/cli.h"
#include "app/workspace.h"

// Run the player on the chosen workspace; its exit status.
int run_player(const workspace_choice& ws, const cli_options& o);
