// The real program under Xvfb on the bundled demo layout: for every kind of
// item on the panel, its lit dots are on the screen where the renderer puts
// them, in the item's colour.
#include "e2e_helpers.h"
#include "app/startup.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "items/kinds.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "raster/gfx.h"
#include <map>
#include <memory>

namespace {

struct item_dots {
    int slot;
    uint8_t kind;
    int code;
    dot_box box;    // the dots it covers
    std::vector<gfx_event> dots;
};

// Load the same workspace in process and record the lit dots of every item
// of the units' numbering, each drawn alone where the designer's view at its
// start puts it.
std::vector<item_dots> expected_items(document& d, const std::string& dir)
{
    startup_paths(d, dir.c_str());
    fill_glyph_table();
    startup_documents(d, false, nullptr);
    dot_font_use_files(d.paths);
    dot_font_init();
    const view v;
    canvas_use_pitch(view_pitch(v));
    std::vector<item_dots> out;
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id, const item& unit) {
        gfx_recorder rec;
        gfx_use(&rec);
        item_draw_ctx ctx;
        ctx.doc = &d;
        ctx.x = view_x(v, unit.x);
        ctx.y = view_y(v, unit.y);
        ctx.pitch = view_pitch(v);
        ctx.now = read_clock();
        draw_item(unit, ctx);
        gfx_use(nullptr);
        // Paint the item's dots as the screen does (a 2-pixel dot covers
        // x-1..x, y-1..y; a later dot covers an earlier one, as a table's
        // merge markers erase grid dots) and expect the lit pixels.
        std::map<std::pair<int, int>, gfx_event> pixels;
        for (const gfx_event& e : rec.of_type(gfx_event::POINT)) {
            if (e.size != 2) continue;
            for (int dy = -1; dy <= 0; dy++)
                for (int dx = -1; dx <= 0; dx++) {
                    gfx_event px = e;
                    px.x[0] = e.x[0] + dx + 1;   // stored as the dot whose top-left pixel it is
                    px.y[0] = e.y[0] + dy + 1;
                    pixels[{(int)e.x[0] + dx, (int)e.y[0] + dy}] = px;
                }
        }
        item_dots it{unit.slot, unit.kind, unit.code, measure_item(d, unit), {}};
        for (const auto& kv : pixels)
            if (!(kv.second.r == 0 && kv.second.g == 0 && kv.second.b == 0)) it.dots.push_back(kv.second);
        out.push_back(it);
    });
    return out;
}

} // namespace

TEST(EndToEnd, EveryKindOfItemOfTheDemoIsLitInItsColour)
{
    e2e_session s("items");
    const std::string ws = std::string(LUMIKER_SOURCE_DIR) + "/workspace/";
    e2e_session::run("cp -r '" + ws + ".' '" + s.dir + "'");
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    s.grab();

    std::unique_ptr<document> doc(new document());
    std::vector<item_dots> items = expected_items(*doc, s.dir);
    std::map<uint8_t, int> kinds_checked;
    for (const item_dots& it : items) {
        // The seconds and minutes may tick between the two pictures.
        if (it.kind == KIND_VARIABLE && (it.code == 9 || it.code == 10)) continue;
        ASSERT_FALSE(it.dots.empty()) << "slot " << it.slot << " lights no dot";
        int wrong = 0;
        for (const gfx_event& e : it.dots) {
            rgb8 p = s.pixel((int)e.x[0] - 1, (int)e.y[0] - 1);   // a 2-pixel dot covers x-1..x
            bool ok = abs(p.r - (int)(e.r * 255)) <= 12 && abs(p.g - (int)(e.g * 255)) <= 12 &&
                      abs(p.b - (int)(e.b * 255)) <= 12;
            wrong += !ok;
        }
        EXPECT_EQ(wrong, 0) << "slot " << it.slot << " (kind " << (int)it.kind << ", code " << it.code << "): "
                            << wrong << " of " << it.dots.size() << " dots not lit in their colour";
        kinds_checked[it.kind]++;
    }
    // Every kind the demo holds was seen on the panel.
    for (uint8_t k : {KIND_BLOCK, KIND_LINE, KIND_CIRCLE, KIND_VLINE, KIND_RECT, KIND_TABLE, KIND_VARIABLE,
                      KIND_FILLED_RECT, KIND_FILLED_CIRCLE, KIND_VALVE})
        EXPECT_GT(kinds_checked[k], 0) << "no item of kind " << (int)k << " on the demo panel";

    // Left alone, the designer draws only when something changes, yet the
    // seconds field still moves on every second.
    const item_dots* seconds = nullptr;
    for (const item_dots& it : items)
        if (it.kind == KIND_VARIABLE && it.code == 10) seconds = &it;
    ASSERT_NE(seconds, nullptr) << "the demo shows a seconds field";
    const view v;
    const int p = view_pitch(v);
    const int left = v.panel_x + (int)seconds->box.x * p, top = v.panel_y + (int)seconds->box.y * p;
    auto field = [&] {
        s.grab();
        std::vector<int> px;
        for (int y = top - 2; y < top + (int)seconds->box.h * p + 2; y++)
            for (int x = left - 2; x < left + (int)seconds->box.w * p + 2; x++) px.push_back(s.pixel(x, y).r);
        return px;
    };
    const std::vector<int> before = field();
    usleep(1300000);
    EXPECT_NE(field(), before) << "the seconds field did not tick without input";
}
