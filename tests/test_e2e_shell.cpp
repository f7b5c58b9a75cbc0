// The real program under Xvfb: its window, and the panel, grid, rulers and
// palette as pixels on the screen.
#include "e2e_helpers.h"

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
