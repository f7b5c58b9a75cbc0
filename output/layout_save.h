/*******************************************************************************
 * output/layout_save.h - saving the layout as one step, and what is unsaved
 *
 * A save writes, in this order: the previous script as cmd.txt.bak (only
 * when the script changes), the script cmd.txt, the program file, and last
 * Syc_Update=1 in SysCfg.ini, so a sync tool is told only once both
 * documents are whole on disk. Every file goes through a temporary file and
 * a rename. Nothing at all is written when the settings are unusable
 * (settings_problem), or when the script or the program file exists but
 * could not be loaded at start: such files are kept for the user to mend.
 *
 * Unsaved changes: the layout's text (the script plus the shown pictures'
 * rectangles) is compared with the text last loaded or saved.
 *
 * A live item is a visible record (not the phantom) whose x lies at or right
 * of the panel's left edge: the palette column to its left holds only
 * palette entries. Live items outside the panel are not saved; the save
 * counts them.
 *
 * Depends on: output/script_export, output/program_file, command/script_reader
 * (how the script loaded), model/settings, platform/file_write, platform/profile.
 * Does NOT: show anything or know about input; the caller reports the result.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>

struct save_outcome {
    bool ok = false;
    std::string why;        // reason of a failure
    int left_out = 0;       // live items not saved because they lie outside the panel
    bool script_changed = false;
};

// Why a save would be refused before anything is written ("" when it would not).
std::string save_refusal();

// Save script, program file and Syc_Update as described above.
bool save_layout(save_outcome& out);

// True for a live item at window x (see above).
bool live_item_x(int32_t x);

// Live items that the export leaves out because they lie outside the panel.
int items_outside_panel();

// The text unsaved changes are measured by.
std::string layout_snapshot();
// Take the current layout as saved (after a load and after each save).
void remember_saved_layout();
// True when the layout differs from the one last loaded or saved.
bool layout_has_unsaved_changes();
