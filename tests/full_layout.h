// The full layout the frame benchmarks and the item-layer test draw: every
// record of both tables live on a 512 x 128 panel, overlapping, texts in
// Chinese and Western in five sizes. Shared by tests/ and bench/.
#pragma once
#include "model/default_layout.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include <string>

// Fill the tables (default layout first, then every record made live).
inline void make_full_layout()
{
    reset_item_tables();
    default_layout();
    for (int i = 0; i < DIGIT_COUNT; i++) {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.x = PANEL_X + 1 + (i % 20) * 50;
        d.y = PANEL_Y + 1 + (i / 20) * 12;
        d.color = (uint8_t)(i % 7);
    }
    const std::string chinese = gbk_from_utf8("欢迎光临 Welcome");
    for (int i = 0; i < STRING_COUNT; i++) {
        string_draw& t = string_table[i];
        t.visible = 1;
        t.x = PANEL_X + 1 + (i % 10) * 100;
        t.y = PANEL_Y + 1 + (i / 10) * 6;
        t.color = i % 7;
        t.font_size = (uint8_t)(12 + i % 5);
        copy_field(t.text, TEXT_LEN, (i % 2) ? "LED panel 12345" : chinese.c_str());
    }
}
