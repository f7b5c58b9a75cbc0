/*******************************************************************************
 * play/decode.cpp - register words to numbers, numbers to digit cells
 ******************************************************************************/
#include "play/decode.h"
#include <cmath>
#include <cstring>

namespace {

constexpr double POWERS_OF_TEN[DECODE_MAX_CELLS + 1] = {1, 10, 100, 1e3, 1e4, 1e5, 1e6};
constexpr int WORD_BITS = 16, BYTE_BITS = 8;
constexpr uint32_t HIGH_BYTES = 0xFF00FF00u, LOW_BYTES = 0x00FF00FFu;   // of each word
constexpr int DECIMAL_BASE = 10;

// The digit count, held to 1..6.
int clamp_digits(int digits)
{
    return digits < 1 ? 1 : (digits > DECODE_MAX_CELLS ? DECODE_MAX_CELLS : digits);
}

// How many cells stand right of the point (0 without a point).
int fraction_cells(int digits, int point_before)
{
    return point_before > 0 && point_before < digits ? digits - point_before : 0;
}

// The cells of a value not known: a dash in each, no point.
decode_cells unknown_cells(const decode_format& f)
{
    decode_cells c;
    c.count = clamp_digits(f.digits);
    c.sign_cell = decode_has_sign_cell(f.type);
    for (int i = 0; i < c.count; i++) c.cell[i] = DECODE_DASH;
    return c;
}

// Lay a whole, non-negative magnitude (in units of the last cell) into the cells.
decode_cells lay_out(const decode_format& f, double magnitude, bool negative)
{
    decode_cells c;
    const int digits = clamp_digits(f.digits);
    c.count = digits;
    c.sign_cell = decode_has_sign_cell(f.type);
    c.point = fraction_cells(digits, f.point_before) > 0;
    const double room = POWERS_OF_TEN[digits];
    if (magnitude >= room) {
        c.overflow = true;
        magnitude = std::fmod(magnitude, room);
    }
    uint32_t m = (uint32_t)magnitude;
    for (int i = digits - 1; i >= 0; i--) {
        c.cell[i] = (int8_t)(m % DECIMAL_BASE);
        m /= DECIMAL_BASE;
    }
    // Blank the leading zeros up to the last cell left of the point; a value
    // cut to its lowest digits keeps them, so it does not pass for a small one.
    const int units = c.point ? f.point_before - 1 : digits - 1;
    if (f.type != DECODE_U16_ZEROS && !c.overflow)
        for (int i = 0; i < units && c.cell[i] == 0; i++) c.cell[i] = DECODE_BLANK;
    if (!negative) return c;
    if (c.sign_cell) {
        c.minus = true;
        return c;
    }
    int first = 0;
    while (first < digits && c.cell[first] == DECODE_BLANK) first++;
    if (first > 0) {
        c.cell[first - 1] = DECODE_DASH;
    } else {
        c.cell[0] = DECODE_DASH;
        c.overflow = true;
    }
    return c;
}

// The 32-bit pattern of two register words (word 0 from register n) in a byte order.
uint32_t bits_of(int type, const uint16_t* w)
{
    const uint32_t high_first = (uint32_t)w[0] << WORD_BITS | w[1];
    const uint32_t low_first = (uint32_t)w[1] << WORD_BITS | w[0];
    switch (type) {
    case DECODE_FLOAT_ABCD: return high_first;
    case DECODE_FLOAT_DCBA: return __builtin_bswap32(high_first);
    case DECODE_FLOAT_BADC: return (high_first & HIGH_BYTES) >> BYTE_BITS | (high_first & LOW_BYTES) << BYTE_BITS;
    default: return low_first;   // CDAB and the 32-bit integers
    }
}

} // namespace

int decode_word_count(int type)
{
    switch (type) {
    case DECODE_FLOAT_CDAB:
    case DECODE_FLOAT_ABCD:
    case DECODE_FLOAT_DCBA:
    case DECODE_U32:
    case DECODE_S32:
    case DECODE_FLOAT_BADC: return 2;
    default: return 1;
    }
}

