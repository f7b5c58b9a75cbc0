/*******************************************************************************
 * model/font_sizes.h - the font-size ladder and the size presets
 *
 * The one list of dot-matrix text sizes: the font files, the text readers and
 * the font-size buttons all go by it. A text's font_step 1..FONT_SIZE_COUNT
 * picks FONT_SIZES[font_step - 1]. The size presets of weekday and wind items
 * pick a font size, height and width together.
 *
 * Depends on: nothing outside the C++ standard library.
 * Does NOT: load fonts or change any item.
 ******************************************************************************/
#pragma once
#include <cstdint>

constexpr int FONT_SIZE_COUNT = 16;
constexpr int FONT_SIZES[FONT_SIZE_COUNT] = {12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 32, 48, 64};

// font_step runs 0..FONT_STEP_MAX; 1..FONT_SIZE_COUNT pick a size.
constexpr int FONT_STEP_MAX = FONT_SIZE_COUNT + 1;

// Size presets 1..SIZE_PRESET_COUNT: font size, height and width in px (row 0 unused).
constexpr int SIZE_PRESET_COUNT = 6;
struct size_preset_row { int32_t font_px, height, width; };
constexpr size_preset_row SIZE_PRESETS[SIZE_PRESET_COUNT + 1] = {
    {0, 0, 0}, {12, 24, 72}, {16, 32, 96}, {24, 48, 128},
    {32, 64, 192}, {48, 96, 256}, {64, 128, 384}};

// Font-size slot of a dot size 12..24 or 32 (the sizes that have font files
// of their own), or -1.
constexpr int FONT_SLOT_32 = 13;
constexpr int font_slot_of(int size)
{
    return size >= 12 && size <= 24 ? size - 12 : size == 32 ? FONT_SLOT_32 : -1;
}

// True when the dot-matrix text renderer has fonts of this size.
constexpr bool text_size_known(int size)
{
    for (int s : FONT_SIZES)
        if (s == size) return true;
    return false;
}
