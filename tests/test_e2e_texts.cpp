// The real program under Xvfb showing texts read from its script: every dot
// of every text lit in its colour where the dot-matrix font puts it, and
// every other dot of the text's box dark.
#include "e2e_helpers.h"
#include "app/workspace.h"
#include "items/kinds.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include <set>
#include <utility>

namespace {

struct expected_text {
    int font_size, colour, dot_x, dot_y, mode, box_dots;
    const char* utf8;
};

// The dots the renderer lights for a text placed at panel dot (dot_x, dot_y), pitch 2.
std::set<std::pair<int, int>> lit_dots(const expected_text& t, int& left, int& top, int& right, int& bottom)
{
    doc_paths paths;
    build_base_paths(paths, LUMIKER_BUILD_DIR "/");
    dot_font_use_files(paths);
    dot_font_init();
    canvas_use_pitch(2);
    item s;
    s.kind = KIND_TEXT;
    s.x = t.dot_x;
    s.y = t.dot_y;
    s.font_size = (uint8_t)t.font_size;
    s.color = (uint8_t)t.colour;
    s.mode = (uint8_t)t.mode;
    s.w = t.box_dots;
    utf8_to_gbk(t.utf8, s.text, TEXT_LEN);
    item_draw_ctx ctx;
    ctx.x = 265 + t.dot_x * 2 + 1;
    ctx.y = 145 + t.dot_y * 2 + 1;
    ctx.pitch = 2;
    gfx_recorder rec;
    gfx_use(&rec);
    draw_item(s, ctx);
    gfx_use(nullptr);
    dot_font_use_files(doc_paths());
    std::set<std::pair<int, int>> dots;
    left = top = 1 << 30;
    right = bottom = -1;
    for (const gfx_event& e : rec.of_type(gfx_event::POINT)) {
        int x = (int)e.x[0], y = (int)e.y[0];
        dots.insert({x, y});
        left = std::min(left, x); right = std::max(right, x);
        top = std::min(top, y); bottom = std::max(bottom, y);
    }
    return dots;
}

} // namespace

TEST(EndToEnd, TextsFromTheScriptStandOnThePanelDotByDot)
{
    const expected_text texts[] = {
        {16, 1, 4, 2, 0, 0, "Hello\\C5你好"},         // green static, Chinese and Western
        {12, 0, 4, 24, 0, 0, "温度\\C523.5"},         // red, the cached 12-dot size
        {24, 2, 100, 2, 1, 40, "欢迎光临ABCD"},     // yellow scrolling, cut to its 40-dot box
        {32, 6, 4, 38, 0, 0, "LED屏"},             // white, 32 dots
    };
    e2e_session s("texts");
    s.write_file("SysCfg.ini", "[LEDPARA]\r\nWIDTH=256\r\nHEIGHT=80\r\nPROGRAMID=1\r\n");
    std::string script = "led clearall \r\n";
    for (const expected_text& t : texts) {
        char line[300];
        std::string gbk = gbk_from_utf8(t.utf8);
        if (t.mode == 0)
            snprintf(line, sizeof line, "led %dt %d %d %d %s\r\n", t.font_size, t.colour, t.dot_x, t.dot_y, gbk.c_str());
        else
            snprintf(line, sizeof line, "led %dst %d %d %d %d %d %d %d %d %s\r\n", t.font_size, t.colour, t.dot_x,
                     t.dot_y, t.box_dots, t.font_size, 22, 50, 0, gbk.c_str());
        script += line;
    }
    s.write_file("ledsys/CMD1/cmd.txt", script);
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    s.grab();

    for (const expected_text& t : texts) {
        int l, tp, r, b;
        std::set<std::pair<int, int>> dots = lit_dots(t, l, tp, r, b);
        ASSERT_GT(dots.size(), 20u) << t.utf8;
        const float* c = led_colour[t.colour];
        const int cr = (int)(c[0] * 255), cg = (int)(c[1] * 255), cb = (int)(c[2] * 255);
        int wrong_lit = 0, wrong_dark = 0;
        for (int y = tp; y <= b; y += 2)
            for (int x = l; x <= r; x += 2) {
                rgb8 p = s.pixel(x - 1, y - 1);   // a 2-pixel dot covers x-1..x, y-1..y
                bool is_colour = abs(p.r - cr) <= 12 && abs(p.g - cg) <= 12 && abs(p.b - cb) <= 12;
                if (dots.count({x, y})) wrong_lit += !is_colour;
                else wrong_dark += is_colour;
            }
        EXPECT_EQ(wrong_lit, 0) << t.utf8 << ": dots not lit in their colour";
        EXPECT_EQ(wrong_dark, 0) << t.utf8 << ": dots lit that the font leaves dark";
    }
    // The scrolling text is cut to its box: nothing of it right of the box.
    bool past_box = false;
    for (int y = 145 + 2 * 2; y < 145 + 2 * 26; y++)
        for (int x = 265 + 2 * 141 + 2; x < 265 + 2 * 200; x++) {
            rgb8 p = s.pixel(x, y);
            past_box |= p.r > 200 && p.g > 200 && p.b < 60;
        }
    EXPECT_FALSE(past_box);
}
