// Frames whose unchanged items come from the item layers look exactly like
// frames that draw every item: the demo and a full layout at pitches 1 to 4,
// with one item selected, while it is dragged and while the clock ticks
// into a new year.
// Real OpenGL in a window on a private X server; pixels read before the swap.
#include "e2e_helpers.h"
#include "frame_helpers.h"
#include "full_layout.h"
#include "app/frame.h"
#include "app/startup.h"
#include "edit/state.h"
#include "items/calendar.h"
#include "items/digits.h"
#include "items/item_layers.h"
#include "model/button_rows.h"
#include "model/default_layout.h"
#include "model/tables.h"
#include "platform/gbk.h"
#include "raster/canvas.h"
#include "raster/dot_font.h"
#include "platform/window.h"
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
std::vector<uint8_t> frame(bool layered)
{
    retained_drawing = layered;
    frame_routine();
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

// Every record of both tables live on a 512 x 128 panel, overlapping.
void full_layout() { make_full_layout(); }

} // namespace

TEST(ItemLayers, FramesMatchDirectDrawingPixelForPixel)
{
    e2e_session s("layers");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    ASSERT_TRUE(s.start_x(1600, 1000));
    setenv("DISPLAY", s.display.c_str(), 1);
    startup_paths(s.dir.c_str());
    fill_glyph_table();
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
    on_reshape(VIEW_W, VIEW_H);
    layout_button_rows();
    set_clock_source(test_clock);
    row_hover[ROW_COMMAND] = 2;  // a hovered button: grey 0.5 lies halfway between two bytes

    // The first layered frames find out whether the window keeps its back
    // buffer; this X server's does, so the frames below mend only what changed.
    startup_documents();
    for (int i = 0; i < 3; i++) frame(true);
    EXPECT_TRUE(item_layers_back_kept());

    for (int layout = 0; layout < 2; layout++)
        for (int pitch = 1; pitch <= 4; pitch++) {
            SCOPED_TRACE((layout ? "full layout, pitch " : "demo, pitch ") + std::to_string(pitch));
            if (layout == 0) startup_documents();
            else full_layout();
            led_pitch = (uint8_t)pitch;
            // The demo's first panel record selected; in the full layout a text amid the others.
            current_unit = DIGIT_COUNT;
            current_string = STRING_COUNT;
            int32_t* moved = nullptr;
            if (layout == 1) {
                current_string = 215;
                moved = &string_table[215].x;
            } else {
                for (int i = 0; i < DIGIT_COUNT && !moved; i++)
                    if (digit_table[i].visible && digit_table[i].x > PANEL_X && digit_table[i].y > PANEL_Y) {
                        current_unit = i;
                        moved = &digit_table[i].x;
                    }
            }
            ASSERT_NE(moved, nullptr);

            // Drawn directly: as loaded, after a drag of one dot, a second later.
            // (The first frame at a new pitch places unit words by the old extents.)
            frame(false);
            std::vector<uint8_t> direct[3];
            direct[0] = frame(false);
            *moved += pitch;
            direct[1] = frame(false);
            shown_time = year_start;
            direct[2] = frame(false);
            *moved -= pitch;
            shown_time = year_end;
            ASSERT_NE(differing_pixels(direct[0], direct[1]), 0) << "the drag shows";

            // The same through the layers, made once and then mended frame by frame.
            item_layers_reset();
            const unsigned builds = item_layer_builds;
            EXPECT_EQ(differing_pixels(frame(true), direct[0]), 0);
            *moved += pitch;
            EXPECT_EQ(differing_pixels(frame(true), direct[1]), 0);
            shown_time = year_start;
            EXPECT_EQ(differing_pixels(frame(true), direct[2]), 0);
            shown_time = year_end;
            EXPECT_EQ(item_layer_builds - builds, 1u) << "dragging and the clock keep the layers";
        }
    set_clock_source(nullptr);
    row_hover[ROW_COMMAND] = NO_BUTTON;
    retained_drawing = true;
}
