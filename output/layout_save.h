/*******************************************************************************
 * output/layout_save.h - saving the layout as one step, and what is unsaved
 *
 * A save first reads what is on disk and writes nothing when: the settings
 * are unusable; the script or the program file exists but
 * could not be loaded at start (such files are kept for the user to mend);
 * the script, the program file or the settings file is there but cannot be
 * read now; or (unless the user said to overwrite) the script or the
 * program file is no longer what this program loaded or last saved, because
 * another designer or an editor changed it.
 *
 * Then every new file is written to its temporary before any file changes:
 * the script, the previous script (as cmd.txt.bak, when the script changes)
 * and the program file. They are renamed into place in this order: the
 * script, then the backup (so a save cut off between them keeps the older
 * backup rather than two copies of one script), then the program file; last
 * Syc_Update=1 goes into SysCfg.ini, so a sync tool is told only once both
 * documents are whole on disk.
 *
 * Lines the script's load refused are not in the export: before the first
 * save that drops them from cmd.txt they are added to the side file
 * cmd.txt.refused.txt beside it (as written, GBK, CR LF; lines already
 * there are not added twice), so they are never lost with the backup.
 *
 * Unsaved changes: the layout's text (the script plus the shown pictures'
 * rectangles) is compared with the text last loaded or saved.
 *
 * Items outside the panel are not saved; the save counts them.
 *
 * Depends on: POSIX stat (the script's mode, given to the side file);
 * otherwise nothing outside the C++ standard library.
 * Does NOT: show anything, ask anything or know about input; the caller
 * reports the result and asks the user before saving over changed files.
 ******************************************************************************/
#pragma once
#include "model/document.h"
#include "platform/outcome.h"
#include <cstdint>
#include <string>

constexpr const char* BACKUP_SUFFIX = ".bak";               // cmd.txt.bak
constexpr const char* REFUSED_LINES_SUFFIX = ".refused.txt"; // cmd.txt.refused.txt

// Whether a save first checks that the files on disk are the ones it knows.
enum save_mode : int { SAVE_CHECKED, SAVE_OVERWRITE };

struct save_outcome {
    int left_out = 0;            // items not saved because they lie outside the panel
    bool script_changed = false;
    bool conflict = false;       // files changed elsewhere: nothing was written
    std::string changed_files;   // ... their names, for the question to the user
    int refused_kept = 0;        // refused lines newly added to the side file
    std::string side_file;       // ... its name
};

// Why a save would be refused before anything is read (ok when it would not).
outcome save_refusal(const document& d);

// Save script, program file and Syc_Update as described above. An ok
// outcome may carry a note (a file with several hard links).
outcome save_layout(document& d, save_outcome& out, save_mode mode = SAVE_CHECKED);

// The text unsaved changes are measured by.
std::string layout_snapshot(const document& d);
// Take the current layout as saved (after a load).
void remember_saved_layout(document& d);
// True when the layout differs from the one last loaded or saved.
bool layout_has_unsaved_changes(const document& d);
