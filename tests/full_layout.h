// The full layout the frame benchmarks and the item-layer test draw: every
// slot of both numberings taken on a 512 x 128 panel, overlapping, texts in
// Chinese and Western in five sizes. Shared by tests/ and bench/.
#pragma once
#include "items/palette.h"
#include "model/document.h"
#include "platform/gbk.h"
#include <string>

constexpr int FULL_PANEL_W = 512, FULL_PANEL_H = 128;

// The palette sample whose items fill range r.
inline int full_layout_sample(int r, int k)
{
    static const int named[] = {SAMPLE_YEAR, SAMPLE_MONTH, SAMPLE_DAY, SAMPLE_HOUR, SAMPLE_MINUTE,
                                SAMPLE_SECOND, SAMPLE_WEEKDAY, SAMPLE_LUNAR_YEAR, SAMPLE_WIND, SAMPLE_COUNTER};
    switch (r) {
    case RANGE_NAMED: return named[k % (int)(sizeof named / sizeof *named)];
    case RANGE_SAFETY: return SAMPLE_SAFETY;
    case RANGE_BLOCK: return SAMPLE_BLOCK;
    case RANGE_LINE: return SAMPLE_LINE;
    case RANGE_CIRCLE: return SAMPLE_CIRCLE;
    case RANGE_FILLED_CIRCLE: return SAMPLE_FILLED_CIRCLE;
    case RANGE_VLINE: return SAMPLE_VLINE;
    case RANGE_REGISTER: return SAMPLE_REGISTER;
    case RANGE_RECT: return SAMPLE_RECT;
    case RANGE_VALVE: return SAMPLE_VALVE;
    case RANGE_FILLED_RECT: return SAMPLE_FILLED_RECT;
    case RANGE_TABLE: return SAMPLE_TABLE;
    default: return SAMPLE_TEXT;
    }
}

// Fill the document: the panel's size, then an item in every slot.
inline void make_full_layout(document& d)
{
    doc_clear_layout(d);
    d.settings.width_text = std::to_string(FULL_PANEL_W);
    d.settings.height_text = std::to_string(FULL_PANEL_H);
    d.settings.panel_w = FULL_PANEL_W;
    d.settings.panel_h = FULL_PANEL_H;
    int n = 0;
    for (int r = 0; r < RANGE_TEXT; r++) {
        const slot_range& s = slot_ranges[r];
        for (int slot = s.first; slot <= s.last; slot++, n++) {
            item it = palette_sample_of(full_layout_sample(r, slot - s.first)).sample;
            if (it.kind == KIND_VARIABLE && variable_range(it.code) != (range_id)r) continue;
            it.slot = (int16_t)slot;
            it.x = (n % 20) * 25;
            it.y = (n / 20) * 6 % FULL_PANEL_H;
            it.color = (uint8_t)(n % 7);
            item_id id;
            doc_create(d, it, id);
        }
    }
    const std::string chinese = gbk_from_utf8("欢迎光临 Welcome");
    for (int i = 0; i < SLOT_COUNT; i++) {
        item t = palette_sample_of(SAMPLE_TEXT).sample;
        t.slot = (int16_t)i;
        t.x = (i % 10) * 50;
        t.y = (i / 10) * 3 % FULL_PANEL_H;
        t.color = (uint8_t)(i % 7);
        t.font_size = (uint8_t)(12 + i % 5);
        copy_field(t.text, TEXT_LEN, (i % 2) ? "LED panel 12345" : chinese.c_str());
        item_id id;
        doc_create(d, t, id);
    }
}
