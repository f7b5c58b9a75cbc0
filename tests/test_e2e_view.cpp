// The real program on a 1920 x 1080 screen with a panel larger than it: the
// window opens inside the screen with both command buttons in view, Ctrl+0
// shows the whole panel, the panel scrolls to its far end and an item
// dropped there is saved where the screen showed it, and the window's right
// edge resizes it without changing any file of the workspace.
#include "e2e_helpers.h"
#include <string>

namespace {

constexpr int SCREEN_W = 1920, SCREEN_H = 1080;
constexpr int AREA_X = 265, AREA_Y = 145, BAR = 14;   // the panel's area and a scroll bar
constexpr int BUTTON_Y = 84;                          // the command buttons' row
constexpr int SAVE_FROM_RIGHT = 140, CLOSE_FROM_RIGHT = 50;

void press_drag_release(e2e_session& s, int x0, int y0, int x1, int y1)
{
    const std::string w = "--window " + std::to_string(s.win) + " ";
    s.xdotool("mousemove " + w + std::to_string(x0) + " " + std::to_string(y0) + " mousedown 1");
    usleep(150000);
    for (int k = 1; k <= 4; k++) {
        s.xdotool("mousemove " + w + std::to_string(x0 + (x1 - x0) * k / 4) + " " + std::to_string(y0 + (y1 - y0) * k / 4));
        usleep(100000);
    }
    s.xdotool("mouseup 1");
    usleep(300000);
}

// A command button shows as its grey face at (x, BUTTON_Y).
bool button_at(e2e_session& s, int x) { return s.near_colour(x, BUTTON_Y, 3, 51, 51, 51); }

} // namespace

TEST(EndToEnd, ABigPanelFitsTheScreenPansZoomsToFitAndKeepsWhatIsDroppedWhereItShowed)
{
    e2e_session s("view");
    s.write_file("SysCfg.ini", "[LEDPARA]\r\nWIDTH=1024\r\nHEIGHT=512\r\nPROGRAMID=1\r\n");
    // A green line at the panel's far corner.
    s.write_file("ledsys/CMD1/cmd.txt", "led clearall \r\nled clearall \r\nled l 1 990 500 1010 500 \r\n\r\n\r\n");
    ASSERT_TRUE(s.start_x(SCREEN_W, SCREEN_H));
    ASSERT_TRUE(s.start_app());

    // Inside the screen, both command buttons in view at its right edge.
    int w = 0, h = 0;
    s.client_size(w, h);
    EXPECT_LE(w, SCREEN_W);
    EXPECT_LE(h, SCREEN_H);
    EXPECT_GE(w, 1300);
    s.grab();
    EXPECT_TRUE(button_at(s, w - SAVE_FROM_RIGHT)) << "保存数据 not in view";
    EXPECT_TRUE(button_at(s, w - CLOSE_FROM_RIGHT)) << "关闭窗口 not in view";

    // Ctrl+0: the largest pitch the whole panel fits (1 here): the far line shows.
    s.xdotool("key ctrl+0");
    usleep(400000);
    s.grab();
    EXPECT_TRUE(s.near_colour(AREA_X + 1000 + 1, AREA_Y + 500 + 1, 1, 0, 255, 0)) << "the far corner is not in view";

    // Back to two pixels a dot, then the wheel with Shift to the far right and
    // the wheel down to the bottom: the line shows at its place there.
    s.xdotool("key ctrl+q");
    usleep(300000);
    s.xdotool("mousemove --window " + std::to_string(s.win) + " 900 500");
    s.xdotool("keydown shift click --repeat 60 --delay 10 5 keyup shift");
    s.xdotool("click --repeat 40 --delay 10 5");
    usleep(400000);
    const int area_w = w - AREA_X - BAR, area_h = h - AREA_Y - BAR;
    const int panel_x = AREA_X - (1024 * 2 + 24 - area_w), panel_y = AREA_Y - (512 * 2 + 24 - area_h);
    s.grab();
    EXPECT_TRUE(s.near_colour(panel_x + 995 * 2 + 1, panel_y + 500 * 2 + 1, 1, 0, 255, 0)) << "not scrolled to the end";

    // A rectangle off the palette (its corner at 155, 657; grabbed 15, 13 in)
    // dropped near the far corner: saved at the dots the screen showed.
    const int drop_x = panel_x + 900 * 2 + 1 + 15, drop_y = panel_y + 470 * 2 + 1 + 13;
    press_drag_release(s, 170, 670, drop_x, drop_y);
    s.xdotool("key ctrl+s");
    EXPECT_EQ(s.wait_exit(5), 0);
    const std::string script = e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt");
    EXPECT_NE(script.find("led r 0 900 470 930 485 "), std::string::npos) << script;

    // The right edge (no window manager here: the window's own handle) makes
    // it 200 pixels narrower; the buttons follow the edge; no file changes.
    const std::string cfg = e2e_session::read(s.dir + "SysCfg.ini");
    ASSERT_TRUE(s.start_app());
    press_drag_release(s, w - 2, 500, w - 202, 500);
    usleep(300000);
    int w2 = 0, h2 = 0;
    s.client_size(w2, h2);
    EXPECT_EQ(w2, w - 200);
    s.grab();
    EXPECT_TRUE(button_at(s, w2 - CLOSE_FROM_RIGHT)) << "关闭窗口 did not follow the edge";
    s.stop_app();
    EXPECT_EQ(e2e_session::read(s.dir + "SysCfg.ini"), cfg);
    EXPECT_EQ(e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt"), script);
}
