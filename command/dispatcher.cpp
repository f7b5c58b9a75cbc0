/*******************************************************************************
 * command/dispatcher.cpp - command table, word matching and argument splitting
 ******************************************************************************/
#include "command/dispatcher.h"
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "model/tables.h"
#include <cstdarg>
#include <cstring>

cmd_entry cmd_table[CMD_TABLE_SIZE];
cmd_arg_text cmd_args[CMD_MAX_ARGS];
FILE* cmd_error_stream = stdout;
bool cmd_trailing_blank = false;

namespace {

int32_t file_command(int32_t, int32_t, cmd_arg_text*, int32_t) { return CMD_DONE; }

const cmd_entry builtin_entries[3] = {
    {"LED", "led", led_command, "  LED/led:  led function"},
    {"FILE", "file", file_command, "  FILE/file:  file function"},
    {"INSMOD", "insmod", insmod_command, "  INSMOD/insmod:  insmod function"},
};

cmd_status note_status = CMD_DONE;
char note_reason[CMD_REASON_LEN];

// Append a formatted reason, separated from an earlier one by "; ".
void append_reason(const char* fmt, va_list ap)
{
    size_t used = strlen(note_reason);
    if (used && used + 2 < sizeof note_reason) {
        memcpy(note_reason + used, "; ", 3);
        used += 2;
    }
    if (used + 1 < sizeof note_reason) vsnprintf(note_reason + used, sizeof note_reason - used, fmt, ap);
}

// Upper-case a..z in place.
void upper(char* s)
{
    for (; *s; s++)
        if (*s >= 'a' && *s <= 'z') *s = (char)(*s - 'a' + 'A');
}

bool word_matches(const char* word, const char* name)
{
    char n[CMD_WORD_LEN];
    copy_field(n, sizeof n, name);
    upper(n);
    return n[0] && strcmp(n, word) == 0;
}

} // namespace

cmd_status cmd_refuse(const char* fmt, ...)
{
    // A refusal replaces any change noted so far: nothing of the line is kept.
    note_reason[0] = 0;
    va_list ap;
    va_start(ap, fmt);
    append_reason(fmt, ap);
    va_end(ap);
    note_status = CMD_REFUSED;
    return CMD_REFUSED;
}

void cmd_change(const char* fmt, ...)
{
    if (note_status == CMD_REFUSED) return;
    va_list ap;
    va_start(ap, fmt);
    append_reason(fmt, ap);
    va_end(ap);
    note_status = CMD_CHANGED;
}

const char* cmd_reason() { return note_reason; }

void cmd_register()
{
    for (cmd_entry& e : cmd_table) e = cmd_entry{};
    for (int k = 0; k < 3; k++) cmd_table[k + 1] = builtin_entries[k];
}

cmd_status cmd_dispatch(int32_t context, const char* line, int32_t extra)
{
    note_status = CMD_DONE;
    note_reason[0] = 0;
    cmd_trailing_blank = false;
    if (!line) line = "";

    // The command word: everything up to the first space.
    size_t wlen = strcspn(line, " ");
    char word[CMD_WORD_LEN];
    copy_field(word, sizeof word, "");
    if (wlen < sizeof word) {
        memcpy(word, line, wlen);
        word[wlen] = 0;
        upper(word);
    }
    const cmd_entry* hit = nullptr;
    if (wlen > 0 && wlen < sizeof word) {
        for (const cmd_entry& e : cmd_table) {
            if (!e.handler) continue;
            if (word_matches(word, e.name) || word_matches(word, e.alias)) {
                hit = &e;
                break;
            }
        }
    }
    if (!hit) {
        if (cmd_error_stream) {
            fputs("Error command! Help with 'H/h'\n", cmd_error_stream);
            fflush(cmd_error_stream);
        }
        return cmd_refuse("unknown command word");
    }

    // Split the rest at runs of spaces; refuse rather than cut.
    int argc = 0;
    const char* p = line + wlen;
    while (*p == ' ') p++;
    while (*p) {
        size_t n = strcspn(p, " ");
        if (argc == CMD_MAX_ARGS) return cmd_refuse("more than %d arguments", CMD_MAX_ARGS);
        if (n >= (size_t)CMD_ARG_LEN)
            return cmd_refuse("argument %d is longer than %d bytes", argc + 1, CMD_ARG_LEN - 1);
        memcpy(cmd_args[argc], p, n);
        cmd_args[argc][n] = 0;
        argc++;
        p += n;
        if (*p == ' ') {
            while (*p == ' ') p++;
            if (!*p) cmd_trailing_blank = true;
        }
    }
    for (int k = argc; k < CMD_MAX_ARGS; k++) cmd_args[k][0] = 0;
    int32_t r = hit->handler(context, argc, cmd_args, extra);
    if (r == CMD_REFUSED && note_status != CMD_REFUSED) cmd_refuse("refused");
    return note_status;
}
