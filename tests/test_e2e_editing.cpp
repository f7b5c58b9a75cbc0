// The real program under Xvfb driven by real mouse and key events: items are
// pulled off the palette, typed into, moved, resized, recoloured, grouped and
// aligned, one is deleted, the layout is saved, and the saved script brings
// the same panel back at the next start.
#include "app/frame.h"
#include "e2e_helpers.h"
#include <sstream>
#include <vector>

namespace {

void click(e2e_session& s, int x, int y)
{
    s.xdotool("mousemove --window " + std::to_string(s.win) + " " + std::to_string(x) + " " + std::to_string(y) +
              " click 1");
    usleep(250000);
}

void move(e2e_session& s, int x, int y)
{
    s.xdotool("mousemove --window " + std::to_string(s.win) + " " + std::to_string(x) + " " + std::to_string(y));
    usleep(200000);
}

// The window manager's close button: WM_DELETE_WINDOW sent to the window.
void wm_close(e2e_session& s)
{
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = s.win;
    e.xclient.message_type = XInternAtom(s.dpy, "WM_PROTOCOLS", 0);
    e.xclient.format = 32;
    e.xclient.data.l[0] = (long)XInternAtom(s.dpy, "WM_DELETE_WINDOW", 0);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(s.dpy, s.win, 0, NoEventMask, &e);
    XFlush(s.dpy);
    usleep(300000);
}

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> out;
    size_t i = 0;
    while (i <= text.size()) {
        size_t j = text.find("\r\n", i);
        if (j == std::string::npos) {
            if (i < text.size()) out.push_back(text.substr(i));
            break;
        }
        out.push_back(text.substr(i, j - i));
        i = j + 2;
    }
    return out;
}

} // namespace

TEST(EndToEnd, EditSaveAndReopenTheSameLayout)
{
    e2e_session s("editing");
    ASSERT_TRUE(start_small_panel(s));
    ASSERT_TRUE(s.start_app());

    // A line off the palette (grabbed 20, 4 from its corner) onto pixel (282, 196).
    // Items are dropped on the pixels the script reads dots back to (266 + 2c,
    // 146 + 2r), so the reopened panel matches pixel for pixel.
    drag(s, 150, 719, 302, 200);
    // A text off the palette (grabbed 15, 7 from its corner) onto (286, 254); type into it.
    drag(s, 150, 380, 301, 261);
    s.xdotool("type --delay 80 ab");
    usleep(200000);
    // Its colour one up (red to green), then two dots right with the arrow key.
    click(s, 615, 45);
    s.xdotool("key Right Right");
    usleep(200000);
    // The line: select it and make it two dots longer.
    click(s, 300, 199);
    click(s, 556, 45);
    click(s, 556, 45);
    // A rectangle off the palette, then wider by its right edge.
    drag(s, 170, 670, 415, 173);
    move(s, 455, 175);
    move(s, 460, 175);
    drag(s, 460, 175, 480, 175);
    // Nothing selected, then a rubber band around the line and the text, aligned left.
    click(s, 600, 300);
    drag(s, 270, 180, 380, 300);
    click(s, 215, 48);
    // Select the rectangle and delete it; deselect; save.
    click(s, 600, 300);
    click(s, 430, 172);
    click(s, 1060, 84);
    click(s, 600, 300);
    click(s, 1160, 84);

    const std::string cmd_path = s.dir + "ledsys/CMD1/cmd.txt";
    const std::string saved = e2e_session::read(cmd_path);
    std::vector<std::string> lines = lines_of(saved);
    ASSERT_EQ(lines.size(), 6u) << saved;
    EXPECT_EQ(lines[0], "led clearall ");
    EXPECT_EQ(lines[1], "led clearall ");
    // The text: size 12, green, moved two dots right of where it was dropped;
    // what was typed replaced its placeholder.
    EXPECT_EQ(lines[2], "led 12t 1 12 54 ab");
    // The line: aligned to the text's left edge, 27 dots long.
    EXPECT_EQ(lines[3], "led l 0 12 25 39 25 ");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "");
    EXPECT_NE(e2e_session::read(s.dir + "SysCfg.ini").find("Syc_Update=1"), std::string::npos);

    std::vector<rgb8> before = panel_pixels(s);
    // "关闭窗口" ends the program with status 0 and leaves the script as it was.
    click(s, 1250, 84);
    EXPECT_EQ(s.wait_exit(5), 0);
    EXPECT_EQ(e2e_session::read(cmd_path), saved);

    // The next start shows the same panel.
    ASSERT_TRUE(s.start_app());
    move(s, 1160, 84);
    std::vector<rgb8> after = panel_pixels(s);
    auto differ = [&](const std::vector<rgb8>& a) {
        EXPECT_EQ(before.size(), a.size());
        int n = 0;
        for (size_t i = 0; i < before.size() && i < a.size(); i++)
            n += before[i].r != a[i].r || before[i].g != a[i].g || before[i].b != a[i].b;
        return n;
    };
    EXPECT_EQ(differ(after), 0) << "pixels of the panel differ after reopening";
    int lit = 0;
    for (const rgb8& p : after) lit += p.r > 200 || p.g > 200;
    EXPECT_GT(lit, 100);

    // Zooming there and back (Ctrl+L twice; Ctrl+Q twice, Ctrl+A twice)
    // shows the panel exactly as the start did, and changes no file.
    s.xdotool("key ctrl+l ctrl+l");
    usleep(300000);
    EXPECT_EQ(differ(panel_pixels(s)), 0) << "the panel moved after Ctrl+L twice";
    s.xdotool("key ctrl+q ctrl+q ctrl+a ctrl+a");
    usleep(300000);
    EXPECT_EQ(differ(panel_pixels(s)), 0) << "the panel moved after zooming in and out";
    click(s, 1160, 84);
    EXPECT_EQ(e2e_session::read(cmd_path), saved);
}

