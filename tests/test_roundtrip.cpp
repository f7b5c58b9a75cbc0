// The round-trip property: for layouts the editor can produce, a save, a
// fresh start that reads the script back, and a second export give the same
// cmd.txt byte for byte and the same items in the same slots.
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "edit/keys.h"
#include "full_layout.h"
#include "items/palette.h"
#include "model/font_sizes.h"
#include "output/layout_save.h"
#include "output/script_export.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>

namespace {

// Builds layouts the way the editor leaves them: items pulled off the
// palette (each into the lowest free slot of its kind), fields changed by
// the property buttons, and, when `gaps`, some items deleted afterwards.
struct layout_gen {
    std::mt19937 rng;
    document& d;
    int W, H;
    bool gaps;
    std::vector<std::string> gbk_words;
    std::vector<item_id> doomed;

    layout_gen(unsigned seed, document& doc, bool g) : rng(seed), d(doc), W(doc.settings.panel_w), H(doc.settings.panel_h), gaps(g)
    {
        for (const char* u : {"欢迎光临", "安全生产", "温度", "湿度", "今日", "禁止吸烟", "注意安全", "，", "。"})
            gbk_words.push_back(gbk_from_utf8(u));
    }
    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(int percent) { return rnd(1, 100) <= percent; }

    // A text the keyboard can type: any byte but NUL, space, CR and LF.
    std::string text(int max_len)
    {
        int target = chance(10) ? max_len : rnd(0, std::min(max_len, chance(30) ? 200 : 24));
        std::string t;
        while ((int)t.size() < target) {
            int what = rnd(0, 9);
            std::string piece;
            if (what <= 3) piece = std::string(1, (char)rnd(0x21, 0x7e));
            else if (what <= 5) piece = gbk_words[rnd(0, (int)gbk_words.size() - 1)];
            else if (what == 6) piece = "\\C" + std::to_string(rnd(1, 5));
            else if (what == 7) { piece = std::string(1, (char)rnd(0xb0, 0xf7)); piece += (char)rnd(0xa1, 0xfe); }
            else if (what == 8) piece = std::string(1, (char)rnd(0x80, 0xff));
            else piece = std::string(1, (char)rnd(1, 31));
            if (piece.find_first_of(std::string("\r\n \0", 4)) != std::string::npos) continue;
            if ((int)(t.size() + piece.size()) > target) piece = piece.substr(0, target - t.size());
            t += piece;
        }
        return t;
    }

    // A new item off palette sample `sample` on the panel, in slot `slot`
    // (NO_SLOT: the lowest free one of its kind, as the palette gives it);
    // null when its kind is full.
    item* make(int sample, int16_t slot = NO_SLOT)
    {
        item it = palette_sample_of(sample).sample;
        it.slot = slot != NO_SLOT ? slot : doc_free_slot(d, it.kind, it.code);
        if (it.slot == NO_SLOT) return nullptr;
        it.code = palette_code_for(sample, it.slot);
        it.x = rnd(0, W - 1);
        it.y = rnd(0, H - 1);
        it.color = (uint8_t)rnd(0, 6);
        item_id id = NO_ITEM;
        if (!doc_create(d, it, id)) return nullptr;
        if (gaps && chance(15)) doomed.push_back(id);   // deleted afterwards
        return doc_item(d, id);
    }

    // Up to `count` items off a sample, each changed by `set`.
    template <class F> void fill(int sample, int count, F&& set)
    {
        for (int k = 0; k < count; k++)
            if (item* it = make(sample)) set(*it);
    }

    void variable(item& it, int code)
    {
        it.code = code;
        it.digits = rnd(0, 6);
        it.size = rnd(0, 30);
        it.thickness = rnd(0, 3);
        it.data_type = rnd(0, 8);
        it.decimals = (uint8_t)(chance(90) ? rnd(0, 5) : rnd(0, 255));
        if (code_has_font_size(code)) {
            it.font_px = FONT_SIZES[rnd(0, FONT_SIZE_COUNT - 1)];
            it.size_preset = size_preset_of(it.font_px);
        }
    }

