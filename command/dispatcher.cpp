/*******************************************************************************
 * command/dispatcher.cpp - command table, word matching and argument splitting
 ******************************************************************************/
#include "command/dispatcher.h"
#include "command/insmod_command.h"
#include "command/led_command.h"
#include <cstdarg>
#include <cstring>

namespace {

constexpr const char* UNKNOWN_WORD_LINE = "Error command! Help with 'H/h'\n";
constexpr const char* REASON_SEPARATOR = "；";

cmd_status file_command(cmd_context&, int, cmd_arg_text*) { return CMD_DONE; }

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

const cmd_entry cmd_table[CMD_ENTRIES] = {
    {"LED", "led", led_command},
    {"FILE", "file", file_command},
    {"INSMOD", "insmod", insmod_command},
};

cmd_status cmd_refuse(cmd_context& c, msg_id id, ...)
{
    // A refusal replaces any change noted so far: nothing of the line is kept.
    va_list ap;
    va_start(ap, id);
    c.reason = msg_v(id, ap);
    va_end(ap);
    c.status = CMD_REFUSED;
    return CMD_REFUSED;
}

void cmd_change(cmd_context& c, msg_id id, ...)
{
    if (c.status == CMD_REFUSED) return;
    va_list ap;
    va_start(ap, id);
    if (!c.reason.empty()) c.reason += REASON_SEPARATOR;
    c.reason += msg_v(id, ap);
    va_end(ap);
    c.status = CMD_CHANGED;
}

cmd_status cmd_dispatch(cmd_context& c, const char* line)
{
    c.status = CMD_DONE;
    c.reason.clear();
    c.trailing_blank = false;
    if (!line) line = "";
    // The command word: everything up to the first space.
    const size_t wlen = strcspn(line, " ");
    char word[CMD_WORD_LEN] = "";
    if (wlen < sizeof word) {
        memcpy(word, line, wlen);
        word[wlen] = 0;
        upper(word);
    }
    const cmd_entry* hit = nullptr;
    if (wlen > 0 && wlen < sizeof word)
        for (const cmd_entry& e : cmd_table)
            if (word_matches(word, e.name) || word_matches(word, e.alias)) {
                hit = &e;
                break;
            }
    if (!hit) {
        if (c.error_stream) {
            fputs(UNKNOWN_WORD_LINE, c.error_stream);
            fflush(c.error_stream);
        }
        return cmd_refuse(c, MSG_CMD_UNKNOWN_WORD);
    }
    // Split the rest at runs of spaces; refuse rather than cut.
    int argc = 0;
    const char* p = line + wlen;
    while (*p == ' ') p++;
    while (*p) {
        const size_t n = strcspn(p, " ");
        if (argc == CMD_MAX_ARGS) return cmd_refuse(c, MSG_CMD_TOO_MANY_ARGS, CMD_MAX_ARGS);
        if (n >= (size_t)CMD_ARG_LEN) return cmd_refuse(c, MSG_CMD_ARG_TOO_LONG, argc + 1, CMD_ARG_LEN - 1);
        memcpy(c.args[argc], p, n);
        c.args[argc][n] = 0;
        argc++;
        p += n;
        if (*p == ' ') {
            while (*p == ' ') p++;
            if (!*p) c.trailing_blank = true;
        }
    }
    for (int k = argc; k < CMD_MAX_ARGS; k++) c.args[k][0] = 0;
    const cmd_status r = hit->handler(c, argc, c.args);
    if (r == CMD_REFUSED && c.status != CMD_REFUSED) cmd_refuse(c, MSG_CMD_REFUSED);
    return c.status;
}
