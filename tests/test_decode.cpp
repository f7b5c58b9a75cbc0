// What the digit cells of a variable show, for every data type and float word order.
#include "decode_helpers.h"
#include <array>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>

namespace {

std::string reg(int type, int digits, int point, uint16_t w0, uint16_t w1 = 0)
{
    const uint16_t words[2] = {w0, w1};
    return cells_text(decode_register({type, digits, point}, words), point);
}

// The cells of float `v` in registers n, n+1 laid out in `order` (A the
// most significant byte, the first of a pair the high byte of its word).
std::string flt(int type, const char* order, int digits, int point, float v)
{
    uint32_t b;
    std::memcpy(&b, &v, sizeof b);
    auto byte = [&](int k) { return (uint16_t)(b >> (24 - 8 * (order[k] - 'A')) & 0xFF); };
    return reg(type, digits, point, byte(0) << 8 | byte(1), byte(2) << 8 | byte(3));
}

} // namespace

TEST(Decode, EveryTypeAndWordOrder)
{
    // Unsigned 16-bit: raw digits, the point among them, leading zeros blank
    // up to the cell left of the point.
    EXPECT_EQ(reg(DECODE_U16, 4, 2, 1234), "12.34");
    EXPECT_EQ(reg(DECODE_U16, 4, 0, 7), "   7");
    EXPECT_EQ(reg(DECODE_U16, 4, 1, 5), "0.005");
    // Too wide: the lowest digits, zeros kept, and the caller is told.
    EXPECT_EQ(reg(DECODE_U16, 4, 0, 50021), "0021");
    EXPECT_TRUE(decode_register({DECODE_U16, 4, 0}, std::array<uint16_t, 1>{50021}.data()).overflow);
    EXPECT_FALSE(decode_register({DECODE_U16, 5, 0}, std::array<uint16_t, 1>{50021}.data()).overflow);
    // Type 8 pads every cell with zeros.
    EXPECT_EQ(reg(DECODE_U16_ZEROS, 5, 0, 42), "00042");
    EXPECT_EQ(reg(DECODE_U16_ZEROS, 3, 1, 7), "0.07");

    // Signed 16-bit: the minus stands in the sign cell.
    EXPECT_EQ(reg(DECODE_S16, 5, 3, (uint16_t)-1234), "- 12.34");
    // 32-bit integers: the low word in register n, the high word in n+1.
    EXPECT_EQ(reg(DECODE_U32, 6, 0, 0xE240, 0x0001), "123456");
    EXPECT_EQ(reg(DECODE_U32, 6, 0, 0x0000, 0x8000), "483648");   // 2147483648, cut
    const uint32_t minus = (uint32_t)-98765;
    EXPECT_EQ(reg(DECODE_S32, 6, 0, (uint16_t)minus, (uint16_t)(minus >> 16)), "- 98765");

    // Floats in each byte order, scaled by the cells right of the point and rounded.
    const struct { int type; const char* order; } floats[] = {
        {DECODE_FLOAT_ABCD, "ABCD"}, {DECODE_FLOAT_CDAB, "CDAB"}, {DECODE_FLOAT_DCBA, "DCBA"}, {DECODE_FLOAT_BADC, "BADC"}};
    for (const auto& f : floats) {
        const int type = f.type;
        SCOPED_TRACE(f.order);
        EXPECT_EQ(flt(type, f.order, 4, 2, 12.345f), "12.35");
        EXPECT_EQ(flt(type, f.order, 6, 0, 1234.5f), "  1235");
        EXPECT_EQ(flt(type, f.order, 3, 1, 0.125f), "0.13");
        // No sign cell: the minus takes the blank cell before the number, or
        // the first cell when there is none.
        EXPECT_EQ(flt(type, f.order, 4, 3, -3.5f), " -3.5");
        EXPECT_EQ(flt(type, f.order, 4, 0, -1234.0f), "-234");
        EXPECT_EQ(flt(type, f.order, 3, 0, -0.2f), "  0");
        EXPECT_EQ(flt(type, f.order, 4, 2, NAN), "----");
        EXPECT_EQ(decode_word_count(type), 2);
    }
    for (int type : {DECODE_U16, DECODE_S16, DECODE_U16_ZEROS}) EXPECT_EQ(decode_word_count(type), 1);

    // Not known: a dash in every cell, no point, an empty sign cell.
    for (int type = 0; type < DECODE_TYPES; type++) {
        const decode_cells c = decode_register({type, 4, 2}, nullptr);
        EXPECT_EQ(cells_text(c, 2), decode_has_sign_cell(type) ? " ----" : "----") << type;
        EXPECT_FALSE(c.point);
    }

    // Counters and sensors take the same cells.
    EXPECT_EQ(cells_text(decode_integer({DECODE_U16, 3, 0}, 42), 0), " 42");
    EXPECT_EQ(cells_text(decode_real({DECODE_U16, 3, 2}, 23.5), 2), "23.5");
    EXPECT_EQ(cells_text(decode_real({DECODE_S16, 3, 2}, -4.25), 2), "- 4.3");
    // Digit counts outside 1..6 take the nearest.
    EXPECT_EQ(decode_integer({DECODE_U16, 9, 0}, 1).count, DECODE_MAX_CELLS);
    EXPECT_EQ(decode_integer({DECODE_U16, 0, 0}, 1).count, 1);
}