TEST(EndToEnd, NothingIsLostWhenSavingWithTheKeyOrClosing)
{
    e2e_session s("closing");
    const std::string original = "led clearall \r\nled clearall \r\nled l 0 10 10 40 10 \r\n\r\n\r\n";
    const std::string cmd_path = s.dir + "ledsys/CMD1/cmd.txt";
    ASSERT_TRUE(start_small_panel(s, original));

    // Move the line 20 dots right and 10 down, then Ctrl+S: saved, and the end.
    ASSERT_TRUE(s.start_app());
    drag(s, 306, 168, 346, 188);
    s.xdotool("key ctrl+s");
    EXPECT_EQ(s.wait_exit(5), 0);
    const std::string moved = e2e_session::read(cmd_path);
    EXPECT_NE(moved.find("\r\nled l 0 30 20 60 20 \r\n"), std::string::npos) << moved;
    EXPECT_EQ(e2e_session::read(cmd_path + ".bak"), original);

    // Move it back and close (the window's close button, then "关闭窗口"): the
    // prompt stays until Esc, then close + Enter saves and ends.
    ASSERT_TRUE(s.start_app());
    drag(s, 346, 188, 306, 168);
    wm_close(s);
    EXPECT_EQ(s.wait_exit(1), -1);
    s.grab();
    EXPECT_TRUE(s.near_colour(430, 270, 2, 31, 31, 51));   // the prompt's box
    s.xdotool("key Escape");
    usleep(300000);
    EXPECT_EQ(s.wait_exit(1), -1);
    s.grab();
    EXPECT_FALSE(s.near_colour(430, 270, 2, 31, 31, 51));
    click(s, 1250, 84);
    s.xdotool("key Return");
    EXPECT_EQ(s.wait_exit(5), 0);
    EXPECT_EQ(e2e_session::read(cmd_path), original);

    // Nothing changed: "关闭窗口" ends at once.
    ASSERT_TRUE(s.start_app());
    click(s, 1250, 84);
    EXPECT_EQ(s.wait_exit(3), 0);

    // Without SysCfg.ini the designer opens, says why in red, and saves nothing.
    unlink((s.dir + "SysCfg.ini").c_str());
    ASSERT_TRUE(s.start_app());
    click(s, 1160, 84);
    s.grab();
    bool red = false;
    for (int x = 735; x < 900 && !red; x += 4) red = s.near_colour(x, STATUS_Y - 6, 6, 255, 89, 89);
    EXPECT_TRUE(red);
    EXPECT_EQ(e2e_session::read(cmd_path), original);
    click(s, 1250, 84);
    EXPECT_EQ(s.wait_exit(3), 0);
}

