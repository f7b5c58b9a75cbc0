/*******************************************************************************
 * command/script_reader.h - reading cmd.txt through the dispatcher
 *
 * The whole file is read (up to SCRIPT_FILE_MAX bytes) and split into lines
 * at carriage returns and line feeds (CR LF counts as one line end); empty
 * lines are dropped; each line, of any length, goes to the dispatcher in
 * file order. Every line that is refused or loaded differently from how it
 * was written is recorded with its line number and the reason, and printed
 * on the report stream; the designer also writes these notes to a report
 * file beside the script (SCRIPT_REPORT_SUFFIX), so the user can read them
 * without a terminal.
 *
 * Does NOT: run the default layout (start-up does that first).
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

constexpr size_t SCRIPT_FILE_MAX = 64u * 1024 * 1024;
constexpr const char* SCRIPT_REPORT_SUFFIX = ".report.txt";   // cmd.txt.report.txt

// How the script file itself was read.
enum script_file_state { SCRIPT_READ = 0, SCRIPT_MISSING = 1, SCRIPT_UNREADABLE = 2 };

// One line that was refused or changed.
struct script_note {
    int line;             // line number in the file, from 1
    cmd_status status;    // CMD_CHANGED or CMD_REFUSED
    std::string reason;
    std::string text;     // the line as written (GBK)
};

struct script_report {
    script_file_state state = SCRIPT_MISSING;
    std::string why;      // reason when the file could not be read
    file_stamp stamp;     // the file as it was read (a save updates it to what it wrote)
    int lines = 0;        // non-empty lines dispatched
    int refused = 0;
    int changed = 0;
    std::vector<script_note> notes;
};

// The report of the last load_script.
extern script_report last_script_report;

// Where notes are printed as "NAME:LINE: refused|changed: REASON: LINE TEXT"
// (standard error by default; null prints nothing).
extern FILE* script_report_stream;

// Reset the load state, register the commands and run every line of `data`.
void run_script(const char* data, size_t len, script_report& report, const char* name = "cmd.txt");

// Read `path` whole and run it. Returns false when the file is missing or
// unreadable (no item is then re-created).
bool load_script(const char* path);

// Write the notes of the last load to SCRIPT_PATH + SCRIPT_REPORT_SUFFIX
// (UTF-8, one note a line, as on the report stream). `report_path` gets its name.
outcome write_script_report(const char* script_path, std::string& report_path);
