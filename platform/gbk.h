/*******************************************************************************
 * platform/gbk.h - GBK (code page 936) text conversions
 *
 * All texts of the program are GBK bytes. The screen text needs UTF-16, the
 * tests and messages want UTF-8, and the source writes its Chinese captions in
 * UTF-8. These calls convert between them with iconv, keeping one converter
 * per direction open for the life of the process (one thread only).
 *
 * Limits: output is always bounded by the caller's capacity and always
 * NUL-terminated; an invalid byte sequence is skipped one byte at a time
 * instead of ending the conversion.
 * Depends on: iconv (the C library's, "GBK", "UTF-8" and "UTF-16LE").
 * Does NOT: guess an encoding, keep a converter per thread, or check that a
 * character can be drawn by the dot-matrix fonts.
 ******************************************************************************/
#pragma once
#include <cstddef>
#include <string>

// Convert UTF-8 to GBK into `out` (capacity `cap` bytes incl. NUL). Returns bytes written.
size_t utf8_to_gbk(const char* utf8, char* out, size_t cap);

// Convert GBK to UTF-8.
std::string gbk_to_utf8(const char* gbk);

// Convert a NUL-terminated GBK string to UTF-16 (what the screen text draws).
std::u16string to_wide(const char* gbk);

// Convert GBK to UTF-16 into a caller buffer of `cap` code units (incl. NUL); returns units written.
size_t gbk_to_utf16(const char* gbk, char16_t* out, size_t cap);

// Convert UTF-8 to GBK as a std::string (start-up and tests only).
std::string gbk_from_utf8(const char* utf8);

// Bytes of the UTF-8 character that starts at `utf8` (1 for a stray byte, 0 at the end).
int utf8_char_length(const char* utf8);

// The GBK code of the one UTF-8 character in `utf8[0..len)` into `out`:
// its byte count (1 or 2), or 0 when the character has no GBK code.
int utf8_char_to_gbk(const char* utf8, int len, unsigned char out[2]);

// Convert UTF-8 to UTF-16 into a caller buffer of `cap` code units (incl. NUL); returns units written.
size_t utf8_to_utf16(const char* utf8, char16_t* out, size_t cap);
