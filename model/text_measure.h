/*******************************************************************************
 * model/text_measure.h - counting the characters and lines of a text
 *
 * A text's size in half-width characters and lines, read from its GBK bytes
 * and inline codes as the dot-matrix text draws them: a character counts one
 * (a double-byte character two), the colour codes \C1..\C3 count nothing,
 * \C4 starts a new line, \C5 and \C followed by another byte (\C\ is a
 * backslash) count one, a lone backslash is skipped. Typing, drawing and the
 * script reader all measure texts this way. In dots, a half-width character
 * is font_size / 2 wide and lines stand font_size + TEXT_LINE_GAP_DOTS apart.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: draw, or look at fonts or the zoom.
 ******************************************************************************/
#pragma once
#include <cstdint>

// Count half-width characters of `text`: line_chars of the last line, line_count,
// and max_line_chars raised at each \C4 line break (never lowered).
void measure_text(const char* text, int32_t& line_chars, int32_t& max_line_chars, int32_t& line_count);

constexpr int TEXT_LINE_GAP_DOTS = 2;   // dots between two lines of a text

// The dots a text takes in font `font_size`: its widest line, its lines.
struct text_extent {
    int64_t w, h;
    int32_t lines;
};
text_extent measure_text_dots(const char* text, int font_size);
