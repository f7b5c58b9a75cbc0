/*******************************************************************************
 * app/app_icon.h - the program's icon: LED dots on a dark panel
 *
 * A dark rounded square holding a 7 x 7 matrix of round LEDs; the lit ones
 * form an "L" in the panel's red, amber and green, the others are dim. The
 * same drawing is given as RGBA pixels of any size (the window's icon, and
 * the PNG icons tools/icongen writes) and as an SVG document (the scalable
 * icon), from one set of proportions, so every size shows the same icon.
 *
 * Limits: square icons only, 1 to APP_ICON_MAX_SIDE pixels a side.
 * Depends on: nothing.
 * Does NOT: write files or set the window's icon (tools/icongen and
 * app/main.cpp do).
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr int APP_ICON_MAX_SIDE = 1024;
constexpr int APP_ICON_WINDOW_SIDE = 64;   // the icon the window shows, pixels a side

// The icon as n x n RGBA pixels, top row first; empty when n is out of range.
std::vector<uint8_t> app_icon_pixels(int n);

// The icon as a standalone SVG document.
std::string app_icon_svg();
