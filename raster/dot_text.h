/*******************************************************************************
 * raster/dot_text.h - draw_dot_text: a GBK string in a dot-matrix font size
 *
 * Walks the bytes of a NUL-terminated GBK string: a byte above 0x80 and the
 * next one form a Chinese character, any other byte a Western one; each is
 * drawn by the glyph reader of the size (raster/dot_font.h) and the pen
 * advances by the size's Chinese or Western advance times the canvas pitch.
 * Inline codes: \C1 red, \C2 green, \C3 yellow (held to the end or the next
 * colour code), \C4 new line ((size + 2) dots lower, back to the
 * start x), \C5 one blank (written into the text as a space). A backslash not
 * followed by C, and "\C" followed by any other byte, are dropped and the
 * walk goes on with the next byte as an ordinary byte. Line feed and carriage
 * return are skipped; control bytes and 0x80 draw nothing but advance; a lead
 * byte right before the NUL draws nothing. Unsupported sizes draw nothing and
 * do not move the pen.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: wrap, clip, align or measure (callers size their boxes).
 ******************************************************************************/
#pragma once
#include <cstdint>

// Draw `text` (written to by \C5: pass a scratch copy) with the first glyph's
// top-left dot at window pixel (x, y).
void draw_dot_text(uint8_t size, uint8_t colour, int x, int y, char* text);
