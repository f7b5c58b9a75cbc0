/*******************************************************************************
 * edit/status.h - the status line: one message the window shows to the user
 *
 * Whatever the designer wants the user to know (a save's result, a refused
 * key or button, a settings problem found at start) goes here, not only to
 * standard error. One message at a time; a new one replaces the old. The
 * text is given in UTF-8 and converted once, when it is set, into the UTF-16
 * the screen text draws, so no frame converts anything.
 *
 * Outcomes reported to the status channel (platform/outcome) come here from
 * the start: a failure in the error tone, a note in the neutral one.
 *
 * Tones: STATUS_INFO (neutral), STATUS_OK (a success, green), STATUS_ERROR
 * (a failure, red). app/ draws the line; this module draws nothing.
 *
 * Limits: STATUS_TEXT_MAX bytes of UTF-8; longer messages are cut at a
 * character boundary.
 * Depends on: platform/gbk.h (conversion), platform/outcome.h (the status
 * channel). Does NOT: draw, log, or time out.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int STATUS_TEXT_MAX = 512;

enum status_tone : int32_t { STATUS_NONE = 0, STATUS_INFO = 1, STATUS_OK = 2, STATUS_ERROR = 3 };

extern int32_t status_tone;                   // STATUS_NONE when nothing is shown
extern char status_utf8[STATUS_TEXT_MAX];     // the message as given
extern char16_t status_wide[STATUS_TEXT_MAX]; // the same, ready for the screen text
extern uint32_t status_serial;                // counts every change (for redraw and tests)

// Show `utf8` in the given tone, replacing the previous message.
void status_show(int32_t tone, const char* utf8);
// printf-style status_show.
void status_showf(int32_t tone, const char* fmt, ...) __attribute__((format(printf, 2, 3)));
// Clear the line.
void status_clear();
