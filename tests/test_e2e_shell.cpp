// The real program under Xvfb: its window, and the panel, grid, rulers and
// palette as pixels on the screen; a new workspace's first steps.
#include "e2e_helpers.h"
#include <stb_image.h>
#include <algorithm>
#include <ctime>
#include <vector>

TEST(EndToEnd, DesignerWindowShowsThePanelGridRulersAndPalette)
{
    e2e_session s("shell");
    s.write_file("SysCfg.ini", "[LEDPARA]\r\nWIDTH=512\r\nHEIGHT=128\r\nPROGRAMID=1\r\n");
    ASSERT_TRUE(s.start_x()) << "Xvfb did not start";
    ASSERT_TRUE(s.start_app()) << "the designer window did not appear";

    int w, h;
    s.client_size(w, h);
    // 2 x 512 + 300 wide; start-up resizes the client to 790 + 1 pixels high.
    EXPECT_EQ(w, 1324);
    EXPECT_EQ(h, 791);

    s.grab();
    // Panel: black inside the grid cells (pitch 2, grid every 8 pixels from x 265, y 145).
    for (int cx = 0; cx < 10; cx++) {
        rgb8 c = s.pixel(265 + 8 * cx + 4, 145 + 8 * 3 + 4);
        EXPECT_TRUE(c.r == 0 && c.g == 0 && c.b == 0) << "panel not black at cell " << cx;
    }
    // Dark-grey grid lines 4 dots apart, across the whole panel, and none past its right edge.
    EXPECT_TRUE(s.near_colour(265 + 8, 145 + 100, 1, 51, 51, 51));
    EXPECT_TRUE(s.near_colour(265 + 8 * 50, 145 + 200, 1, 51, 51, 51));
    EXPECT_TRUE(s.near_colour(265 + 300, 145 + 8 * 10, 1, 51, 51, 51));
    EXPECT_FALSE(s.near_colour(265 + 1024 + 10, 145 + 8 * 10, 1, 51, 51, 51));
    // White ruler ticks every 32 dots above the panel, and a white axis along its top.
    EXPECT_TRUE(s.near_colour(265 + 64, 145 - 8, 1, 255, 255, 255));
    EXPECT_TRUE(s.near_colour(265 + 128, 145 - 8, 1, 255, 255, 255));
    EXPECT_FALSE(s.near_colour(265 + 96, 145 - 8, 1, 255, 255, 255));
    EXPECT_TRUE(s.near_colour(265 + 500, 145, 1, 255, 255, 255));
    // The palette frame: white verticals at x 25, 85 and 225 below y 145.
    EXPECT_TRUE(s.near_colour(25, 145 + 400, 1, 255, 255, 255));
    EXPECT_TRUE(s.near_colour(85, 145 + 400, 1, 255, 255, 255));
    EXPECT_TRUE(s.near_colour(225, 145 + 400, 1, 255, 255, 255));
    EXPECT_TRUE(s.near_colour(150, 145 + 50, 1, 255, 255, 255));  // horizontal at 50
    // The save button's label is drawn in white near its base point (1130, 90).
    bool label = false;
    for (int y = 70; y <= 92 && !label; y++)
        for (int x = 1130; x < 1200 && !label; x++) {
            rgb8 c = s.pixel(x, y);
            label = c.r > 200 && c.g > 200 && c.b > 200;
        }
    EXPECT_TRUE(label);
}

TEST(EndToEnd, MissingSettingsStillOpenTheDefaultWindow)
{
    e2e_session s("nocfg");
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    int w, h;
    s.client_size(w, h);
    EXPECT_EQ(w, 1300);
    EXPECT_EQ(h, 791);
}

