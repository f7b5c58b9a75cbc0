// Frames whose unchanged items come from the item layers look exactly like
// frames that draw every item: the demo and a full layout at pitches 1 to 4,
// with one item selected, while it is dragged and while the clock ticks
// into a new year, with a group, after a pan and after a zoom.
// Real OpenGL in a window on a private X server; pixels read before the swap.
#include "e2e_helpers.h"
#include "frame_helpers.h"
#include "full_layout.h"
#include "app/frame.h"
#include "app/startup.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "items/item_layers.h"
#include "raster/dot_font.h"
#include "platform/window.h"
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int VIEW_W = 1324, VIEW_H = 790;

// The clock ticks into a new year: every field changes, and the month's
// first digit, unlit in 12, lights in 01.
const local_time year_end{2026, 12, 31, 23, 59, 59, 4}, year_start{2027, 1, 1, 0, 0, 0, 5};
local_time shown_time = year_end;
local_time test_clock() { return shown_time; }

// Draw one frame, read it, and show it as the program does.
std::vector<uint8_t> frame(designer& g, bool layered)
{
    g.layers.retained = layered;
    frame_routine(g);
    std::vector<uint8_t> px((size_t)VIEW_W * VIEW_H * 3);
    EXPECT_TRUE(gfx_read_pixels(-1, 0, 0, VIEW_W, VIEW_H, px.data()));
    gfx_flush();
    window_swap();
    return px;
}

int differing_pixels(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    int n = 0;
    for (size_t i = 0; i + 2 < a.size(); i += 3) n += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    return n;
}

// The demo's first item of the units' numbering on the panel, or NO_ITEM.
item_id first_unit_on_panel(const document& d)
{
    item_id found = NO_ITEM;
    pool_walk(d.items, ITEM_TABLE_UNITS, [&](item_id id, const item& it) {
        if (found == NO_ITEM && doc_on_panel(d, it.x, it.y)) found = id;
    });
    return found;
}

} // namespace

TEST(ItemLayers, FramesMatchDirectDrawingPixelForPixel)
{
    e2e_session s("layers");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    ASSERT_TRUE(s.start_x(1600, 1000));
    setenv("DISPLAY", s.display.c_str(), 1);
    std::unique_ptr<designer> owner(new designer());
    designer& g = *owner;
    ASSERT_TRUE(startup_paths(g.doc, s.dir.c_str()));
    fill_glyph_table();
    dot_font_use_files(g.doc.paths);
    dot_font_init();
    std::string why;
    ASSERT_TRUE(window_open("lumiker layers", 0, 0, VIEW_W, VIEW_H, false, why)) << why;
    // Close the window before the X server goes, or Xlib ends the process.
    struct window_guard {
        ~window_guard() { window_close(); }
    } guard;
    gfx_use(nullptr);
    gfx_init_state();
    need_screen_fonts();
    gfx_final_state();
    on_reshape(g, VIEW_W, VIEW_H);
    set_clock_source(test_clock);
    g.ui.rows[ROW_COMMAND].hover = SAVE_SLOT;  // a hovered button: grey 0.5 lies halfway between two bytes

    // The first layered frames find out whether the window keeps its back
    // buffer; this X server's does, so the frames below mend only what changed.
    startup_documents(g.doc, false, nullptr);
    for (int i = 0; i < 3; i++) frame(g, true);
    EXPECT_TRUE(item_layers_back_kept(g.layers));

    for (int layout = 0; layout < 2; layout++)
        for (int pitch = 1; pitch <= 4; pitch++) {
            SCOPED_TRACE((layout ? "full layout, pitch " : "demo, pitch ") + std::to_string(pitch));
            if (layout == 0) startup_documents(g.doc, false, nullptr);
            else make_full_layout(g.doc);
            g.v.pitch = pitch;
            // The demo's first item on the panel selected; in the full layout a text amid the others.
            g.ui.current = layout == 1 ? pool_at_slot(g.doc.items, ITEM_TABLE_TEXTS, 215) : first_unit_on_panel(g.doc);
            ASSERT_NE(g.ui.current, NO_ITEM);
            int32_t& moved = doc_item(g.doc, g.ui.current)->x;

            // Drawn directly: as loaded, after a drag of one dot, a second later.
            std::vector<uint8_t> direct[3];
            direct[0] = frame(g, false);
            moved += 1;
            direct[1] = frame(g, false);
            shown_time = year_start;
            direct[2] = frame(g, false);
            moved -= 1;
            shown_time = year_end;
            ASSERT_NE(differing_pixels(direct[0], direct[1]), 0) << "the drag shows";

            // The same through the layers, made once and then mended frame by frame.
            item_layers_reset(g.layers);
            const unsigned builds = g.layers.builds;
            EXPECT_EQ(differing_pixels(frame(g, true), direct[0]), 0);
            moved += 1;
            EXPECT_EQ(differing_pixels(frame(g, true), direct[1]), 0);
            shown_time = year_start;
            EXPECT_EQ(differing_pixels(frame(g, true), direct[2]), 0);
            shown_time = year_end;
            EXPECT_EQ(g.layers.builds - builds, 1u) << "dragging and the clock keep the layers";

            // A group drawn live with the current item, then a pan and a
            // zoom at a pointer: the layers still give the direct frame.
            item_id other = NO_ITEM;
            pool_walk(g.doc.items, ITEM_TABLE_TEXTS, [&](item_id id, const item&) { other = other == NO_ITEM ? id : other; });
            ASSERT_NE(other, NO_ITEM);
            g.ui.group.set(other);
            g.ui.group.set(g.ui.current);
            EXPECT_EQ(differing_pixels(frame(g, true), frame(g, false)), 0) << "a group";
            EXPECT_EQ(g.layers.builds - builds, 1u) << "a new group keeps the layers";
            g.ui.group.reset();
            const unsigned pans = g.layers.pans;
            const int64_t scrolled = g.v.scroll_x;
            view_scroll_by(g.v, 3 * pitch, 2 * pitch);
            EXPECT_EQ(differing_pixels(frame(g, true), frame(g, false)), 0) << "a pan";
            if (g.v.scroll_x != scrolled) {
                EXPECT_EQ(g.layers.pans - pans, 1u) << "a pan is painted without making the layers again";
            }
            view_zoom_at(g.v, pitch + 1, 700, 300);
            EXPECT_EQ(differing_pixels(frame(g, true), frame(g, false)), 0) << "a zoom";
            g.v.scroll_x = g.v.scroll_y = 0;
        }
    set_clock_source(nullptr);
}
