/*******************************************************************************
 * platform/profile.h - settings ("profile") files such as SysCfg.ini
 *
 * Lines "[Section]" open a section, lines "key=value" hold a value. Section
 * and key names compare case-insensitively; the first match wins. A UTF-8
 * byte-order mark at the start and blanks around names and values are ignored, and a value wrapped in a pair of
 * double or single quotes loses them. A missing file, section or key gives
 * the caller's default.
 *
 * Writing a key replaces its value in place, or appends the key at the end of
 * its section, or appends the section and the key at the end of the file. All
 * other lines, comments and line endings are kept byte for byte; new lines use
 * the line ending the file already uses (CR LF for a new file). The file is
 * replaced through a temporary file and a rename (platform/file_write), so
 * it keeps its mode and owner, and a link stays a link.
 *
 * Only a regular file is read: a pipe or a device in its place reads as
 * missing and never blocks. A file that is there but cannot be read (no
 * permission, an I/O error, too many open files, not a regular file) is
 * never written: the write fails and says why.
 *
 * Depends on: strcasecmp (POSIX strings.h) for the names; otherwise nothing
 * outside the C++ standard library.
 * Does NOT: delete keys or sections, or read or rewrite files larger than 1 MiB
 * (such a file reads as missing and is never written).
 ******************************************************************************/
#pragma once
#include "platform/outcome.h"
#include <cstddef>

// Read section/key from `path` into `out` (capacity `cap`), or `def` when missing.
// Returns the length of the text stored.
size_t profile_read(const char* section, const char* key, const char* def,
                    char* out, size_t cap, const char* path);

// Write section/key = value into `path`; fails, changing nothing, when the
// file is there but cannot be read whole, or cannot be replaced.
outcome profile_write(const char* section, const char* key, const char* value, const char* path);

// Whether profile_write could update `path` now: it is missing, or there and
// readable whole (nothing is written).
outcome profile_can_update(const char* path);