// Two items placed off the dot grid come to rest on it; a click on one and
// Shift+click on the other put both in a group, which is dragged by an odd number of pixels and lined up with
// "左对齐": the script keeps the aligned, whole-dot places the panel shows.
TEST(EndToEnd, ShiftClickGroupDragAlignAndSaveOnWholeDots)
{
    e2e_session s("group");
    ASSERT_TRUE(start_small_panel(s));
    ASSERT_TRUE(s.start_app());

    // A line (grabbed 20, 4 from its corner) dropped at (301, 227) rests at
    // dot (18, 41); a rectangle (grabbed 15, 13) dropped at (421, 181) at (78, 18).
    drag(s, 150, 719, 321, 231);
    drag(s, 170, 670, 436, 194);
    // The line is selected; Shift+click on the rectangle puts both in the group.
    const std::string w = "--window " + std::to_string(s.win) + " ";
    click(s, 320, 231);
    s.xdotool("mousemove " + w + "440 190 keydown shift click 1 keyup shift");
    usleep(250000);
    // The group follows the line 31 px right and 15 px down: 15.5 and 7.5
    // dots, so both rest one more half dot along.
    drag(s, 320, 231, 351, 246);
    click(s, 215, 48);     // "左对齐": the line lines up with the rectangle, which joined last
    click(s, 1160, 84);    // "保存数据"

    std::vector<std::string> lines = lines_of(e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt"));
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[2], "led l 0 94 49 119 49 ");
    EXPECT_EQ(lines[3].rfind("led r ", 0), 0u) << lines[3];
    EXPECT_NE(lines[3].find(" 94 26 124 41 "), std::string::npos) << lines[3];

    // The panel shows the dots the script holds: reopened from the script,
    // it is the same pixel for pixel (nothing selected in either).
    click(s, 600, 300);
    move(s, 600, 400);
    std::vector<rgb8> before = panel_pixels(s);
    click(s, 1250, 84);   // "关闭窗口"
    ASSERT_EQ(s.wait_exit(5), 0);
    ASSERT_TRUE(s.start_app());
    move(s, 600, 400);
    std::vector<rgb8> after = panel_pixels(s);
    ASSERT_EQ(before.size(), after.size());
    int differ = 0, lit = 0;
    for (size_t i = 0; i < before.size(); i++) {
        differ += before[i].r != after[i].r || before[i].g != after[i].g || before[i].b != after[i].b;
        lit += after[i].r > 200;
    }
    EXPECT_EQ(differ, 0) << "the panel differs from the one the saved script shows";
    EXPECT_GT(lit, 50);
}

