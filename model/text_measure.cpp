/*******************************************************************************
 * model/text_measure.cpp - counting the characters and lines of a text
 ******************************************************************************/
#include "model/text_measure.h"
#include <cstddef>

namespace {

constexpr unsigned char BACKSLASH = '\\';
constexpr unsigned char CODE_LETTER = 'C';
constexpr unsigned char LEAD_MIN = 0x81;   // a byte from here on starts a double-byte character

} // namespace

// The same walk the dot-matrix text takes: what it draws is what is counted.
void measure_text(const char* text, int32_t& line_chars, int32_t& max_line_chars, int32_t& line_count)
{
    line_chars = 0;
    line_count = 1;
    if (!text) return;
    const unsigned char* t = (const unsigned char*)text;
    size_t i = 0;
    while (t[i]) {
        if (t[i] == BACKSLASH) {
            i++;
            if (t[i] == CODE_LETTER) {
                i++;
                const unsigned char d = t[i];
                if (d == '1' || d == '2' || d == '3') {   // colours: nothing drawn
                    i++;
                    continue;
                }
                if (d == '4') {   // a line break
                    line_count++;
                    if (max_line_chars < line_chars) max_line_chars = line_chars;
                    line_chars = 0;
                    i++;
                    continue;
                }
                // \C5 is one blank; after any other byte that byte is drawn as it is.
            }
            if (t[i] == 0) break;   // a backslash or \C at the very end draws nothing
        }
        if (t[i] == '\n' || t[i] == '\r') {
            i++;
            continue;
        }
        if (t[i] >= LEAD_MIN) {
            if (t[i + 1] == 0) break;   // a lead byte without its second byte
            line_chars += 2;
            i += 2;
            continue;
        }
        line_chars++;
        i++;
    }
}

text_extent measure_text_dots(const char* text, int font_size)
{
    int32_t chars = 0, widest = 0, lines = 1;
    measure_text(text, chars, widest, lines);
    if (widest < chars) widest = chars;
    return {(int64_t)(font_size / 2) * widest, (int64_t)(font_size + TEXT_LINE_GAP_DOTS) * lines, lines};
}
