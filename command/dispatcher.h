/*******************************************************************************
 * command/dispatcher.h - the command table and the line dispatcher
 *
 * A line is a command word followed by arguments, all separated by spaces (a
 * run of spaces is one separator, there is no quoting). The command word is
 * matched case-insensitively against the name and the alias of every
 * registered entry; the first match runs its handler with the arguments.
 *
 * Built-in entries, in order: "LED"/"led" (item lines), "FILE"/"file" (does
 * nothing), "INSMOD"/"insmod" (variable items).
 *
 * Every line ends in one of three outcomes: done, changed (loaded, but not
 * exactly as written; the reason says how) or refused (no effect at all; the
 * reason says why). Handlers report through cmd_refuse / cmd_change.
 *
 * Limits: at most CMD_MAX_ARGS arguments of at most CMD_ARG_LEN - 1 bytes
 * each; a longer line is refused whole, never cut.
 *
 * Does NOT: read files (command/script_reader does), know about items.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <cstdio>

constexpr int CMD_TABLE_SIZE = 5;    // registered entries
constexpr int CMD_MAX_ARGS = 18;     // arguments after the command word
constexpr int CMD_ARG_LEN = 512;     // one argument text, NUL included
constexpr int CMD_NAME_LEN = 20;
constexpr int CMD_ALIAS_LEN = 12;
constexpr int CMD_HELP_LEN = 80;
constexpr int CMD_WORD_LEN = 50;     // longest command word compared, NUL included
constexpr int CMD_REASON_LEN = 240;  // reason text of a changed or refused line

// Outcome of one line.
enum cmd_status : int32_t { CMD_DONE = 0, CMD_CHANGED = 1, CMD_REFUSED = 2 };

typedef char cmd_arg_text[CMD_ARG_LEN];
// A command handler: (context, argument count, arguments, extra) -> cmd_status.
typedef int32_t (*cmd_handler)(int32_t context, int32_t argc, cmd_arg_text* argv, int32_t extra);

struct cmd_entry {
    char name[CMD_NAME_LEN];
    char alias[CMD_ALIAS_LEN];
    cmd_handler handler;
    char help[CMD_HELP_LEN];
};

extern cmd_entry cmd_table[CMD_TABLE_SIZE];
extern cmd_arg_text cmd_args[CMD_MAX_ARGS];

// Where the message for an unknown command word goes (standard output by
// default; null to keep quiet, as the companion tool does).
extern FILE* cmd_error_stream;

// Set by cmd_dispatch when the line ends in a separator after its last
// argument: the export ends some lines with a blank that carries meaning.
extern bool cmd_trailing_blank;

// Fill cmd_table with the built-in entries (slots 1 to 3).
void cmd_register();

// Run one line. `context` and `extra` reach the handler unchanged.
// Returns the outcome; cmd_reason() tells why when it is not CMD_DONE.
cmd_status cmd_dispatch(int32_t context, const char* line, int32_t extra);

// The reason recorded for the last dispatched line ("" when done).
const char* cmd_reason();

// For handlers: refuse the line (the handler must then change nothing), or
// note that it was loaded differently from how it was written.
cmd_status cmd_refuse(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void cmd_change(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