TEST(EndToEnd, NoScreenFontEndsWithAMessageAndAFailureStatus)
{
    e2e_session s("nofont");
    s.write_file("fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig><dir>/nonexistent</dir>"
                               "<cachedir>/tmp/lumiker-nofont-cache</cachedir></fontconfig>\n");
    ASSERT_TRUE(s.start_x());
    EXPECT_FALSE(s.start_app("FONTCONFIG_FILE", (s.dir + "fonts.conf").c_str()));
    std::ifstream f(s.dir + "stderr.txt");
    std::string msg((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_NE(msg.find("fonts-arphic-uming"), std::string::npos) << msg;
    EXPECT_EQ(s.exit_status, 1);
}

// The demo workspace: lumiker-script --png draws, without a display, the
// same pixels as the window's panel; the window's F1 lists the keys.
TEST(EndToEnd, PanelPictureMatchesTheWindowAndF1ListsTheKeys)
{
    e2e_session s("preview");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    const std::string png = s.dir + "panel.png", script = LUMIKER_SCRIPT_BINARY;
    auto preview = [&](const std::string& args) {
        std::string cmd = "env -u DISPLAY '" + script + "' --png '" + png + "' " + args + " '" + s.dir + "' 2>/dev/null";
        return system(cmd.c_str());
    };
    auto load = [&](int& w, int& h) {
        int n = 0;
        unsigned char* px = stbi_load(png.c_str(), &w, &h, &n, 3);
        std::vector<unsigned char> rgb(px, px ? px + (size_t)w * h * 3 : px);
        stbi_image_free(px);
        return rgb;
    };
    int w = 0, h = 0;

    // Pitch 1: one pixel per dot of the 384 x 128 panel.
    ASSERT_EQ(preview("--pitch 1"), 0);
    load(w, h);
    EXPECT_EQ(w, 384);
    EXPECT_EQ(h, 128);
    // A fixed time gives the same file twice, another time another file.
    ASSERT_EQ(preview("--time '2024-03-05 10:20:30'"), 0);
    std::string first = e2e_session::read(png);
    ASSERT_EQ(preview("--time '2024-03-05 10:20:30'"), 0);
    EXPECT_EQ(e2e_session::read(png), first);
    ASSERT_EQ(preview("--time '2024-03-05 11:21:31'"), 0);
    EXPECT_NE(e2e_session::read(png), first);

    // Pitch 2: the window's panel area, pixel for pixel. The clock fields run
    // in the window, so the grab is matched against pictures of the seconds
    // around it (a busy machine may show a second late).
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    bool same = false;
    int diff_box[4] = {};
    for (int attempt = 0; attempt < 3 && !same; attempt++) {
        const time_t grabbed = time(nullptr);
        s.grab();
        for (int back = -1; back <= 2 && !same; back++) {
            const time_t t = grabbed - back;
            char when[32];
            strftime(when, sizeof when, "--time '%Y-%m-%d %H:%M:%S'", localtime(&t));
            ASSERT_EQ(preview(when), 0);
            std::vector<unsigned char> pic = load(w, h);
            ASSERT_EQ(w, 768);
            ASSERT_EQ(h, 256);
            same = true;
            diff_box[0] = w, diff_box[1] = h, diff_box[2] = -1, diff_box[3] = -1;
            for (int i = 0; i < w * h; i++) {
                const rgb8 a = s.pixel(265 + i % w, 145 + i / w);
                if (a.r == pic[3 * i] && a.g == pic[3 * i + 1] && a.b == pic[3 * i + 2]) continue;
                same = false;
                const int x = i % w, y = i / w;
                diff_box[0] = std::min(diff_box[0], x), diff_box[1] = std::min(diff_box[1], y);
                diff_box[2] = std::max(diff_box[2], x), diff_box[3] = std::max(diff_box[3], y);
            }
        }
    }
    EXPECT_TRUE(same) << "the picture differs from the window's panel within x " << diff_box[0] << ".."
                      << diff_box[2] << ", y " << diff_box[1] << ".." << diff_box[3];

    // F1: a dark box with the key list over the panel; any key closes it.
    auto shows_box = [&](bool want) {
        for (int i = 0; i < 40; i++) {
            usleep(100000);
            s.grab();
            bool box = s.near_colour(1120, 373, 0, 20, 20, 31) && s.near_colour(240, 300, 1, 255, 255, 153);
            if (box == want) return true;
        }
        return false;
    };
    s.xdotool("mousemove --window " + std::to_string(s.win) + " 700 700 key F1");
    EXPECT_TRUE(shows_box(true));
    s.xdotool("key x");
    EXPECT_TRUE(shows_box(false));
}

// A new user's first steps: lumiker --new makes a workspace for the panel
// size asked and opens it, with the program's icon on the window; a line
// pulled onto the panel and saved is there when the workspace is opened again.
TEST(EndToEnd, ANewWorkspaceIsMadeOpenedSavedAndReopened)
{
    e2e_session s("new");
    const std::string ws = s.dir + "panels/hall/";
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app(nullptr, nullptr, {"--new", ws, "--size", "256x64"})) << e2e_session::read(s.dir + "stderr.txt");
    EXPECT_NE(e2e_session::read(ws + "SysCfg.ini").find("WIDTH=256\r\nHEIGHT=64\r\nPROGRAMID=1\r\n"), std::string::npos);
    EXPECT_EQ(e2e_session::read(ws + "ledsys/CMD1/cmd.txt"), "led clearall \r\nled clearall \r\n\r\n\r\n");

    // The window's icon: 64 x 64, the red LED of the "L" at its place.
    Atom type;
    int format;
    unsigned long n = 0, left = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(s.dpy, s.win, XInternAtom(s.dpy, "_NET_WM_ICON", 0), 0, 2 + 64 * 64, 0, AnyPropertyType,
                       &type, &format, &n, &left, &data);
    ASSERT_TRUE(data && n == 2 + 64 * 64) << "no icon on the window";
    const long* icon = (const long*)data;
    EXPECT_EQ(icon[0], 64);
    EXPECT_EQ(icon[1], 64);
    const unsigned long red_led = (unsigned long)icon[2 + 24 * 64 + 16];   // ARGB at (16, 24)
    EXPECT_GT((red_led >> 16) & 255, 200u);
    EXPECT_LT((red_led >> 8) & 255, 80u);
    XFree(data);

    // A line off the palette onto the panel, nothing selected, then "保存数据"
    // and "关闭窗口".
    const std::string win = "--window " + std::to_string(s.win) + " ";
    s.xdotool("mousemove " + win + "150 719 mousedown 1");
    for (int k = 1; k <= 3; k++) {
        usleep(100000);
        s.xdotool("mousemove " + win + std::to_string(150 + 152 * k / 3) + " " + std::to_string(719 - 519 * k / 3));
    }
    s.xdotool("mouseup 1");
    usleep(300000);
    s.xdotool("mousemove " + win + "600 300 click 1");
    usleep(300000);
    s.xdotool("mousemove " + win + "1160 84 click 1");
    usleep(400000);
    const std::string saved = e2e_session::read(ws + "ledsys/CMD1/cmd.txt");
    EXPECT_NE(saved.find("\r\nled l "), std::string::npos) << saved;
    EXPECT_NE(e2e_session::read(ws + "one_pic_effect.vsn").find("Programs"), std::string::npos);
    const std::vector<rgb8> before = panel_pixels(s);
    s.xdotool("mousemove " + win + "1250 84 click 1");
    EXPECT_EQ(s.wait_exit(5), 0);

    // A second --new on it changes nothing; opening it shows the same panel.
    EXPECT_NE(system(("env -u DISPLAY '" + s.dir + "lumiker' --new '" + ws + "' 2>/dev/null").c_str()), 0);
    EXPECT_EQ(e2e_session::read(ws + "ledsys/CMD1/cmd.txt"), saved);
    ASSERT_TRUE(s.start_app(nullptr, nullptr, {ws}));
    s.xdotool("mousemove " + win + "1160 84");
    usleep(300000);
    const std::vector<rgb8> after = panel_pixels(s);
    ASSERT_EQ(before.size(), after.size());
    int differ = 0, lit = 0;
    for (size_t i = 0; i < before.size(); i++) {
        differ += before[i].r != after[i].r || before[i].g != after[i].g || before[i].b != after[i].b;
        lit += after[i].r > 200 && after[i].g < 80;
    }
    EXPECT_EQ(differ, 0) << "the reopened panel differs";
    EXPECT_GT(lit, 10) << "no red line on the reopened panel";
}
