/*******************************************************************************
 * model/text_measure.cpp - counting the characters and lines of a text
 ******************************************************************************/
#include "model/text_measure.h"
#include <cstddef>

void measure_text(const char* text, int32_t& line_chars, int32_t& max_line_chars, int32_t& line_count)
{
    line_chars = 0;
    line_count = 1;
    if (!text) return;
    const unsigned char* t = (const unsigned char*)text;
    size_t i = 0;
    while (t[i]) {
        if (t[i] != '\\') {
            line_chars++;
            i++;
            continue;
        }
        if (t[i + 1] != 'C') {  // a lone backslash is skipped
            i++;
            continue;
        }
        unsigned char d = t[i + 2];
        if (d == '1' || d == '2' || d == '3') {
            i += 3;
        } else if (d == '4') {
            line_count++;
            if (max_line_chars < line_chars) max_line_chars = line_chars;
            line_chars = 0;
            i += 3;
        } else {
            i += 2;  // the third byte is looked at as an ordinary byte (\C5 counts one)
        }
    }
}
