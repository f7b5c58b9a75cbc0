/*******************************************************************************
 * output/script_export.h - writing the layout as the command script cmd.txt
 *
 * The script is GBK text, every line ending in CR LF: two "led clearall"
 * lines, then per panel unit the texts (string_draw records in index order)
 * and the Digit_unit items (in index order, by kind), then an empty line
 * pair. Positions are LED dots relative to the unit's top-left.
 *
 * Only visible items whose top-left lies on a unit are written: deleted
 * items (moved to y = 2000), a pending copy and the palette entries are not.
 * A unit holds the points from its top-left pixel (included) to its far
 * edges (excluded). Pixel to dot conversions round down.
 *
 * The export also writes the rectangles of the shown pictures into their
 * picture regions of the program file's region table and marks them.
 * Saving itself (files, backup, Syc_Update) is output/layout_save.
 *
 * Depends on: model/tables (graph_count), model/settings, model/line_forms
 * (every line's form, insmod lines too), output/program_file (region table).
 * Does NOT: write the program file itself (save_program_file does).
 ******************************************************************************/
#pragma once
#include "model/geometry.h"
#include <cstdint>
#include <string>

// Write the shown pictures' rectangles into their picture regions and mark them.
void mark_picture_regions();

// The whole cmd.txt content for the current layout (no file is touched).
std::string script_text();

// The lines one text or one Digit_unit record contributes to the script
// ("" when it is hidden or lies on no unit).
std::string text_item_script(int index);
std::string digit_item_script(int index);

// The whole save of output/layout_save (script, program file, Syc_Update).
// Returns false, after reporting on standard error, when it failed.
bool export_script();
