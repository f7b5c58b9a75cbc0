/*******************************************************************************
 * output/program_file.h - the JSON program file one_pic_effect.vsn
 *
 * The program file describes the program's pages and regions for the
 * playback side. At start-up the regions of page 0 are read into the
 * document's regions (picture regions, type 2, with rectangle and picture
 * path; text regions, type 4, with position and text). On saving, the file's
 * own current content is the template: only the rectangles of the regions in
 * use and the texts of text regions in use are replaced; every other page,
 * region and member passes through unchanged.
 *
 * Numbers are carried as JSON strings ("X": "10"); plain JSON integers are
 * accepted too. The file is read as UTF-8 and written as pure ASCII, other
 * characters as \uXXXX escapes; the document's regions hold GBK. Nesting
 * deeper than PROGRAM_FILE_DEPTH_MAX makes the file unreadable.
 *
 * Limits: the first REGION_COUNT regions are loaded, the rest pass through.
 * Texts longer than their fields are cut in the document and then never
 * written back, so a save cannot shorten them in the file. A file that
 * cannot be parsed is never overwritten.
 *
 * Depends on: JsonCpp (parsing and writing).
 * Does NOT: place or convert pictures (start-up does that from the regions).
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/file_write.h"
#include "platform/outcome.h"
#include <cstddef>
#include <cstdint>
#include <string>

constexpr size_t PROGRAM_FILE_MAX = 16u * 1024 * 1024;
constexpr int PROGRAM_FILE_DEPTH_MAX = 100;   // deeper nesting is refused as unreadable

// Clear the document's regions, then read its program file into them. A
// missing file loads nothing and is no failure; fails when the file exists
// but cannot be read or parsed (d.program_file_problem says why too, and
// d.program_file_unusable keeps the layout from being saved over it).
outcome load_program_file(document& d);

// The program file's new text: its current content with the regions in use.
// `now` gets the stamp of the content it started from. Fails (nothing to
// write) when the file cannot be read or parsed or has no regions of page 0.
outcome program_file_text(const document& d, std::string& text, file_stamp& now);

// Rewrite the program file from its own content with the regions in use.
// Fails (nothing written) when the file cannot be read, parsed or replaced.
outcome save_program_file(document& d);

// Decimal text to a region number: leading digits, none gives 0, capped at 65535.
uint16_t region_number(const char* text);
