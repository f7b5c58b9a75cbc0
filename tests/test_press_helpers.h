// Shared by the pointer tests: a fresh default layout, the interaction state
// at its start values, no window, and short ways to press, drag and hover.
#pragma once
#include "edit/hit_test.h"
#include "edit/pointer.h"
#include "edit/state.h"
#include "model/button_rows.h"
#include "model/default_layout.h"
#include "model/settings.h"
#include "model/tables.h"
#include "platform/screen.h"
#include "platform/window.h"
#include <gtest/gtest.h>

// Exit status the close button asked for (-1: none), kept by the test hook.
inline int& asked_exit()
{
    static int status = -1;
    return status;
}

inline void note_exit(int status) { asked_exit() = status; }

// Client 1300 x 500 in an outer frame of 1316 x 540.
constexpr int TEST_WINDOW_W = 1316, TEST_WINDOW_H = 540;

struct PointerTest : ::testing::Test {
    void (*saved_exit)(int) = nullptr;

    void SetUp() override
    {
        led_pitch = 2;
        reset_item_tables();
        default_layout();
        reset_interaction_state();
        window_size[0] = TEST_WINDOW_W;
        window_size[1] = TEST_WINDOW_H;
        rubber_band = graph_draw();
        clear_screen_log();
        saved_exit = program_exit;
        program_exit = note_exit;
        asked_exit() = -1;
        input_modifiers = 0;
    }
    void TearDown() override
    {
        program_exit = saved_exit;
        reset_item_tables();
        reset_interaction_state();
        rubber_band = graph_draw();
        led_pitch = 2;
    }

    // The pointer moves there without a button, then the left button goes down.
    static void press(int x, int y)
    {
        on_passive_motion(x, y);
        on_mouse(0, 0, x, y);
    }
    // The left button goes down at (x, y) without a move before (pointer_pos stays).
    static void press_only(int x, int y) { on_mouse(0, 0, x, y); }
    static void release(int x, int y) { on_mouse(0, 1, x, y); }
    static void drag(int x, int y) { on_motion(x, y); }
    static void click(int x, int y)
    {
        press(x, y);
        release(x, y);
    }

    // Show Digit_unit i as `kind` with the rectangle x, y, w, h.
    static Digit_unit& put_unit(int i, uint8_t kind, int x, int y, int w, int h)
    {
        Digit_unit& d = digit_table[i];
        d.visible = 1;
        d.kind = kind;
        d.x = x; d.y = y; d.width = w; d.height = h;
        return d;
    }
    // Show text i with its box at x, y, w, h.
    static string_draw& put_text(int i, int x, int y, int w, int h)
    {
        string_draw& s = string_table[i];
        s.visible = 1;
        s.x = x; s.y = y; s.box_width = w; s.box_height = h;
        return s;
    }
    // A 4 x 3 table of 20 x 10 px cells at (x, y).
    static Digit_unit& put_table(int i, int x, int y)
    {
        Digit_unit& t = put_unit(i, KIND_TABLE, x, y, 80, 30);
        t.cols = 4;
        t.rows = 3;
        for (int c = 0; c < TABLE_MAX; c++) t.col_width[c] = 20;
        for (int r = 0; r < TABLE_MAX; r++) t.row_height[r] = 10;
        return t;
    }
    // Centre of a tool button's rectangle.
    static void centre_of(const menu_unit& b, int& x, int& y)
    {
        const int p = led_pitch;
        x = b.x + (b.w - 2) * p / 2;
        y = b.y + ((b.h / 4 + 2) * p - b.h * p) / 2;
    }
};
