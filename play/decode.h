/*******************************************************************************
 * play/decode.h - what the digit cells of a variable show, from its value
 *
 * A variable item shows a number in 1 to 6 segment cells, a decimal point
 * before cell `point_before` (counted from the left, as items/digits draws
 * it; 0 or a value not below the digit count means no point) and, for the
 * signed types, a sign cell left of the first cell. This module turns a
 * value into those cells:
 *
 * - Register values are read by the data type: 16-bit words (types 0, 2, 8)
 *   come from register n; 32-bit types take n and n+1. Floats name their
 *   byte order (A the most significant byte): ABCD has AB in register n, CDAB
 *   has CD in n and AB in n+1, DCBA and BADC swap the bytes of those words.
 *   32-bit integers (5, 6) keep the low word in register n, as CDAB does.
 * - Integers (registers, counters) show their raw digits: the point only
 *   stands among them, so 1234 in four cells with the point before cell 2
 *   reads 12.34. Floats and sensor readings are scaled by the cells right of
 *   the point and rounded half away from zero: 12.345 reads 12.35 there.
 * - Leading zeros are blank up to the last cell left of the point (0.05, not
 *   .05); type 8 shows every cell, padding with zeros.
 * - A negative value lights the sign cell; a type without one (the floats)
 *   puts its minus in the blank cell before the first digit.
 * - A value too wide for its cells shows its lowest digits, as the panel does,
 *   and the result says so (`overflow`); a negative one without room for its
 *   minus shows the minus in the first cell and the lowest digits after it.
 * - A value not known, and a float that is not a number, show a dash in
 *   every cell and no point.
 *
 * Limits: digit counts outside 1..6 are taken as the nearest of them.
 * Depends on: nothing.
 * Does NOT: draw anything, read registers or item records, or round the
 *   integers (only floats are scaled).
 ******************************************************************************/
#pragma once
#include <cstdint>
#include <optional>

constexpr int DECODE_MAX_CELLS = 6;
constexpr int8_t DECODE_BLANK = -1;   // a cell that shows nothing
constexpr int8_t DECODE_DASH = -2;    // a cell that shows a dash (a minus glyph)

// The data types of a variable item, in the order of its type button.
enum decode_type : int {
    DECODE_U16 = 0,          // 无符号16位整数
    DECODE_FLOAT_CDAB = 1,   // 浮点数CDAB
    DECODE_S16 = 2,          // 有符号整数
    DECODE_FLOAT_ABCD = 3,   // 浮点数ABCD
    DECODE_FLOAT_DCBA = 4,   // 浮点数DCBA
    DECODE_U32 = 5,          // 无符号32位整数
    DECODE_S32 = 6,          // 负32位整数 (signed 32-bit)
    DECODE_FLOAT_BADC = 7,   // 浮点数BADC
    DECODE_U16_ZEROS = 8,    // 位数零值显示: unsigned 16-bit, every cell shown
    DECODE_TYPES = 9
};

// How a variable shows its value: its type, digit count and point place.
struct decode_format {
    int type = DECODE_U16;
    int digits = 1;
    int point_before = 0;
};

// What the cells show, left to right.
struct decode_cells {
    int count = 0;                             // cells in use: the digit count
    int8_t cell[DECODE_MAX_CELLS] = {};        // 0..9, DECODE_BLANK or DECODE_DASH
    bool sign_cell = false;                    // the type has a sign cell
    bool minus = false;                        // the sign cell shows a minus
    bool point = false;                        // the point shows before cell point_before
    bool overflow = false;                     // too wide: the lowest digits show
};

// How many registers a variable of this type reads (1 or 2).
int decode_word_count(int type);
// True for the types with a sign cell (2 and 6).
bool decode_has_sign_cell(int type);

// The cells of a register variable; `words` holds decode_word_count(type)
// words from register n on, or is null when they are not known.
decode_cells decode_register(const decode_format& f, const uint16_t* words);
// The register words that make a variable of format `f` show `value` (the
// inverse of decode_register: an integer type takes the value's digits with
// the point where the format has it, a float type the value itself): how
// many words were written to `out` (decode_word_count), 0 when the value
// does not fit the type.
int encode_register(const decode_format& f, double value, uint16_t out[2]);
// The cells of an integer (a counter): its raw digits.
decode_cells decode_integer(const decode_format& f, std::optional<int64_t> value);
// The cells of a real number (a float register, a sensor), scaled and rounded.
decode_cells decode_real(const decode_format& f, std::optional<double> value);
