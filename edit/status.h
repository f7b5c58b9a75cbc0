/*******************************************************************************
 * edit/status.h - the status line: one message the window shows to the user
 *
 * Whatever the designer wants the user to know (a save's result, a refused
 * key or button, a settings problem found at start) goes here, not only to
 * standard error. One message at a time; a new one replaces the old. The
 * text is given in UTF-8 and converted once, when it is set, into the UTF-16
 * the screen text draws, so no frame converts anything. Outcomes reported to
 * the status channel (platform/outcome) come to the line that took it: a
 * failure in the error tone, a note in the neutral one.
 *
 * Tones: STATUS_INFO (neutral), STATUS_OK (a success, green), STATUS_ERROR
 * (a failure, red). app/ draws the line; this module draws nothing.
 *
 * Limits: STATUS_TEXT_MAX bytes of UTF-8; longer messages are cut at a
 * character boundary.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, log, or time out.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int STATUS_TEXT_MAX = 512;

enum status_tone : int32_t { STATUS_NONE = 0, STATUS_INFO = 1, STATUS_OK = 2, STATUS_ERROR = 3 };

struct status_line {
    int32_t tone = STATUS_NONE;               // STATUS_NONE when nothing is shown
    char utf8[STATUS_TEXT_MAX] = "";          // the message as given
    char16_t wide[STATUS_TEXT_MAX] = {0};     // the same, ready for the screen text
    uint32_t serial = 0;                      // counts every change (for redraw and tests)
};

// Show `utf8` in the given tone, replacing the previous message.
void status_show(status_line& s, int32_t tone, const char* utf8);
// Clear the line.
void status_clear(status_line& s);
// Outcomes reported to the status channel go to this line from now on.
void status_take_reports(status_line& s);
