/*******************************************************************************
 * raster/dot_text.cpp - the walk of draw_dot_text
 ******************************************************************************/
#include "raster/dot_text.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"

// Walk the text, obeying the inline codes and drawing one glyph per character.
void draw_dot_text(uint8_t size, uint8_t colour, int x, int y, char* text)
{
    if (!text) return;
    const glyph_reader hz = hz_reader(size), asc = asc_reader(size);
    const int p = canvas_pitch();
    const int hz_step = hz_advance(size) * p, asc_step = asc_advance(size) * p;
    int pen_x = x, pen_y = y;
    uint8_t current = colour;

    int i = 0;
    while (text[i]) {
        uint8_t b = (uint8_t)text[i];
        if (b == '\\') {
            // Inline code, or a backslash that is dropped.
            i++;
            if (text[i] == 'C') {
                i++;
                switch (text[i]) {
                case '1': current = 0; i++; continue;
                case '2': current = 1; i++; continue;
                case '3': current = 2; i++; continue;
                case '4':
                    pen_x = x;
                    pen_y += (size + 2) * p;
                    i++;
                    continue;
                case '5': text[i] = ' '; break;
                default: break;
                }
            }
            b = (uint8_t)text[i];
            if (b == 0) break;
        }
        if (b == '\n' || b == '\r') {
            i++;
            continue;
        }
        if (b > 0x80) {
            if (text[i + 1] == 0) break;  // a lead byte without its second byte
            if (hz) {
                hz(current, pen_x, pen_y, text + i);
                pen_x += hz_step;
            }
            i += 2;
            continue;
        }
        if (asc) {
            asc(current, pen_x, pen_y, text + i);
            pen_x += asc_step;
        }
        i++;
    }
}
