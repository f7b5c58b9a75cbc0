/*******************************************************************************
 * platform/file_write.h - replacing a file safely; reading regular files only
 *
 * A file is replaced through a temporary file created exclusively beside it
 * (O_EXCL, under a name with random letters nobody can plant in advance:
 * ".NAME.lumiker-tmp.PID.XXXXXX"), flushed to disk, given the mode and the
 * owner of the file it replaces, renamed over it, and its folder flushed;
 * only then is the replacement done, and a folder that cannot be flushed
 * makes it fail. A replacement can be prepared (the temporary written and
 * flushed) and committed (renamed) later, so that several files are all
 * written before any of them changes. The temporary can also be written in
 * pieces as they are made (begin, write, finish), so a large file never has
 * to be held whole in memory.
 *
 * A name that is a symbolic link is written through to the file it points
 * to: the link stays a link. A file that is there must be a regular file
 * that may be written: a read-only file (no write permission for us, or no
 * write bit at all, which also stops root), a folder, a pipe or a device is
 * refused and left as it is. A file with several hard links is replaced
 * under the name given, as any rename-based save does: the other names keep
 * the old content, and the outcome carries a note that says so.
 *
 * Reads open without blocking and check on the open descriptor that the file
 * is a regular file, so a pipe or a device put in a file's place can neither
 * hang the program nor be swapped in after the check.
 *
 * Every reason names the caller's file, never the temporary one.
 *
 * Limits: LINK_HOPS_MAX links are followed at most; extended attributes and
 * ACLs are not carried over to the new file.
 * Depends on: POSIX files and processes (open with O_NONBLOCK, mkostemp,
 * fsync, rename, unlink, fchmod, fchown, lstat, fstat, readlink, opendir;
 * kill to see whether a temporary's process has ended).
 * Does NOT: show anything (the caller reports the outcome), lock, or know
 * what the files hold.
 ******************************************************************************/
#pragma once
#include "platform/outcome.h"
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int LINK_HOPS_MAX = 40;   // symbolic links followed to reach a file

// Create `dir` and its missing parents. Returns false when it cannot.
bool make_folders(const std::string& dir);

// ---- reading -----------------------------------------------------------------

// How opening a file for reading went.
enum read_check : int { READ_OPEN, READ_MISSING, READ_NOT_REGULAR, READ_ERROR };

// Open `path` for reading only when it is a regular file; never blocks.
// Returns the descriptor, or -1 with `check` (and `err` for READ_ERROR).
int open_regular_file(const char* path, read_check& check, int& err);
// The same as a stdio stream ("rb"); null when it is missing, unreadable or
// not a regular file.
FILE* fopen_regular(const char* path);

// What a reader saw of a file: whether it was there, its size and a hash of
// its bytes. An unknown stamp (nothing read yet) matches anything.
enum stamp_state : uint8_t { STAMP_UNKNOWN, STAMP_MISSING, STAMP_PRESENT };
struct file_stamp {
    stamp_state state = STAMP_UNKNOWN;
    uint64_t size = 0;
    uint64_t hash = 0;
};
// The stamp of a file holding `data`.
file_stamp stamp_of_data(const std::string& data);
// True when `now` is not the file `known` describes (never for an unknown `known`).
bool stamp_changed(const file_stamp& known, const file_stamp& now);

// Read a whole regular file of at most `max` bytes. Fails with a reason when
// it is missing (`missing` set), unreadable, not a regular file or too large.
// `stamp` gets what was seen: missing, or the bytes read.
outcome read_whole_file(const char* path, size_t max, std::string& data, bool* missing = nullptr,
                        file_stamp* stamp = nullptr);

// ---- replacing -----------------------------------------------------------------

struct replace_options {
    bool make_folder = false;   // create the target's missing folders
    int new_mode = -1;          // mode of a file that is not there yet (-1: 0666 less the umask)
};

// A prepared replacement: the temporary is written and flushed, the target
// not yet touched. Dropping it unprepared removes the temporary.
struct file_replacement {
    std::string shown;    // the name the caller gave (what reasons name)
    std::string target;   // the file that gets replaced, after its links
    std::string temp;     // the temporary beside it ("" when none)
    int folder_fd = -1;   // the target's folder, flushed after the rename
    int temp_fd = -1;     // the temporary while it is being written
    bool hard_linked = false;
    bool renamed = false; // the target holds the new content (even when flushing failed)
    bool keep_owner = false;           // give the temporary the replaced file's owner
    uint32_t mode = 0, uid = 0, gid = 0;

    file_replacement() = default;
    file_replacement(const file_replacement&) = delete;
    file_replacement& operator=(const file_replacement&) = delete;
    ~file_replacement();
};

// Write `data` into a new temporary beside the file `path` names.
outcome replace_prepare(file_replacement& r, const char* path, const std::string& data,
                        const replace_options& options = replace_options());
// The same in pieces: create the temporary, append to it any number of
// times, then give it its mode and owner and flush it. A failing step
// removes the temporary.
outcome replace_begin(file_replacement& r, const char* path, const replace_options& options = replace_options());
outcome replace_write(file_replacement& r, const void* data, size_t size);
outcome replace_finish(file_replacement& r);
// Rename the temporary over the target and flush the folder.
outcome replace_commit(file_replacement& r);
// Remove a prepared temporary (nothing happens to the target).
void replace_abandon(file_replacement& r);
// Prepare and commit in one step.
outcome replace_file(const char* path, const std::string& data, const replace_options& options = replace_options());

// The file `path` names after following its symbolic links (`path` itself
// when it is no link or the links go round).
std::string final_target(const char* path);

// Remove, from `dir`, the temporaries of this program whose process no longer
// runs (only names of the form above: a user's own files are never touched).
// Returns how many were removed.
int remove_stale_temporaries(const char* dir);

// A system error number in the user's words.
std::string file_error_text(int err);

// Test hook for interrupted saves: when not negative, the process ends at
// once (as if killed) after this many more bytes have gone into temporary
// files; a value of 0 ends it at the next write, and a temporary written
// whole with the budget at exactly 0 ends it just before its rename.
// Only tests set it; the program never does.
extern int64_t file_write_kill_after;

// Test hook for failures a test cannot cause for real: while
// file_fault_step names a step, that step fails with file_fault_errno.
enum file_fault : int { FAULT_NONE, FAULT_READ, FAULT_FOLDER_SYNC };
extern int file_fault_step;
extern int file_fault_errno;
