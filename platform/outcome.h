/*******************************************************************************
 * platform/outcome.h - the one result type of everything that can fail
 *
 * An outcome is ok, or not ok with a reason the user can read (Chinese,
 * from platform/messages, naming the user's file). Whatever fails returns
 * one; whoever decides what the user sees hands it to report(), the one
 * place that routes it: to the status line, to standard error, or to the
 * script report. The window, the command-line tool and the script reader
 * each attach the sink of their channel; standard error is attached from
 * the start and names the program ("lumiker-script: ...").
 *
 * Limits: a reason is at most MSG_TEXT_MAX bytes.
 * Depends on: nothing outside the C++ standard library (standard error
 * through stdio).
 * Does NOT: show or store anything itself (the sinks do), or end the program.
 ******************************************************************************/
#pragma once
#include "platform/messages.h"
#include <string>

struct outcome {
    bool ok = true;
    std::string why;   // UTF-8; empty when ok (an ok outcome may carry a note)

    explicit operator bool() const { return ok; }
};

// Success, and success with a note for the user.
inline outcome outcome_ok() { return outcome{}; }
outcome outcome_note(msg_id id, ...);
// Failure with a message of the table.
outcome outcome_fail(msg_id id, ...);

// Where a reported outcome goes.
enum report_channel : int { REPORT_STATUS, REPORT_STDERR, REPORT_SCRIPT, REPORT_CHANNELS };
typedef void (*report_sink)(void* target, const outcome& o);

// Attach the sink of a channel and what it writes to (a null sink detaches
// it; a report then goes nowhere).
void report_attach(report_channel channel, report_sink sink, void* target = nullptr);
// Route an outcome to a channel. Nothing is reported for an ok outcome
// without a note.
void report(report_channel channel, const outcome& o);

// The name standard error is printed under ("lumiker" at start).
void report_program_name(const char* name);
