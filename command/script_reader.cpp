/*******************************************************************************
 * command/script_reader.cpp - splitting the script into lines and running them
 ******************************************************************************/
#include "command/script_reader.h"
#include "command/led_command.h"
#include "platform/file_write.h"
#include "platform/gbk.h"
#include <cstring>

script_report last_script_report;
FILE* script_report_stream = stderr;

namespace {

// One note as a line: "NAME:LINE: refused|changed: REASON: LINE TEXT".
std::string note_line(const char* name, const script_note& n)
{
    std::string shown = n.text.size() > 120 ? n.text.substr(0, 120) + "..." : n.text;
    return std::string(name) + ":" + std::to_string(n.line) + ": " + (n.status == CMD_REFUSED ? "refused" : "changed") +
           ": " + n.reason + ": " + gbk_to_utf8(shown.c_str());
}

void print_note(const char* name, const script_note& n)
{
    if (!script_report_stream) return;
    fprintf(script_report_stream, "%s\n", note_line(name, n).c_str());
}

void record(script_report& report, const char* name, int line, cmd_status st, const std::string& reason,
            const std::string& text)
{
    if (st == CMD_DONE) return;
    if (st == CMD_REFUSED) report.refused++;
    else report.changed++;
    report.notes.push_back(script_note{line, st, reason, text});
    print_note(name, report.notes.back());
}

} // namespace

void run_script(const char* data, size_t len, script_report& report, const char* name)
{
    load_state_reset();
    cmd_register();
    int line_no = 1;
    size_t i = 0;
    std::string line;
    while (i < len) {
        size_t start = i;
        while (i < len && data[i] != '\r' && data[i] != '\n') i++;
        line.assign(data + start, i - start);
        int this_line = line_no;
        if (i < len) {
            if (data[i] == '\r' && i + 1 < len && data[i + 1] == '\n') i++;
            i++;
            line_no++;
        }
        if (line.empty()) continue;
        report.lines++;
        if (line.find('\0') != std::string::npos) {
            record(report, name, this_line, CMD_REFUSED, "the line holds a NUL byte", line);
            continue;
        }
        cmd_status st = cmd_dispatch(0, line.c_str(), 0);
        record(report, name, this_line, st, cmd_reason(), line);
    }
    if (led_finish() != CMD_DONE)
        record(report, name, line_no, CMD_CHANGED, "a table block was not ended; it was closed at the end of the file",
               std::string());
}

bool load_script(const char* path)
{
    last_script_report = script_report{};
    std::string data;
    bool missing = false;
    outcome o = read_whole_file(path, SCRIPT_FILE_MAX, data, &missing, &last_script_report.stamp);
    if (!o) {
        last_script_report.state = missing ? SCRIPT_MISSING : SCRIPT_UNREADABLE;
        last_script_report.why = o.why;
        load_state_reset();
        return false;
    }
    last_script_report.state = SCRIPT_READ;
    const char* slash = path ? strrchr(path, '/') : nullptr;
    run_script(data.data(), data.size(), last_script_report, slash ? slash + 1 : "cmd.txt");
    return true;
}

outcome write_script_report(const char* script_path, std::string& report_path)
{
    report_path = std::string(script_path ? script_path : "") + SCRIPT_REPORT_SUFFIX;
    const char* slash = script_path ? strrchr(script_path, '/') : nullptr;
    const char* name = slash ? slash + 1 : "cmd.txt";
    std::string text = msg(MSG_SCRIPT_REPORT_HEAD, script_path ? script_path : "") + "\n";
    for (const script_note& n : last_script_report.notes) text += note_line(name, n) + "\n";
    return replace_file(report_path.c_str(), text);
}