// The demo layout: a group built with Shift and Ctrl clicks moves only its
// members (the date and clock keep their own places), a right click empties
// the whole group, F5 keeps adding items while the pointer moves, and every
// Ctrl+V pastes one more copy of the same item, register, picture and all.
// The saved script is the demo's, changed by exactly these edits.
TEST(EndToEnd, GroupsMoveOnlyTheirMembersAndCopiesAreTheSameItemElsewhere)
{
    e2e_session s("groups");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    const std::string w = "--window " + std::to_string(s.win) + " ";
    auto with = [&](const char* mod, int x, int y) {
        s.xdotool("mousemove " + w + std::to_string(x) + " " + std::to_string(y) + " keydown " + mod +
                  " click 1 keyup " + mod);
        usleep(250000);
    };
    auto keys = [&](const char* k) {
        s.xdotool(std::string("key ") + k);
        usleep(250000);
    };
    auto right_click = [&](int x, int y) {
        s.xdotool("mousemove " + w + std::to_string(x) + " " + std::to_string(y) + " click 3");
        usleep(250000);
    };

    // The circle, then Shift+click the filled circle and Ctrl+click the
    // rectangle: all three move 5 dots right and down together.
    click(s, 434, 276);
    with("shift", 486, 286);
    with("ctrl", 560, 290);
    drag(s, 486, 286, 496, 296);

    // 报警 and the circle in a group, a right click: nothing is left selected
    // for Delete.
    with("shift", 600, 240);
    with("shift", 444, 296);
    right_click(1000, 380);
    keys("Delete");

    // F5: the point block, the pointer wanders, the vertical line; the drag
    // takes both 2 dots right; F6 ends it.
    keys("F5");
    click(s, 273, 277);
    move(s, 700, 350);
    move(s, 900, 200);
    click(s, 396, 290);
    drag(s, 273, 277, 277, 277);
    keys("F6");

    // Copies: 报警 twice, the valve, the register variable.
    click(s, 600, 240);
    keys("ctrl+c ctrl+v ctrl+v");
    click(s, 880, 280);
    keys("ctrl+c ctrl+v");
    click(s, 480, 238);
    keys("ctrl+c ctrl+v");
    click(s, 1000, 380);
    EXPECT_EQ(s.title(), "lumiker *");   // unsaved work shows in the title
    click(s, 1160, 84);
    EXPECT_EQ(s.title(), "lumiker");

    std::string expected = e2e_session::read(std::string(LUMIKER_SOURCE_DIR) + "/workspace/ledsys/CMD1/cmd.txt");
    auto change = [&](const std::string& from, const std::string& to) {
        const size_t at = expected.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        expected.replace(at, from.size(), to);
    };
    const std::string alarm = "led 16t 0 160 42 5 \xb1\xa8\xbe\xaf\r\n";
    change(alarm, alarm + "led 16t 0 163 42 5 \xb1\xa8\xbe\xaf\r\nled 16t 0 165 42 5 \xb1\xa8\xbe\xaf\r\n");
    change("led c 4 84 70 8\r\n", "led c 4 89 75 8\r\n");
    change("led cf 2 110 70 8\r\n", "led cf 2 115 75 8\r\n");
    change("led r 3 140 62 180 90 \r\n", "led r 3 145 67 185 95 \r\n");
    change("led p_mutle 2 2 64 4\r\n", "led p_mutle 2 4 64 4\r\n");
    change("led l 5 64 62 64 90 \r\n", "led l 5 66 62 66 90 \r\n");
    change("led bmp 0 1 300 62 128 \r\n", "led bmp 0 1 300 62 128 \r\nled bmp 0 1 303 62 128 \r\n");
    change("insmod 223 800 led key 5 100 42 41 4 6 2 0 1\r\n",
           "insmod 223 800 led key 5 100 42 41 4 6 2 0 1\r\ninsmod 224 800 led key 5 103 42 41 4 6 2 0 1\r\n");
    EXPECT_EQ(e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt"), expected);
}

// On the demo, the date, the minute and second, and the weekday are dragged
// off the palette five times each: every drag places its items, the palette
// cells still show their samples, and the saved script holds them all.
TEST(EndToEnd, PaletteCellsOfferTheirItemsWhileTheirKindHasRoom)
{
    e2e_session s("palette");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    // Lit palette pixels inside a cell (the samples are red).
    auto lit_in = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) n += s.pixel(x, y).r > 200;
        return n;
    };
    struct cell {
        int x, y;       // where the press takes the sample
        int code;       // the component code of the first item it makes
        int box[4];     // the cell's samples
    };
    const cell cells[] = {{90, 172, 5, {75, 160, 255, 185}},     // the date, by its year
                          {140, 310, 9, {128, 296, 265, 322}},   // the minute and second
                          {130, 262, 16, {110, 246, 255, 278}}}; // the weekday
    s.grab();
    int before[3];
    for (int c = 0; c < 3; c++) before[c] = lit_in(cells[c].box[0], cells[c].box[1], cells[c].box[2], cells[c].box[3]);
    for (int c = 0; c < 3; c++)
        for (int k = 0; k < 5; k++) drag(s, cells[c].x, cells[c].y, 300 + 240 * c, 300 + 20 * k);
    s.grab();
    for (int c = 0; c < 3; c++) {
        const int after = lit_in(cells[c].box[0], cells[c].box[1], cells[c].box[2], cells[c].box[3]);
        EXPECT_GT(before[c], 50) << "cell " << c;
        EXPECT_GT(after, before[c] * 8 / 10) << "cell " << c << " is empty after the drags";
    }
    click(s, 1160, 84);

    // Each code now has five more lines: year, month and day; minute and second; weekday.
    const std::string saved = e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt");
    const std::string demo = e2e_session::read(std::string(LUMIKER_SOURCE_DIR) + "/workspace/ledsys/CMD1/cmd.txt");
    auto count_code = [](const std::string& script, int code) {
        int n = 0;
        std::istringstream in(script);
        for (std::string line; std::getline(in, line);) {
            std::istringstream f(line);
            std::string w[9];   // insmod NUMBER 800 led key COLOUR X Y CODE ...
            for (std::string& x : w) f >> x;
            n += w[0] == "insmod" && w[2] == "800" && w[8] == std::to_string(code);
        }
        return n;
    };
    for (int code : {5, 6, 7, 9, 10, 16})
        EXPECT_EQ(count_code(saved, code), count_code(demo, code) + 5) << "code " << code << "\n" << saved;
}