bool decode_has_sign_cell(int type) { return type == DECODE_S16 || type == DECODE_S32; }

decode_cells decode_integer(const decode_format& f, std::optional<int64_t> value)
{
    if (!value) return unknown_cells(f);
    const bool negative = *value < 0;
    const double magnitude = negative ? -(double)*value : (double)*value;
    return lay_out(f, magnitude, negative);
}

decode_cells decode_real(const decode_format& f, std::optional<double> value)
{
    if (!value || !std::isfinite(*value)) return unknown_cells(f);
    const int fraction = fraction_cells(clamp_digits(f.digits), f.point_before);
    const double scaled = std::round(std::fabs(*value) * POWERS_OF_TEN[fraction]);
    if (!std::isfinite(scaled)) {
        decode_cells c = unknown_cells(f);
        c.overflow = true;
        return c;
    }
    return lay_out(f, scaled, *value < 0 && scaled > 0);
}

int encode_register(const decode_format& f, double value, uint16_t out[2])
{
    if (!std::isfinite(value)) return 0;
    const int n = decode_word_count(f.type);
    uint32_t bits = 0;
    if (f.type == DECODE_FLOAT_CDAB || f.type == DECODE_FLOAT_ABCD || f.type == DECODE_FLOAT_DCBA ||
        f.type == DECODE_FLOAT_BADC) {
        const float v = (float)value;
        std::memcpy(&bits, &v, sizeof bits);
    } else {
        const double raw = std::round(value * POWERS_OF_TEN[fraction_cells(clamp_digits(f.digits), f.point_before)]);
        double lo = 0, hi = UINT16_MAX;
        if (f.type == DECODE_S16) lo = INT16_MIN, hi = INT16_MAX;
        else if (f.type == DECODE_U32) hi = UINT32_MAX;
        else if (f.type == DECODE_S32) lo = INT32_MIN, hi = INT32_MAX;
        if (raw < lo || raw > hi) return 0;
        bits = (uint32_t)(int64_t)raw;
    }
    if (n == 1) {
        out[0] = (uint16_t)bits;
        return 1;
    }
    // The words that bits_of() puts together again.
    uint32_t ordered = bits;
    switch (f.type) {
    case DECODE_FLOAT_ABCD: break;
    case DECODE_FLOAT_DCBA: ordered = __builtin_bswap32(bits); break;
    case DECODE_FLOAT_BADC: ordered = (bits & HIGH_BYTES) >> BYTE_BITS | (bits & LOW_BYTES) << BYTE_BITS; break;
    default:   // CDAB and the 32-bit integers: the low word first
        out[0] = (uint16_t)bits;
        out[1] = (uint16_t)(bits >> WORD_BITS);
        return 2;
    }
    out[0] = (uint16_t)(ordered >> WORD_BITS);
    out[1] = (uint16_t)ordered;
    return 2;
}

decode_cells decode_register(const decode_format& f, const uint16_t* words)
{
    if (!words) return unknown_cells(f);
    switch (f.type) {
    case DECODE_S16: return decode_integer(f, (int16_t)words[0]);
    case DECODE_U32: return decode_integer(f, bits_of(f.type, words));
    case DECODE_S32: return decode_integer(f, (int32_t)bits_of(f.type, words));
    case DECODE_FLOAT_CDAB:
    case DECODE_FLOAT_ABCD:
    case DECODE_FLOAT_DCBA:
    case DECODE_FLOAT_BADC: {
        const uint32_t bits = bits_of(f.type, words);
        float v;
        static_assert(sizeof v == sizeof bits, "a float is 32 bits");
        std::memcpy(&v, &bits, sizeof v);
        return decode_real(f, (double)v);
    }
    default: return decode_integer(f, words[0]);   // 0, 8 and types the buttons never make
    }
}
