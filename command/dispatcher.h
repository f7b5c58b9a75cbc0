/*******************************************************************************
 * command/dispatcher.h - the command table and the line dispatcher
 *
 * A line is a command word followed by arguments, all separated by spaces (a
 * run of spaces is one separator, there is no quoting). The command word is
 * matched case-insensitively against the name and the alias of every entry;
 * the first match runs its handler with the arguments. Entries: "LED"/"led"
 * (item lines), "FILE"/"file" (does nothing), "INSMOD"/"insmod" (variables).
 *
 * Every line ends in one of three outcomes: done, changed (loaded, but not
 * exactly as written; the reason says how) or refused (no effect at all; the
 * reason says why). Handlers report through cmd_refuse / cmd_change, with
 * reasons from the message table.
 *
 * All the state of a load (the document it fills, what earlier lines left
 * open, the reason of the line at hand) is in one cmd_context.
 *
 * Limits: at most CMD_MAX_ARGS arguments of at most CMD_ARG_LEN - 1 bytes
 * each; a longer line is refused whole, never cut.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: read files (command/script_reader does).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/messages.h"
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int CMD_MAX_ARGS = 18;     // arguments after the command word
constexpr int CMD_ARG_LEN = 512;     // one argument text, NUL included
constexpr int CMD_WORD_LEN = 50;     // longest command word compared, NUL included

typedef char cmd_arg_text[CMD_ARG_LEN];

// What the led and insmod lines of one load leave for the lines after them.
struct load_state {
    int next[RANGE_COUNT] = {};      // where the next line of each range starts looking for a slot
    bool in_table = false;           // between "begin" and "end"
    bool table_refused = false;      // the open block's "begin" was refused: drop its lines
    item_id table = NO_ITEM;         // the open table
    int cell_index = 0, cell_col = 0, cell_row = 0;
    int table_cols = 0, table_rows = 0;
};

struct cmd_context {
    document* doc = nullptr;
    load_state load;
    // Where the message for an unknown command word goes (null: nowhere).
    FILE* error_stream = stdout;
    // The line at hand.
    cmd_status status = CMD_DONE;
    std::string reason;
    bool trailing_blank = false;     // it ends in a separator after its last argument
    cmd_arg_text args[CMD_MAX_ARGS];
};

// A command handler.
typedef cmd_status (*cmd_handler)(cmd_context& c, int argc, cmd_arg_text* argv);

struct cmd_entry {
    const char* name;
    const char* alias;
    cmd_handler handler;
};
constexpr int CMD_ENTRIES = 3;
extern const cmd_entry cmd_table[CMD_ENTRIES];

// Run one line: its outcome, with c.reason saying why when it is not CMD_DONE.
cmd_status cmd_dispatch(cmd_context& c, const char* line);

// For handlers: refuse the line (the handler must then change nothing), or
// note that it was loaded differently from how it was written.
cmd_status cmd_refuse(cmd_context& c, msg_id id, ...);
void cmd_change(cmd_context& c, msg_id id, ...);