    void text_fields(item& s, int max_len)
    {
        const int step = rnd(0, FONT_SIZE_COUNT - 1);
        s.font_size = (uint8_t)FONT_SIZES[step];
        s.font_step = (uint8_t)(step + 1);
        s.color = (uint8_t)rnd(-3, 20);
        s.mode = (uint8_t)rnd(0, TEXT_MODE_MAX);
        // Switched scrolling texts carry registers below 50 only.
        s.code = s.mode == TEXT_SCROLLING_SWITCHED ? rnd(0, 49) : rnd(0, REGISTER_LAST_BYTE);
        s.w = rnd(-5, 300);
        s.h = rnd(-5, 100);
        s.speed = rnd(-10, 45);
        s.direction = (uint8_t)rnd(0, TEXT_DIRECTION_MAX);
        const std::string t = text(max_len);
        memset(s.text, 0, TEXT_LEN);
        memcpy(s.text, t.data(), t.size());
    }

    void table(item& it, int max_dim)
    {
        table_grid& g = it.grid;
        g.cols = (uint8_t)rnd(1, max_dim);
        g.rows = (uint8_t)rnd(1, max_dim);
        for (int c = 0; c < TABLE_MAX; c++) g.col_w[c] = rnd(-2, 30);
        for (int r = 0; r < TABLE_MAX; r++) g.row_h[r] = rnd(-2, 15);
        g.merge_count = 0;
        if (g.cols < 2) return;
        // Merges as the merge button makes them: the grid piece between a cell
        // and its right neighbour, a dot short of the row's edges.
        const int m = rnd(0, chance(10) ? TABLE_MAX : 4);
        for (int k = 0; k < m; k++) {
            const int col = rnd(0, g.cols - 2), row = rnd(0, g.rows - 1);
            int left = 0, top = 0;
            for (int c = 0; c <= col; c++) left += g.col_w[c];
            for (int r = 0; r < row; r++) top += g.row_h[r];
            g.merges[k] = table_merge{col, row, left, top + 1, left, top + g.row_h[row] - 1};
            g.merge_count++;
        }
    }

