// The panel playing in the real designer: F7 on the demo plays it from the
// workspace's values file (a register variable shows its value, a switched
// text with register 0 goes dark), a click on the variable asks for its
// value and the number typed goes into the file and onto the panel; F7
// again shows the still design picture. The player shows the panel alone,
// one pixel a dot, as the picture at pitch 1 does. Then from a PLC played by pymodbus:
// its value shows, and when the server stops, the variable shows dashes and
// the status line turns red within three poll periods.
#include "e2e_helpers.h"
#include "modbus_helpers.h"
#include <memory>
#include <stb_image.h>
#include <string>
#include <vector>

namespace {

constexpr int PANEL_X = 265, PANEL_Y = 145, PITCH = 2;
// The demo's register variable (insmod 223: register 1, at dot 100, 42) and
// its 报警 text (register 6, at dot 160, 42), as window boxes.
constexpr int VAR_X = PANEL_X + 100 * PITCH, VAR_Y = PANEL_Y + 42 * PITCH, VAR_W = 80, VAR_H = 20;
constexpr int ALARM_X = PANEL_X + 160 * PITCH, ALARM_Y = PANEL_Y + 42 * PITCH, ALARM_W = 64, ALARM_H = 34;
constexpr int STATUS_Y0 = 4, STATUS_Y1 = 28;   // the status line's row

struct box_pixels {
    std::vector<rgb8> px;
    bool operator==(const box_pixels& o) const
    {
        if (px.size() != o.px.size()) return false;
        for (size_t i = 0; i < px.size(); i++)
            if (px[i].r != o.px[i].r || px[i].g != o.px[i].g || px[i].b != o.px[i].b) return false;
        return true;
    }
};

// The window's pixels of a box (after a grab).
box_pixels window_box(e2e_session& s, int x, int y, int w, int h)
{
    box_pixels b;
    for (int j = 0; j < h; j++)
        for (int i = 0; i < w; i++) b.px.push_back(s.pixel(x + i, y + j));
    return b;
}

// The same box of the panel picture lumiker-script draws with `args`.
box_pixels picture_box(e2e_session& s, const std::string& args, int x, int y, int w, int h)
{
    const std::string png = s.dir + "play.png";
    const std::string cmd = std::string("env -u DISPLAY '") + LUMIKER_SCRIPT_BINARY + "' --png '" + png + "' " + args +
                            " '" + s.dir + "' 2>/dev/null";
    box_pixels b;
    if (system(cmd.c_str()) != 0) {
        ADD_FAILURE() << "lumiker-script " << args << " drew no picture";
        return b;
    }
    int pw = 0, ph = 0, n = 0;
    unsigned char* p = stbi_load(png.c_str(), &pw, &ph, &n, 3);
    if (!p) ADD_FAILURE() << "the picture " << png << " cannot be read";
    for (int j = 0; j < h && p; j++)
        for (int i = 0; i < w; i++) {
            const unsigned char* q = p + ((size_t)(y - PANEL_Y + j) * pw + (x - PANEL_X + i)) * 3;
            b.px.push_back({q[0], q[1], q[2]});
        }
    stbi_image_free(p);
    return b;
}

bool red_in(const box_pixels& b)
{
    for (const rgb8& c : b.px)
        if (c.r > 200 && c.g < 80 && c.b < 80) return true;
    return false;
}

void key(e2e_session& s, const char* k)
{
    s.xdotool(std::string("key --window ") + std::to_string(s.win) + " " + k);
    usleep(400000);
}

} // namespace

