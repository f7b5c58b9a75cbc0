/*******************************************************************************
 * output/program_file.h - the JSON program file one_pic_effect.vsn
 *
 * The program file describes the program's pages and regions for the
 * playback side. At start-up the regions of page 0 are read into the region
 * table (picture regions, type 2, with rectangle and picture path; text
 * regions, type 4, with position and text). On saving, the file's own
 * current content is the template: only the rectangles of the regions in use
 * and the texts of text regions in use are replaced; every other page,
 * region and member passes through unchanged.
 *
 * Numbers are carried as JSON strings ("X": "10"); plain JSON integers are
 * accepted too. The file is read as UTF-8 and written as pure ASCII, other
 * characters as \uXXXX escapes; the records hold GBK. Nesting deeper than
 * PROGRAM_FILE_DEPTH_MAX makes the file unreadable.
 *
 * Limits: the first REGION_COUNT regions are loaded, the rest pass through.
 * Texts longer than their fields are cut in the record and then never
 * written back, so a save cannot shorten them in the file. A file that
 * cannot be parsed is never overwritten.
 *
 * Depends on: JsonCpp, platform/gbk, platform/file_write, platform/outcome.
 * Does NOT: place or convert pictures (start-up does that from the table).
 ******************************************************************************/
#pragma once
#include <cstddef>
#include <cstdint>
#include "platform/file_write.h"
#include "platform/outcome.h"
#include <string>

constexpr int REGION_COUNT = 30;
constexpr int REGION_PATH_LEN = 400;
constexpr int REGION_NUMBER_LEN = 25;
constexpr int REGION_TEXT_LEN = 55;
constexpr size_t PROGRAM_FILE_MAX = 16u * 1024 * 1024;
constexpr int PROGRAM_FILE_DEPTH_MAX = 100;   // deeper nesting is refused as unreadable

enum : uint8_t { REGION_NONE = 0, REGION_PICTURE = 2, REGION_TEXT = 4 };

// One region of page 0.
struct region_record {
    uint8_t type;        // REGION_PICTURE, REGION_TEXT or REGION_NONE
    uint16_t rx, ry;     // X and Y as numbers
    uint16_t rw, rh;     // Width and Height as numbers (picture regions)
    uint8_t in_use;      // set by the export: written back on saving
    char file_path[REGION_PATH_LEN];   // picture path, GBK
    char x_text[REGION_NUMBER_LEN];
    char y_text[REGION_NUMBER_LEN];
    char w_text[REGION_NUMBER_LEN];
    char h_text[REGION_NUMBER_LEN];
    char region_text[REGION_TEXT_LEN]; // text of a text region, GBK
    uint8_t text_whole;  // region_text is whole (read uncut, or set since): only then written back
};

extern region_record region_table[REGION_COUNT];

// Why the last load or save failed ("" when it did not).
extern std::string program_file_problem;
// Set when the last load found a file it could not read or parse: such a
// file is kept, and the layout is not saved until it is mended.
extern bool program_file_unusable;
// The file as it was last loaded or saved (a save checks it is still so).
extern file_stamp program_file_stamp;

// Clear the table, then read vsn_path into it. A missing file loads nothing
// and is no failure; fails when the file exists but cannot be read or
// parsed (program_file_problem says why too).
outcome load_program_file();

// The program file's new text: its current content with the regions in use.
// `now` gets the stamp of the content it started from. Fails (nothing to
// write) when the file cannot be read or parsed or has no regions of page 0.
outcome program_file_text(std::string& text, file_stamp& now);

// Rewrite vsn_path from its own content with the regions in use. Fails
// (nothing written) when the file cannot be read, parsed or replaced.
outcome save_program_file();

// Whether start-up converts the picture regions' pictures into bitmap files
// (true); tools that must change no file turn it off.
extern bool convert_pictures_at_startup;

// Decimal text to a region number: leading digits, none gives 0, capped at 65535.
uint16_t region_number(const char* text);
