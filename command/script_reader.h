/*******************************************************************************
 * command/script_reader.h - reading cmd.txt through the dispatcher
 *
 * The whole file is read (up to SCRIPT_FILE_MAX bytes) and split into lines
 * at carriage returns and line feeds (CR LF counts as one line end); empty
 * lines are dropped; each line, of any length, goes to the dispatcher in
 * file order and fills the document. Every line that is refused or loaded
 * differently from how it was written is recorded in the document's script
 * report with its line number and the reason, and printed on the report
 * stream; the designer also writes these notes to a report file beside the
 * script (SCRIPT_REPORT_SUFFIX), so the user can read them without a terminal.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: clear the document first (the caller decides).
 ******************************************************************************/
#pragma once
#include "command/dispatcher.h"
#include "platform/outcome.h"
#include <cstddef>
#include <cstdio>
#include <string>

constexpr size_t SCRIPT_FILE_MAX = 64u * 1024 * 1024;
constexpr const char* SCRIPT_REPORT_SUFFIX = ".report.txt";   // cmd.txt.report.txt

// Run every line of `data` into the document; its notes go into `report` and
// are printed on `stream` (null: nowhere) as "NAME:LINE: 未读入|已改动: REASON: LINE TEXT".
void run_script(document& d, const char* data, size_t len, script_report& report, FILE* stream = stderr,
                const char* name = "cmd.txt", FILE* unknown_word_stream = stdout);

// Read the document's script (d.paths.cmd) whole and run it into d.script.
// Returns false when the file is missing or unreadable (no item is then
// re-created).
bool load_script(document& d, FILE* stream = stderr, FILE* unknown_word_stream = stdout);

// Write the notes of the document's load to its script's path +
// SCRIPT_REPORT_SUFFIX (UTF-8, one note a line, as on the report stream).
// `report_path` gets its name.
outcome write_script_report(const document& d, std::string& report_path);
