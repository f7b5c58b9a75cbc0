// Digit cells as a line of text, for tests of what variables show.
#pragma once
#include "play/decode.h"
#include <string>

// The cells as the panel shows them: the sign cell ('-' or ' ') for signed
// types, then digits, ' ' for blanks, '-' for dashes and '.' for the point.
inline std::string cells_text(const decode_cells& c, int point_before)
{
    std::string s;
    if (c.sign_cell) s += c.minus ? '-' : ' ';
    for (int i = 0; i < c.count; i++) {
        if (c.point && i == point_before) s += '.';
        s += c.cell[i] >= 0 ? (char)('0' + c.cell[i]) : (c.cell[i] == DECODE_DASH ? '-' : ' ');
    }
    return s;
}
