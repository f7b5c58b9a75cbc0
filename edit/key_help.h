/*******************************************************************************
 * edit/key_help.h - the list of keys and mouse gestures, and its overlay state
 *
 * One table of lines (key or gesture, then what it does) serves both the
 * window's F1 overlay and the command line's --help. F1 shows the overlay;
 * while it is shown, any key or a mouse press only closes it.
 *
 * Limits: KEY_HELP_LINES lines of at most KEY_HELP_LINE_MAX UTF-16 units.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw (app/ draws the overlay) or act on the keys it lists.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>

constexpr int KEY_HELP_LINES = 34;
constexpr int KEY_HELP_LINE_MAX = 96;

struct key_help_line {
    const char* keys;   // UTF-8
    const char* does;   // UTF-8
};
extern const key_help_line key_help[KEY_HELP_LINES];

// The lines as UTF-16 for the screen text (key column, then its meaning).
const std::u16string& key_help_wide(int line, int column);

// A key or press while the overlay is up (`shown`): close it. True when it
// was up (the key or press is then used up).
bool key_help_close(bool& shown);