    void build(int max_text_len = SCRIPT_TEXT_MAX, int max_table_dim = 6)
    {
        fill(SAMPLE_TEXT, rnd(0, 40), [&](item& s) { text_fields(s, max_text_len); });
        // Named fields, some with a changed code below the registers' (a code
        // of 41 or more makes a register variable, which comes back in the
        // register range: see RegisterCodesComeBackInTheRegisterRange).
        static const int named[] = {SAMPLE_YEAR, SAMPLE_MONTH, SAMPLE_DAY, SAMPLE_LUNAR_YEAR, SAMPLE_LUNAR_MONTH,
                                    SAMPLE_LUNAR_DAY, SAMPLE_WEEKDAY, SAMPLE_HOUR, SAMPLE_MINUTE, SAMPLE_SECOND,
                                    SAMPLE_WIND, SAMPLE_COUNTER};
        const slot_range& nr = slot_ranges[RANGE_NAMED];
        for (int k = nr.first; k <= nr.last; k++) {
            if (!chance(30)) continue;
            if (item* it = make(named[rnd(0, (int)(sizeof named / sizeof *named) - 1)]))
                variable(*it, chance(70) ? it->code : rnd(0, REGISTER_CODE_FIRST - 1));
        }
        auto room = [](range_id r) { return slot_ranges[r].last - slot_ranges[r].first + 1; };
        fill(SAMPLE_SAFETY, rnd(0, room(RANGE_SAFETY)), [&](item& it) {
            variable(it, chance(70) ? rnd(SAFETY_CODE_FIRST, REGISTER_CODE_FIRST - 1) : rnd(0, REGISTER_CODE_FIRST - 1));
        });
        fill(SAMPLE_BLOCK, rnd(0, room(RANGE_BLOCK)), [&](item& it) { it.w = it.h = rnd(0, 20); });
        fill(SAMPLE_LINE, rnd(0, room(RANGE_LINE)), [&](item& it) { it.w = rnd(-10, 150); });
        fill(SAMPLE_CIRCLE, rnd(0, room(RANGE_CIRCLE)), [&](item& it) { it.w = it.h = rnd(0, 40); });
        fill(SAMPLE_FILLED_CIRCLE, rnd(0, room(RANGE_FILLED_CIRCLE)), [&](item& it) { it.w = it.h = rnd(0, 40); });
        fill(SAMPLE_VLINE, rnd(0, room(RANGE_VLINE)), [&](item& it) { it.h = chance(80) ? rnd(0, 60) : rnd(-30, -1); });
        fill(SAMPLE_REGISTER, rnd(0, room(RANGE_REGISTER)), [&](item& it) {
            variable(it, chance(60) ? it.code : (chance(50) ? rnd(REGISTER_CODE_FIRST, 60) : rnd(0, 400)));
        });
        fill(SAMPLE_RECT, rnd(0, room(RANGE_RECT)), [&](item& it) {
            it.w = rnd(-5, 150);
            it.h = rnd(-5, 60);
        });
        fill(SAMPLE_VALVE, rnd(0, room(RANGE_VALVE)), [&](item& it) {
            it.code = rnd(0, 25);
            it.valve = rnd(-20, 300);
        });
        fill(SAMPLE_FILLED_RECT, rnd(0, room(RANGE_FILLED_RECT)), [&](item& it) {
            it.w = rnd(-5, 150);
            it.h = rnd(-5, 60);
            it.code = rnd(0, 1000);
        });
        fill(SAMPLE_TABLE, rnd(0, room(RANGE_TABLE)), [&](item& it) { table(it, max_table_dim); });
        for (item_id id : doomed) doc_delete(d, id);
        doomed.clear();
    }
};

struct snapshot {
    std::vector<std::string> slots[ITEM_TABLES];       // per slot: its script lines
    std::vector<std::pair<int, std::string>> ordered;  // (range, lines) in slot order
};

snapshot take_snapshot(const document& d)
{
    snapshot s;
    for (int t = 0; t < ITEM_TABLES; t++)
        for (int slot = 0; slot < SLOT_COUNT; slot++) {
            const item* it = doc_item(d, pool_at_slot(d.items, (item_table)t, slot));
            s.slots[t].push_back(it ? item_script(d, *it) : std::string());
            if (!s.slots[t].back().empty()) s.ordered.push_back({range_of_slot((item_table)t, slot), s.slots[t].back()});
        }
    return s;
}

bool save(document& d)
{
    save_outcome out;
    const outcome o = save_layout(d, out);
    EXPECT_TRUE(o.ok) << o.why;
    return o.ok;
}

// How a round trip writes the script: through the save the user makes, or
// (for the many generated layouts, sparing the disk its flushes) the export
// written straight to the file.
enum write_way { THROUGH_SAVE, EXPORT_ONLY };

// Save, start afresh from the files, compare.
void check_round_trip(temp_workspace& ws, bool same_slots, const std::string& what, write_way way = THROUGH_SAVE)
{
    SCOPED_TRACE(what);
    document& d = ws.d();
    const snapshot before = take_snapshot(d);
    if (way == THROUGH_SAVE) ASSERT_TRUE(save(d));
    else ws.write_script(script_text(d));
    const std::string first = ws.script();
    ASSERT_EQ(first, script_text(d));

    fresh_start(ws);
    EXPECT_EQ(d.script.refused, 0);
    for (const script_note& n : d.script.notes)
        ADD_FAILURE() << "line " << n.line << ": " << n.reason << ": " << gbk_to_utf8(n.text.c_str());
    const snapshot after = take_snapshot(d);
    int shown = 0;
    if (same_slots) {
        for (int t = 0; t < ITEM_TABLES; t++)
            for (int i = 0; i < SLOT_COUNT && shown < 3; i++)
                if (after.slots[t][i] != before.slots[t][i]) {
                    ADD_FAILURE() << (t == ITEM_TABLE_TEXTS ? "text " : "slot ") << i << " was\n"
                                  << before.slots[t][i].substr(0, 300) << "\nnow\n" << after.slots[t][i].substr(0, 300);
                    shown++;
                }
    }
    EXPECT_EQ(after.ordered.size(), before.ordered.size());
    for (size_t k = 0; k < after.ordered.size() && k < before.ordered.size() && shown < 3; k++)
        if (after.ordered[k] != before.ordered[k]) {
            ADD_FAILURE() << "item " << k << " was\n" << before.ordered[k].second.substr(0, 300) << "\nnow\n"
                          << after.ordered[k].second.substr(0, 300);
            shown++;
        }
    // What the lines do not show directly but the font-size buttons go by.
    pool_walk(d.items, ITEM_TABLE_TEXTS,
              [&](item_id, const item& s) { EXPECT_EQ(s.font_step, font_step_of(s.font_size)) << "text " << s.slot; });
    EXPECT_FALSE(layout_has_unsaved_changes(d));

    std::vector<std::string> a = crlf_lines(first), b = crlf_lines(script_text(d));
    EXPECT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size() && k < b.size(); k++)
        if (a[k] != b[k]) {
            ADD_FAILURE() << "the second export differs at line " << k + 1 << ":\n" << a[k].substr(0, 200) << "\n"
                          << b[k].substr(0, 200);
            break;
        }
    EXPECT_TRUE(script_text(d) == first);
}

} // namespace

