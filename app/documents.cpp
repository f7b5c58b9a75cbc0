/*******************************************************************************
 * app/documents.cpp - loading the layout at start-up, without a window
 *
 * Loads what was saved last time: the valve pictures, the program file's
 * regions (placing their pictures) and the command script, whose lines re-create the saved items.
 * Shared by the designer and by tools that load a workspace without opening
 * a window (lumiker-script). Problems are reported on standard error (under
 * the program's own name); start-up always goes on. The pictures that could
 * not be had are given back too, for the status line or the exit status. The date's and the
 * time's parts are linked as when they were placed, and the loaded layout
 * is remembered as the saved one.
 *
 * Limits: a valve picture larger than VALVE_FILE_MAX bytes is not loaded.
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: open a window, draw, write the script report, or save.
 ******************************************************************************/
#include "app/pictures.h"
#include "app/startup.h"
#include "command/script_reader.h"
#include "edit/arrange.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include <cstdlib>
#include <cstring>

namespace {

constexpr size_t VALVE_FILE_MAX = 16u * 1024 * 1024;   // a larger valve picture is not loaded

// Read the valve pictures of the program's folder whole (a missing or
// unreadable one shows as nothing).
void load_valve_pictures(document& d)
{
    for (int k = 0; k < VALVE_PICTURES; k++) {
        valve_image& v = d.valves[k];
        free(v.bytes);
        v = valve_image();
        std::string data;
        bool missing = false;
        if (d.paths.valves[k].empty() || !read_whole_file(d.paths.valves[k].c_str(), VALVE_FILE_MAX, data, &missing, nullptr) ||
            data.empty())
            continue;
        v.bytes = static_cast<uint8_t*>(malloc(data.size()));
        if (!v.bytes) continue;
        memcpy(v.bytes, data.data(), data.size());
        v.len = (int32_t)data.size();
    }
}

} // namespace

outcome startup_documents(document& d, bool convert_pictures, FILE* unknown_words)
{
    doc_clear_layout(d);
    load_valve_pictures(d);
    const outcome program = load_program_file(d);
    if (!program) report(REPORT_STDERR, outcome_fail(MSG_PROGRAM_NOT_LOADED, program.why.c_str()));
    const outcome pictures = place_program_pictures(d, convert_pictures);
    report(REPORT_STDERR, pictures);

    if (!load_script(d, stderr, unknown_words) && d.script.state == FILE_UNREADABLE)
        report(REPORT_STDERR, outcome_fail(MSG_PLAIN, d.script.why.c_str()));
    // The date's and the time's parts move together, as when they were placed.
    link_loaded_parts(d);
    remember_saved_layout(d);
    return pictures;
}
