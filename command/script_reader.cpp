/*******************************************************************************
 * command/script_reader.cpp - splitting the script into lines and running them
 ******************************************************************************/
#include "command/script_reader.h"
#include "command/led_command.h"
#include "platform/file_write.h"
#include "platform/gbk.h"
#include <cstring>

namespace {

constexpr size_t NOTE_TEXT_MAX = 120;   // bytes of a line shown in a note

// One note as a line: "NAME:LINE: 未读入|已改动: REASON: LINE TEXT".
std::string note_line(const char* name, const script_note& n)
{
    const std::string shown = n.text.size() > NOTE_TEXT_MAX ? n.text.substr(0, NOTE_TEXT_MAX) + "..." : n.text;
    return std::string(name) + ":" + std::to_string(n.line) + ": " +
           msg_text(n.status == CMD_REFUSED ? MSG_CMD_NOTE_REFUSED : MSG_CMD_NOTE_CHANGED) + ": " + n.reason + ": " +
           gbk_to_utf8(shown.c_str());
}

void record(script_report& report, FILE* stream, const char* name, int line, cmd_status st, const std::string& reason,
            const std::string& text)
{
    if (st == CMD_DONE) return;
    if (st == CMD_REFUSED) report.refused++;
    else report.changed++;
    report.notes.push_back(script_note{line, st, reason, text});
    if (stream) fprintf(stream, "%s\n", note_line(name, report.notes.back()).c_str());
}

// The file name of a path.
const char* name_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path.c_str() : path.c_str() + slash + 1;
}

} // namespace

void run_script(document& d, const char* data, size_t len, script_report& report, FILE* stream, const char* name,
                FILE* unknown_word_stream)
{
    cmd_context c;
    c.doc = &d;
    c.error_stream = unknown_word_stream;
    int line_no = 1;
    size_t i = 0;
    std::string line;
    while (i < len) {
        const size_t start = i;
        while (i < len && data[i] != '\r' && data[i] != '\n') i++;
        line.assign(data + start, i - start);
        const int this_line = line_no;
        if (i < len) {
            if (data[i] == '\r' && i + 1 < len && data[i + 1] == '\n') i++;
            i++;
            line_no++;
        }
        if (line.empty()) continue;
        report.lines++;
        if (line.find('\0') != std::string::npos) {
            record(report, stream, name, this_line, CMD_REFUSED, msg(MSG_CMD_NUL), line);
            continue;
        }
        const cmd_status st = cmd_dispatch(c, line.c_str());
        record(report, stream, name, this_line, st, c.reason, line);
    }
    if (led_finish(c) != CMD_DONE)
        record(report, stream, name, line_no, CMD_CHANGED, msg(MSG_CMD_TABLE_UNENDED), std::string());
}

bool load_script(document& d, FILE* stream, FILE* unknown_word_stream)
{
    d.script = script_report{};
    std::string data;
    bool missing = false;
    const outcome o = read_whole_file(d.paths.cmd.c_str(), SCRIPT_FILE_MAX, data, &missing, &d.script.stamp);
    if (!o) {
        d.script.state = missing ? FILE_MISSING : FILE_UNREADABLE;
        d.script.why = o.why;
        return false;
    }
    d.script.state = FILE_READ;
    run_script(d, data.data(), data.size(), d.script, stream, name_of(d.paths.cmd), unknown_word_stream);
    return true;
}

outcome write_script_report(const document& d, std::string& report_path)
{
    report_path = d.paths.cmd + SCRIPT_REPORT_SUFFIX;
    std::string text = msg(MSG_SCRIPT_REPORT_HEAD, d.paths.cmd.c_str()) + "\n";
    for (const script_note& n : d.script.notes) text += note_line(name_of(d.paths.cmd), n) + "\n";
    return replace_file(report_path.c_str(), text);
}