TEST(RoundTrip, PropertyOverGeneratedLayouts)
{
    temp_workspace ws(256, 64);
    for (unsigned seed = 1; seed <= 400; seed++) {
        ws.write_script("");   // each layout starts from an empty one
        fresh_start(ws);
        layout_gen g(seed, ws.d(), false);
        g.build();
        check_round_trip(ws, true, "seed " + std::to_string(seed), seed % 50 ? EXPORT_ONLY : THROUGH_SAVE);
        if (HasFailure()) break;
    }
}

TEST(RoundTrip, PropertyWithDeletedItemsKeepsOrderAndBytes)
{
    temp_workspace ws(320, 128);
    for (unsigned seed = 1000; seed < 1200; seed++) {
        ws.write_script("");
        fresh_start(ws);
        layout_gen g(seed, ws.d(), true);
        g.build();
        check_round_trip(ws, false, "seed " + std::to_string(seed), seed % 50 ? EXPORT_ONLY : THROUGH_SAVE);
        if (HasFailure()) break;
    }
}

TEST(RoundTrip, EveryComponentCodeAndLongestTexts)
{
    temp_workspace ws(512, 128);
    fresh_start(ws);
    layout_gen g(77, ws.d(), false);
    // Codes 0..40 in the named and safe-production slots, 41.. in the register range.
    for (int code = 0; code < REGISTER_CODE_FIRST; code++) {
        item* it = g.make(SAMPLE_COUNTER, (int16_t)code);
        ASSERT_NE(it, nullptr) << code;
        g.variable(*it, code);
    }
    const slot_range& reg = slot_ranges[RANGE_REGISTER];
    for (int i = reg.first; i <= reg.last; i++) {
        item* it = g.make(SAMPLE_REGISTER);
        ASSERT_NE(it, nullptr) << i;
        g.variable(*it, REGISTER_CODE_FIRST + (i - reg.first) * 2);  // past the last home slot as well
    }
    doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, reg.first + 7))->code = REGISTER_CODE_FIRST;  // two of one register
    EXPECT_EQ(g.make(SAMPLE_REGISTER), nullptr);   // the register range is full
    // The longest texts in every mode.
    for (int i = 0; i < 8; i++) {
        item& s = *g.make(SAMPLE_TEXT);
        s.mode = (uint8_t)(i % 4);
        s.code = i * 6;
        std::string t = g.text(SCRIPT_TEXT_MAX);
        while ((int)t.size() < SCRIPT_TEXT_MAX) t += 'w';
        copy_field(s.text, TEXT_LEN, t.c_str());
        ASSERT_EQ(strlen(s.text), (size_t)SCRIPT_TEXT_MAX);
    }
    check_round_trip(ws, true, "codes");
}

