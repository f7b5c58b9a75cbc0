// Shared by the pointer, key and editing tests: a document on a panel with
// no items, a view at the designer's start, the interaction at its start
// values, no window, and short ways to place items, press, drag and hover.
#pragma once
#include "edit/hit_test.h"
#include "edit/interaction.h"
#include "edit/pointer.h"
#include "items/palette.h"
#include "platform/screen.h"
#include "platform/window.h"
#include <gtest/gtest.h>
#include <cstring>
#include <memory>

// Exit status the close button asked for (-1: none), kept by the test hook.
inline int& asked_exit()
{
    static int status = -1;
    return status;
}

inline void note_exit(int status) { asked_exit() = status; }

// Client 1300 x 500 in an outer frame of 1316 x 540.
constexpr int TEST_WINDOW_W = 1316, TEST_WINDOW_H = 540;
constexpr int TEST_PANEL_W = 384, TEST_PANEL_H = 128;

// A document, view and interaction of their own, and the editor over them.
struct test_editor {
    std::unique_ptr<document> doc{new document()};
    view v;
    std::unique_ptr<interaction> ui{new interaction()};
    editor e{*doc, v, *ui};

    explicit test_editor(int panel_w = TEST_PANEL_W, int panel_h = TEST_PANEL_H) { set_panel(panel_w, panel_h); }

    void set_panel(int w, int h)
    {
        doc->settings.width_text = std::to_string(w);
        doc->settings.height_text = std::to_string(h);
        doc->settings.panel_w = w;
        doc->settings.panel_h = h;
        lay_out();
    }
    // The view laid out for the window and the panel, as the designer does after each event.
    void lay_out(int window_w = TEST_WINDOW_W - 16, int window_h = TEST_WINDOW_H - 40)
    {
        v.window_w = window_w;
        v.window_h = window_h;
        content_box c;
        c.x1 = doc->settings.panel_w;
        c.y1 = doc->settings.panel_h;
        view_layout(v, c);
    }
    // A new item made from `it` (its slot is chosen as a new item's is).
    item_id add(const item& it)
    {
        item_id id = NO_ITEM;
        item copy = it;
        copy.slot = NO_SLOT;
        const outcome o = doc_create(*doc, copy, id);
        EXPECT_TRUE(o.ok) << o.why;
        return id;
    }
    item& at(item_id id) { return *doc_item(*doc, id); }
    // The item a palette sample makes, at dot (x, y).
    static item sample(int sample_id, int64_t x, int64_t y)
    {
        item it = palette_sample_of(sample_id).sample;
        it.x = (int32_t)x;
        it.y = (int32_t)y;
        return it;
    }
    // A text at dot (x, y).
    item_id add_text(int64_t x, int64_t y, const char* gbk, int font = 16, int colour = 1)
    {
        item it = sample(SAMPLE_TEXT, x, y);
        snprintf(it.text, TEXT_LEN, "%s", gbk);
        it.font_size = (uint8_t)font;
        it.color = (uint8_t)colour;
        return add(it);
    }
    // A w x h rectangle at dot (x, y).
    item_id add_rect(int64_t x, int64_t y, int w, int h)
    {
        item it = sample(SAMPLE_RECT, x, y);
        it.w = w;
        it.h = h;
        return add(it);
    }
    // A 4 x 3 table of 10 x 5 dot cells at dot (x, y).
    item_id add_table(int64_t x, int64_t y)
    {
        item it = sample(SAMPLE_TABLE, x, y);
        it.grid.cols = 4;
        it.grid.rows = 3;
        for (int c = 0; c < TABLE_MAX; c++) it.grid.col_w[c] = 10;
        for (int r = 0; r < TABLE_MAX; r++) it.grid.row_h[r] = 5;
        it.w = 40;
        it.h = 15;
        return add(it);
    }
    // Window pixel of a dot's item corner.
    int px(int64_t dot_x) const { return view_x(v, dot_x); }
    int py(int64_t dot_y) const { return view_y(v, dot_y); }
};

struct PointerTest : ::testing::Test, test_editor {
    void (*saved_exit)(int) = nullptr;

    void SetUp() override
    {
        ui->window_w = TEST_WINDOW_W;
        ui->window_h = TEST_WINDOW_H;
        lay_out();
        clear_screen_log();
        saved_exit = program_exit;
        program_exit = note_exit;
        asked_exit() = -1;
        input_modifiers = 0;
    }
    void TearDown() override { program_exit = saved_exit; }

    // The pointer moves there without a button, then the left button goes down.
    void press(int x, int y)
    {
        on_passive_motion(e, x, y);
        on_mouse(e, 0, 0, x, y);
    }
    // The left button goes down at (x, y) without a move before.
    void press_only(int x, int y) { on_mouse(e, 0, 0, x, y); }
    void release(int x, int y) { on_mouse(e, 0, 1, x, y); }
    void drag(int x, int y) { on_motion(e, x, y); }
    void click(int x, int y)
    {
        press(x, y);
        release(x, y);
    }
    // Centre of a tool button's rectangle (drawn at UI_PITCH whatever the zoom).
    void centre_of(const button& b, int& x, int& y) const
    {
        const int p = UI_PITCH;
        x = b.x + (b.w - 2) * p / 2;
        y = b.y + ((b.h / 4 + 2) * p - b.h * p) / 2;
    }
};