TEST(EndToEnd, ThePanelPlaysFromTheValuesFileAndFromAPlcThatGoesAway)
{
    e2e_session s("play");
    e2e_session::run("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace/.' '" + s.dir + "'");
    s.write_file("sim_values.ini", "[registers]\n1=1234\n6=0\n");
    ASSERT_TRUE(s.start_x(1920, 1080));
    ASSERT_TRUE(s.start_app());
    s.grab();
    ASSERT_TRUE(red_in(window_box(s, ALARM_X, ALARM_Y, ALARM_W, ALARM_H))) << "报警 shows while designing";

    // F7: the variable shows the file's value as the panel picture does; 报警 goes dark.
    key(s, "F7");
    s.grab();
    EXPECT_TRUE(window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) ==
                picture_box(s, "--values '" + s.dir + "sim_values.ini'", VAR_X, VAR_Y, VAR_W, VAR_H));
    EXPECT_FALSE(window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) == picture_box(s, "", VAR_X, VAR_Y, VAR_W, VAR_H));
    EXPECT_FALSE(red_in(window_box(s, ALARM_X, ALARM_Y, ALARM_W, ALARM_H))) << "报警 shows with register 6 at 0";

    // A click on the variable asks for its value; it shows two decimals, so
    // 43.21 and Enter write 4321 into register 1.
    s.xdotool("mousemove --window " + std::to_string(s.win) + " " + std::to_string(VAR_X + 20) + " " +
              std::to_string(VAR_Y + 8) + " click 1");
    usleep(400000);
    key(s, "4 period 3 2 1 Return");
    EXPECT_NE(e2e_session::read(s.dir + "sim_values.ini").find("1=4321"), std::string::npos)
        << e2e_session::read(s.dir + "sim_values.ini");
    s.grab();
    EXPECT_TRUE(window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) ==
                picture_box(s, "--values '" + s.dir + "sim_values.ini'", VAR_X, VAR_Y, VAR_W, VAR_H));

    // F7 again: the still picture, 报警 and all.
    key(s, "F7");
    s.grab();
    EXPECT_TRUE(window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) == picture_box(s, "", VAR_X, VAR_Y, VAR_W, VAR_H));
    EXPECT_TRUE(red_in(window_box(s, ALARM_X, ALARM_Y, ALARM_W, ALARM_H)));
    s.stop_app();

    // The player: the panel's size in pixels, the variable as the picture at one pixel a dot has it.
    s.window_title = "lumiker player";
    ASSERT_TRUE(s.start_app(nullptr, nullptr, {"--play", "--at", "100,50", s.dir}));
    int w = 0, h = 0;
    s.client_size(w, h);
    EXPECT_EQ(w, 384);
    EXPECT_EQ(h, 128);
    s.grab();
    EXPECT_TRUE(window_box(s, 100, 42, 40, 10) ==
                picture_box(s, "--pitch 1 --values '" + s.dir + "sim_values.ini'", PANEL_X + 100, PANEL_Y + 42, 40, 10));
    s.stop_app();
    s.window_title = "lumiker";

    // From a PLC: register 1 holds 54321 there.
    ASSERT_EQ(system((std::string(PYTHON) + " -c 'import pymodbus' 2>/dev/null").c_str()), 0)
        << "python3-pymodbus is missing: run tools/install-deps.sh";
    const int port = loopback(0, false);
    ASSERT_NE(port, 0);
    s.write_file("sim_values.ini", "[modbus]\nhost=127.0.0.1\nport=" + std::to_string(port) + "\nperiod_ms=" +
                                       std::to_string(PERIOD_MS) + "\n");
    std::unique_ptr<server> plc(new server(port, "plc"));
    ASSERT_TRUE(plc->up());
    ASSERT_TRUE(s.start_app());
    key(s, "F7");
    const box_pixels from_plc = picture_box(s, "--modbus 127.0.0.1:" + std::to_string(port), VAR_X, VAR_Y, VAR_W, VAR_H);
    EXPECT_TRUE(within(3000, [&] {
        s.grab();
        return window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) == from_plc;
    })) << "the PLC's value does not show";
    // The server goes away: dashes, and the status line in red, within three periods (and a frame).
    plc.reset();
    s.write_file("unknown.ini", "[registers]\n");
    const box_pixels unknown = picture_box(s, "--values '" + s.dir + "unknown.ini'", VAR_X, VAR_Y, VAR_W, VAR_H);
    EXPECT_TRUE(within(3 * PERIOD_MS + 1500, [&] {
        s.grab();
        return window_box(s, VAR_X, VAR_Y, VAR_W, VAR_H) == unknown;
    })) << "no dashes once the PLC is gone";
    EXPECT_TRUE(within(1500, [&] {
        s.grab();
        int w = 0, h = 0;
        s.client_size(w, h);
        return red_in(window_box(s, 0, STATUS_Y0, w, STATUS_Y1 - STATUS_Y0));
    })) << "the status line does not say the PLC is gone";
}