TEST(RoundTrip, FullRangesAndBigGrids)
{
    temp_workspace ws(512, 256);
    fresh_start(ws);
    layout_gen g(5, ws.d(), false);
    g.build(SCRIPT_TEXT_MAX, TABLE_MAX);
    // Every range full but the named fields'.
    for (int r = RANGE_SAFETY; r < RANGE_COUNT; r++) {
        const slot_range& s = slot_ranges[r];
        for (int slot = s.first; slot <= s.last; slot++) {
            if (pool_at_slot(ws.d().items, s.table, slot) != NO_ITEM) continue;
            item* it = g.make(full_layout_sample(r, slot - s.first), (int16_t)slot);
            ASSERT_NE(it, nullptr) << s.noun << " " << slot;
            if (r == RANGE_TABLE) g.table(*it, TABLE_MAX);
        }
    }
    item& big = *doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, slot_ranges[RANGE_TABLE].first));
    big.grid.cols = TABLE_MAX;
    big.grid.rows = TABLE_MAX;
    check_round_trip(ws, true, "full");
}

TEST(RoundTrip, RegisterCodesComeBackInTheRegisterRange)
{
    temp_workspace ws(512, 128);
    fresh_start(ws);
    layout_gen g(91, ws.d(), false);
    // A safe-production counter whose code was raised past 40 is a register
    // variable: it comes back in the register range, with the same fields,
    // and the load says where it went.
    item& d = *g.make(SAMPLE_SAFETY, 40);
    g.variable(d, 45);
    const item was = d;
    ASSERT_TRUE(save(ws.d()));
    fresh_start(ws);
    EXPECT_EQ(ws.d().script.refused, 0);
    ASSERT_EQ(ws.d().script.changed, 1);
    EXPECT_EQ(ws.d().script.notes[0].reason, "放入了记录 " + std::to_string(REGISTER_HOME_BASE + 45));
    EXPECT_EQ(pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, 40), NO_ITEM);
    const item* back = doc_item(ws.d(), pool_at_slot(ws.d().items, ITEM_TABLE_UNITS, REGISTER_HOME_BASE + 45));
    ASSERT_NE(back, nullptr);
    EXPECT_EQ(back->code, 45);
    EXPECT_EQ(back->x, was.x);
    EXPECT_EQ(back->y, was.y);
    EXPECT_EQ(back->color, was.color);
    EXPECT_EQ(back->digits, was.digits);
    EXPECT_EQ(back->decimals, was.decimals);
}

TEST(RoundTrip, ZoomKeysChangeOnlyTheView)
{
    // Pitches 2 up to 8 (Ctrl+Q), back down to 2 (Ctrl+A), then 1 and 2 (Ctrl+L),
    // over generated layouts and the demo: the saved layout never changes.
    auto check_zoom_path = [](document& d, const std::string& what) {
        SCOPED_TRACE(what);
        view v;
        std::unique_ptr<interaction> ui(new interaction());
        editor e{d, v, *ui};
        const std::string first = layout_snapshot(d);
        const unsigned char keys[] = {17, 17, 17, 17, 17, 17, 1, 1, 1, 1, 1, 1, 12, 12, 12, 17, 17, 1, 12};
        int pitches = 0;
        for (unsigned char k : keys) {
            const int before = v.pitch;
            on_key(e, k);
            pitches += v.pitch != before;
            ASSERT_EQ(layout_snapshot(d), first) << "after key " << (int)k << " at pitch " << v.pitch;
        }
        EXPECT_EQ(v.pitch, 1);
        EXPECT_GE(pitches, 15);
        EXPECT_FALSE(layout_has_unsaved_changes(d));
    };
    {
        temp_workspace ws(256, 64);
        for (unsigned seed = 1; seed <= 20 && !HasFailure(); seed++) {
            ws.write_script("");
            fresh_start(ws);
            layout_gen g(seed, ws.d(), seed % 2 == 0);
            g.build();
            remember_saved_layout(ws.d());
            check_zoom_path(ws.d(), "seed " + std::to_string(seed));
        }
    }
    temp_workspace demo(384, 128);
    for (const char* name : {"SysCfg.ini", "one_pic_effect.vsn", "ledsys/CMD1/cmd.txt"})
        demo.write(name, temp_workspace::read_path(std::string(LUMIKER_SOURCE_DIR) + "/workspace/" + name));
    demo.reread_settings();
    fresh_start(demo);
    EXPECT_EQ(demo.d().script.refused, 0);
    EXPECT_GT(demo.d().items.count, 0);
    check_zoom_path(demo.d(), "demo");
}
