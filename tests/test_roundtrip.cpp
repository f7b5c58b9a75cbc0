// The round-trip property: for layouts the editor can produce, export, a
// fresh start that reads the script back, and a second export give the same
// cmd.txt byte for byte and the same items in the same records.
#include "command/insmod_command.h"
#include "command/led_command.h"
#include "model/default_layout.h"
#include "model/font_sizes.h"
#include "edit/keys.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "output/script_export.h"
#include "platform/gbk.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <cstring>
#include <random>

namespace {

// Builds layouts the way the editor leaves them: items pulled off the
// palette in range order (the next record revealed), fields changed by the
// property buttons, some items deleted (hidden at y = 2000) when `gaps`.
struct layout_gen {
    std::mt19937 rng;
    int W, H;
    bool gaps;
    std::vector<std::string> gbk_words;

    layout_gen(unsigned seed, int w, int h, bool g) : rng(seed), W(w), H(h), gaps(g)
    {
        for (const char* u : {"欢迎光临", "安全生产", "温度", "湿度", "今日", "禁止吸烟", "注意安全", "，", "。"})
            gbk_words.push_back(gbk_from_utf8(u));
    }
    int rnd(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    bool chance(int percent) { return rnd(1, 100) <= percent; }
    int px_x() { return 265 + rnd(0, W * 2 - 1); }
    int px_y() { return 145 + rnd(0, H * 2 - 1); }

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

    // Place some records from the start of range `r` (any count up to all but
    // the last); reveal the next one.
    template <class F> void fill(int r, F&& set)
    {
        const record_range& rg = digit_ranges[r];
        fill_range(rg.first, rg.last, rnd(0, rg.last - rg.first), set);
    }

    // Place `count` records from the start of a range; reveal the next one.
    template <class F> void fill_range(int first, int last, int count, F&& set)
    {
        for (int k = 0; k < count && first + k <= last; k++) {
            int i = first + k;
            Digit_unit& d = digit_table[i];
            d.visible = 1;
            d.x = px_x();
            d.y = px_y();
            d.color = (uint8_t)rnd(0, 6);
            set(i, d);
            if (gaps && chance(15)) {  // deleted afterwards
                d.visible = 0;
                d.y = 2000;
            }
        }
        if (first + count <= last) {
            digit_table[first + count].visible = 1;  // the palette entry
            if (first + count + 1 <= last && chance(30)) {
                // A pending copy: filled in, not yet shown.
                Digit_unit& c = digit_table[first + count + 1];
                c.x = px_x();
                c.y = px_y();
            }
        }
    }

    void variable(Digit_unit& d, int code)
    {
        d.kind = KIND_VARIABLE;
        d.reg_addr = code;
        d.digits = rnd(0, 6);
        d.size = rnd(0, 61);
        d.thickness = rnd(0, 3);
        d.data_type = rnd(0, 8);
        d.decimals = (uint8_t)(chance(90) ? rnd(0, 5) : rnd(0, 255));
        if (code_has_font_size(code)) {
            d.font_px = FONT_SIZES[rnd(0, FONT_SIZE_COUNT - 1)];
            d.size_preset = size_preset_of(d.font_px);
        }
    }

    void texts(int count, int max_len)
    {
        for (int i = 0; i < count && i <= TEXT_LAST; i++) {
            string_draw& s = string_table[i];
            int step = rnd(0, FONT_SIZE_COUNT - 1);
            s.visible = 1;
            s.font_size = (uint8_t)FONT_SIZES[step];
            s.font_step = (uint8_t)(step + 1);
            s.color = rnd(-3, 20);
            s.x = px_x();
            s.y = px_y();
            s.mode = (uint8_t)rnd(0, 3);
            // Switched scrolling texts carry registers below 50 only.
            s.reg_addr = (uint8_t)(s.mode == 3 ? rnd(0, 49) : rnd(0, 255));
            s.box_width = rnd(-10, 600);
            s.box_height = rnd(-10, 200);
            s.speed = rnd(-10, 45);
            s.direction = (uint8_t)rnd(0, 6);
            std::string t = text(max_len);
            memset(s.text, 0, sizeof s.text);
            memcpy(s.text, t.data(), t.size());
            s.text_len = (int32_t)t.size();
            if (gaps && chance(15)) {
                s.visible = 0;
                s.y = 2000;
            }
        }
        if (count <= TEXT_LAST) string_table[count].visible = 1;
    }

    void table(Digit_unit& d, int max_dim)
    {
        d.kind = KIND_TABLE;
        d.cols = (uint8_t)rnd(1, max_dim);
        d.rows = (uint8_t)rnd(1, max_dim);
        for (int c = 0; c < TABLE_MAX; c++) d.col_width[c] = rnd(-4, 60);
        for (int r = 0; r < TABLE_MAX; r++) d.row_height[r] = rnd(-4, 30);
        d.merge_count = 0;
        if (d.cols >= 2) {
            int m = rnd(0, chance(10) ? TABLE_MAX : 4);
            for (int k = 0; k < m; k++) {
                int col = rnd(0, d.cols - 2), row = rnd(0, d.rows - 1);
                int left = 0, top = 0;
                for (int c = 0; c <= col; c++) left += d.col_width[c];
                for (int r = 0; r < row; r++) top += d.row_height[r];
                d.merges[k] = merge_record{1, -left, -top - 2, -left, -d.row_height[row] - top + 2, col, row};
                d.merge_count++;
            }
        }
    }

    void build(int max_text_len = SCRIPT_TEXT_MAX, int max_table_dim = 6)
    {
        texts(rnd(0, 40), max_text_len);
        // Named records: any of them pulled onto the panel, some with a changed code.
        // (An address raised to 41 or more makes a register variable, which comes
        // back in the register range: see RegisterCodesComeBackInTheRegisterRange.)
        for (int i = digit_ranges[RANGE_NAMED].first; i <= digit_ranges[RANGE_NAMED].last; i++) {
            if (!chance(30)) continue;
            Digit_unit& d = digit_table[i];
            d.visible = 1;
            d.x = px_x();
            d.y = px_y();
            d.color = (uint8_t)rnd(0, 6);
            variable(d, chance(70) ? d.reg_addr : rnd(0, REGISTER_CODE_FIRST - 1));
        }
        fill(RANGE_SAFETY, [&](int, Digit_unit& d) { variable(d, chance(70) ? rnd(SAFETY_CODE_FIRST, REGISTER_CODE_FIRST - 1) : rnd(0, REGISTER_CODE_FIRST - 1)); });
        fill(RANGE_BLOCK, [&](int, Digit_unit& d) { d.height = rnd(0, 40); });
        fill(RANGE_LINE, [&](int, Digit_unit& d) { d.width = rnd(-20, 300); });
        fill(RANGE_CIRCLE, [&](int, Digit_unit& d) { d.height = rnd(0, 80); });
        fill(RANGE_FILLED_CIRCLE, [&](int, Digit_unit& d) { d.height = rnd(0, 80); });
        fill(RANGE_VLINE, [&](int, Digit_unit& d) {
            d.height = chance(80) ? rnd(2, 120) : rnd(-60, -2);
        });
        fill(RANGE_REGISTER, [&](int i, Digit_unit& d) {
            variable(d, chance(60) ? i - REGISTER_HOME_BASE : (chance(50) ? rnd(REGISTER_CODE_FIRST, 60) : rnd(0, 400)));
        });
        fill(RANGE_RECT, [&](int, Digit_unit& d) {
            d.width = rnd(-10, 300);
            d.height = rnd(-10, 120);
        });
        fill(RANGE_VALVE, [&](int, Digit_unit& d) {
            d.reg_addr = rnd(0, 25);
            d.valve = rnd(-20, 300);
        });
        fill(RANGE_FILLED_RECT, [&](int, Digit_unit& d) {
            d.width = rnd(-10, 300);
            d.height = rnd(-10, 120);
            d.reg_addr = rnd(0, 1000);
        });
        fill(RANGE_TABLE, [&](int, Digit_unit& d) { table(d, max_table_dim); });
    }
};

struct snapshot {
    std::vector<std::string> texts, digits;  // per record: its script lines
    std::vector<std::pair<int, std::string>> ordered;  // (range, lines) in record order
};

snapshot take_snapshot()
{
    snapshot s;
    for (int i = 0; i < STRING_COUNT; i++) {
        s.texts.push_back(text_item_script(i));
        if (!s.texts.back().empty()) s.ordered.push_back({-1, s.texts.back()});
    }
    for (int i = 0; i < DIGIT_COUNT; i++) {
        s.digits.push_back(digit_item_script(i));
        if (!s.digits.back().empty()) s.ordered.push_back({range_of_record(i), s.digits.back()});
    }
    return s;
}

// Export, start afresh from the file, compare; returns the first script.
void check_round_trip(const temp_workspace& ws, bool same_records, const std::string& what)
{
    SCOPED_TRACE(what);
    snapshot before = take_snapshot();
    ASSERT_TRUE(export_script());
    std::string first = ws.script();
    ASSERT_EQ(first, script_text());

    fresh_start();
    EXPECT_EQ(last_script_report.refused, 0);
    for (const script_note& n : last_script_report.notes)
        ADD_FAILURE() << "line " << n.line << ": " << n.reason << ": " << gbk_to_utf8(n.text.c_str());
    snapshot after = take_snapshot();
    int shown = 0;
    if (same_records) {
        for (int i = 0; i < STRING_COUNT && shown < 3; i++)
            if (after.texts[i] != before.texts[i]) {
                ADD_FAILURE() << "text " << i << " was\n" << before.texts[i] << "now\n" << after.texts[i];
                shown++;
            }
        for (int i = 0; i < DIGIT_COUNT && shown < 3; i++)
            if (after.digits[i] != before.digits[i]) {
                ADD_FAILURE() << "record " << i << " was\n" << before.digits[i].substr(0, 300) << "\nnow\n"
                              << after.digits[i].substr(0, 300);
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

    // Fields the lines do not show directly but the editor relies on.
    for (int i = 0; i < STRING_COUNT; i++) {
        const string_draw& s = string_table[i];
        if (after.texts[i].empty()) continue;
        EXPECT_EQ(s.font_step, font_step_of(s.font_size)) << "text " << i;
        EXPECT_EQ(s.text_len, (int)strlen(s.text)) << "text " << i;
        EXPECT_EQ(s.text_ready, 1);
    }
    for (int i = 0; i < DIGIT_COUNT; i++)
        if (!after.digits[i].empty()) {
            EXPECT_EQ(digit_table[i].visible, 1);
        }
    EXPECT_EQ(digit_table[NO_ITEM].visible, 0);
    EXPECT_EQ(string_table[NO_ITEM].visible, 0);

    ASSERT_TRUE(export_script());
    std::vector<std::string> a = crlf_lines(first), b = crlf_lines(ws.script());
    EXPECT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size() && k < b.size(); k++)
        if (a[k] != b[k]) {
            ADD_FAILURE() << "the second export differs at line " << k + 1 << ":\n" << a[k].substr(0, 200) << "\n"
                          << b[k].substr(0, 200);
            break;
        }
    EXPECT_TRUE(ws.script() == first);
}

} // namespace

TEST(RoundTrip, PropertyOverGeneratedLayouts)
{
    temp_workspace ws(256, 64);
    for (unsigned seed = 1; seed <= 400; seed++) {
        fresh_start();
        layout_gen g(seed, 256, 64, false);
        g.build();
        check_round_trip(ws, true, "seed " + std::to_string(seed));
        if (HasFailure()) break;
    }
}

TEST(RoundTrip, PropertyWithDeletedItemsKeepsOrderAndBytes)
{
    temp_workspace ws(320, 128);
    for (unsigned seed = 1000; seed < 1200; seed++) {
        fresh_start();
        layout_gen g(seed, 320, 128, true);
        g.build();
        check_round_trip(ws, false, "seed " + std::to_string(seed));
        if (HasFailure()) break;
    }
}

TEST(RoundTrip, EveryComponentCodeAndLongestTexts)
{
    temp_workspace ws(512, 128);
    fresh_start();
    layout_gen g(77, 512, 128, false);
    // Codes 0..40 in the named and safe-production records, 41.. in the register range.
    for (int code = 0; code <= 40; code++) {
        int i = code <= 32 ? code : 33 + (code - 33);
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.x = g.px_x();
        d.y = g.px_y();
        g.variable(d, code);
    }
    const record_range& reg = digit_ranges[RANGE_REGISTER];
    for (int i = reg.first; i <= reg.last; i++) {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.x = g.px_x();
        d.y = g.px_y();
        g.variable(d, REGISTER_CODE_FIRST + (i - reg.first) * 2);  // past the last home record as well
    }
    digit_table[reg.first + 7].reg_addr = REGISTER_CODE_FIRST;  // two variables of one register
    // The longest texts in every mode.
    for (int i = 0; i < 8; i++) {
        string_draw& s = string_table[i];
        s.visible = 1;
        s.x = g.px_x();
        s.y = g.px_y();
        s.mode = (uint8_t)(i % 4);
        s.reg_addr = (uint8_t)(i * 6);
        std::string t = g.text(SCRIPT_TEXT_MAX);
        while ((int)t.size() < SCRIPT_TEXT_MAX) t += 'w';
        memcpy(s.text, t.data(), SCRIPT_TEXT_MAX);
        s.text[SCRIPT_TEXT_MAX] = 0;
        s.text_len = SCRIPT_TEXT_MAX;
    }
    string_table[8].visible = 1;
    check_round_trip(ws, true, "codes");
}

TEST(RoundTrip, FullTablesAndBigGrids)
{
    temp_workspace ws(512, 256);
    fresh_start();
    layout_gen g(5, 512, 256, false);
    g.build(SCRIPT_TEXT_MAX, TABLE_MAX);
    // Every range full.
    for (int r = 0; r < RANGE_COUNT; r++) {
        const record_range& rg = digit_ranges[r];
        if (r == RANGE_NAMED) continue;
        for (int i = rg.first; i <= rg.last; i++) {
            Digit_unit& d = digit_table[i];
            if (!d.visible || d.x < 265) {
                d.visible = 1;
                d.x = g.px_x();
                d.y = g.px_y();
                if (r == RANGE_TABLE) g.table(d, TABLE_MAX);
                if (r == RANGE_VLINE) d.height = 10;
            }
        }
    }
    Digit_unit& big = digit_table[digit_ranges[RANGE_TABLE].first];
    big.cols = TABLE_MAX;
    big.rows = TABLE_MAX;
    check_round_trip(ws, true, "full");
}

TEST(RoundTrip, AnExportAtAnotherZoomIsStableAfterOneReload)
{
    temp_workspace ws(128, 32);
    fresh_start();
    layout_gen g(9, 128, 32, false);
    g.build();
    led_pitch = 3;  // zoomed in: items keep their pixels, the export divides by 3
    ASSERT_TRUE(export_script());
    fresh_start();
    EXPECT_EQ(last_script_report.refused, 0);
    std::string second = script_text();
    fresh_start();
    ws.write_script(second);
    fresh_start();
    EXPECT_EQ(script_text(), second);
}

TEST(RoundTrip, RegisterCodesComeBackInTheRegisterRange)
{
    temp_workspace ws(512, 128);
    fresh_start();
    layout_gen g(91, 512, 128, false);
    // A safe-production counter whose address was raised past 40 is a register
    // variable: it comes back in the register range, with the same fields,
    // and the palette record it came from is left as the palette has it.
    Digit_unit& d = digit_table[40];
    d.visible = 1;
    d.x = g.px_x();
    d.y = g.px_y();
    g.variable(d, 45);
    Digit_unit was = d;
    ASSERT_TRUE(export_script());
    fresh_start();
    EXPECT_EQ(last_script_report.refused, 0);
    const Digit_unit& back = digit_table[REGISTER_HOME_BASE + 45];
    EXPECT_EQ(back.visible, 1);
    EXPECT_EQ(back.reg_addr, 45);
    EXPECT_EQ(back.x, was.x);
    EXPECT_EQ(back.y, was.y);
    EXPECT_EQ(back.color, was.color);
    EXPECT_EQ(back.digits, was.digits);
    EXPECT_EQ(back.decimals, was.decimals);
    EXPECT_NE(digit_table[40].reg_addr, 45);
}

TEST(RoundTrip, ZoomKeysNeverChangeTheSavedLayout)
{
    // Pitches 2 up to 8 (Ctrl+Q), back down to 2 (Ctrl+A), then 1 and 2 (Ctrl+L),
    // over generated layouts and the demo: every pitch exports the same bytes.
    auto check_zoom_path = [](const std::string& what) {
        SCOPED_TRACE(what);
        const std::string first = layout_snapshot();
        const unsigned char keys[] = {17, 17, 17, 17, 17, 17, 1, 1, 1, 1, 1, 1, 12, 12, 12, 17, 17, 1, 12};
        for (unsigned char k : keys) {
            on_key(k, 0, 0);
            ASSERT_EQ(layout_snapshot(), first) << "after key " << (int)k << " at pitch " << (int)led_pitch;
        }
        EXPECT_EQ(led_pitch, 1);
    };
    {
        temp_workspace ws(256, 64);
        for (unsigned seed = 1; seed <= 60 && !HasFailure(); seed++) {
            fresh_start();
            layout_gen g(seed, 256, 64, seed % 2 == 0);
            g.build();
            check_zoom_path("seed " + std::to_string(seed));
        }
    }
    temp_workspace demo(384, 128);
    for (const char* name : {"SysCfg.ini", "one_pic_effect.vsn", "ledsys/CMD1/cmd.txt"})
        demo.write(name, temp_workspace::read_path(std::string(LUMIKER_SOURCE_DIR) + "/workspace/" + name));
    startup_paths(demo.dir.c_str());
    convert_pictures_at_startup = false;
    fresh_start();
    convert_pictures_at_startup = true;
    EXPECT_EQ(last_script_report.refused, 0);
    check_zoom_path("demo");
    fresh_start();
    led_pitch = 2;
}
