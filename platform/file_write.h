/*******************************************************************************
 * platform/file_write.h - replacing a file safely; whole-file reads
 *
 * Writes the new content into a temporary file beside the target (named
 * TARGET.tmp.PID), flushes it to disk, renames it over the target and
 * flushes the folder, so that a failed or interrupted save leaves the
 * previous file whole. The target's folder is created on request.
 * Temporaries left by processes that no longer run are removed on request.
 *
 * Limits: reads refuse anything that is not a regular file (a folder or a
 * pipe) and files over the caller's cap.
 * Depends on: POSIX only.
 * Does NOT: report anything itself; the caller gets the reason.
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <string>

// Create `dir` and its missing parents. Returns false when it cannot.
bool make_folders(const std::string& dir);

// Replace `path` with `data`, creating its missing folders when `make_folder`
// is set. Returns false with a short reason in `why`.
bool replace_file(const char* path, const std::string& data, std::string& why, bool make_folder = false);

// Read a whole regular file of at most `max` bytes. Returns false with a
// reason when it is missing (`missing` set), unreadable, not a regular file
// or too large.
bool read_whole_file(const char* path, size_t max, std::string& data, std::string& why, bool* missing);

// Remove the temporaries NAME.tmp.PID in `dir` whose process no longer runs,
// for names of the kinds the program writes (.txt, .txt.bak, .ini, .vsn,
// .bmp). Returns how many were removed.
int remove_stale_temporaries(const char* dir);

// Test hook for interrupted saves: when not negative, the process ends at
// once (as if killed) after this many more bytes have gone into temporary
// files; a value of 0 ends it at the next write, and a temporary written
// whole with the budget at exactly 0 ends it just before its rename.
// Only tests set it; the program never does.
extern int64_t file_write_kill_after;
