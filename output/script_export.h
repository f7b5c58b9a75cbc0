/*******************************************************************************
 * output/script_export.h - writing the layout as the command script cmd.txt
 *
 * The script is GBK text, every line ending in CR LF: two "led clearall"
 * lines, then the texts and the other items, each in slot order, then an
 * empty line pair. Positions are the items' own dots.
 *
 * Only items whose corner lies on the panel are written; the others are
 * counted (output/layout_save tells the user).
 *
 * The export also writes the rectangles of the shown pictures into their
 * picture regions among the document's regions and marks them. Saving
 * itself (files, backup, Syc_Update) is output/layout_save.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: write any file.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include <string>

// Write the shown pictures' rectangles into their picture regions and mark them.
void mark_picture_regions(document& d);

// The whole cmd.txt content for the layout.
std::string script_text(const document& d);

// The lines one item contributes to the script ("" when it lies off the panel).
std::string item_script(const document& d, const item& it);

// Items the script leaves out because they lie outside the panel.
int items_outside_panel(const document& d);
