/*******************************************************************************
 * output/file_write.h - replacing a file safely
 *
 * Writes the new content into a temporary file beside the target, flushes it
 * to disk and renames it over the target, so that a failed or interrupted
 * save leaves the previous file whole. The target's folder is created when
 * missing.
 *
 * Does NOT: report anything itself; the caller gets the reason.
 ******************************************************************************/
#pragma once
#include <string>

// Create `dir` and its missing parents. Returns false when it cannot.
bool make_folders(const std::string& dir);

// Replace `path` with `data`. Returns false with a short reason in `why`.
bool replace_file(const char* path, const std::string& data, std::string& why);

// Read a whole file of at most `max` bytes. Returns false with a reason when
// it is missing (`missing` set), unreadable or too large.
bool read_whole_file(const char* path, size_t max, std::string& data, std::string& why, bool* missing);
