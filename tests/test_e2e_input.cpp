// The real program under Xvfb: Chinese typed through the keyboard (replacing
// a new text's placeholder), text pasted from the clipboard and copied back
// to it, every change undone and redone with the keys, backslashes typed and
// pasted, Delete at the caret, and a box that narrows with its text, checked
// in the saved script and on the screen.
#include "e2e_helpers.h"
#include <sstream>
#include <vector>

namespace {

void pointer(e2e_session& s, const std::string& what)
{
    s.xdotool("mousemove --window " + std::to_string(s.win) + " " + what);
    usleep(250000);
}

// "保存数据", then the text line of the saved script ("" when there is none).
std::string save_and_read_text_line(e2e_session& s)
{
    pointer(s, "1160 84 click 1");
    const std::string saved = e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt");
    size_t at = saved.find("led 12t ");
    if (at == std::string::npos) return "";
    return saved.substr(at, saved.find("\r\n", at) - at);
}

bool same(const std::vector<rgb8>& a, const std::vector<rgb8>& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b) return false;
    return true;
}

} // namespace

TEST(EndToEnd, ChineseTypedPastedCopiedUndoneAndRedone)
{
    e2e_session s("input");
    ASSERT_TRUE(start_small_panel(s));
    ASSERT_TRUE(s.start_app());
    const std::vector<rgb8> empty_panel = panel_pixels(s);

    // A text off the palette; 中文 typed as keys (xdotool maps each character to a
    // spare key code, so it needs time between the characters).
    pointer(s, "150 380 mousedown 1");
    pointer(s, "220 320");
    pointer(s, "301 261 mouseup 1");
    s.xdotool("type --delay 300 中文");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xD6\xD0\xCE\xC4");
    const std::vector<rgb8> typed_panel = panel_pixels(s);
    EXPECT_FALSE(same(typed_panel, empty_panel));

    // 欢迎 from the clipboard.
    e2e_session::run("printf '欢迎' | DISPLAY=" + s.display + " xclip -selection clipboard >/dev/null 2>&1");
    usleep(300000);
    s.xdotool("key ctrl+v");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xD6\xD0\xCE\xC4\xBB\xB6\xD3\xAD");

    // Ctrl+Shift+C puts the whole text on the clipboard as UTF-8.
    s.xdotool("key ctrl+shift+c");
    usleep(300000);
    const std::string clip = s.dir + "clip.txt";
    e2e_session::run("DISPLAY=" + s.display + " timeout 5 xclip -o -selection clipboard > '" + clip + "' 2>/dev/null");
    EXPECT_EQ(e2e_session::read(clip), "中文欢迎");

    // Undo the paste, the typing, the placement: the panel is empty again, as it was.
    s.xdotool("key ctrl+z");
    usleep(200000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xD6\xD0\xCE\xC4");
    s.xdotool("key ctrl+z");
    usleep(200000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt");
    s.xdotool("key ctrl+z");
    usleep(200000);
    EXPECT_EQ(save_and_read_text_line(s), "");
    pointer(s, "600 20");
    EXPECT_TRUE(same(panel_pixels(s), empty_panel)) << "the panel differs from the one loaded";

    // Redo brings the text back, typing and all.
    s.xdotool("key ctrl+y ctrl+shift+z");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xD6\xD0\xCE\xC4");

    // A backslash and 2 make the green code; any other backslash stays a
    // backslash, kept as \C\, typed or pasted (a pasted one even before a digit).
    pointer(s, "301 261 click 1");
    s.xdotool("key End");
    s.xdotool("type --delay 300 '\\2xa\\中b\\'");
    usleep(300000);
    e2e_session::run("printf '%s' 'C:\\1t' | DISPLAY=" + s.display + " xclip -selection clipboard >/dev/null 2>&1");
    usleep(300000);
    s.xdotool("key ctrl+v");
    usleep(300000);
    // Home and Delete take the first character; the item stays.
    s.xdotool("key Home Delete End");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xCE\xC4\\C2xa\\C\\\xD6\xD0" "b\\C\\C:\\C\\1t");

    // Thirty letters typed and taken back: the box narrows with them, as
    // Ctrl+B (scrolling, the box kept as it stands) shows: 2 + 1 + 1 + 1 + 2 + 1
    // + 1 + 1 + 1 + 1 + 1 + 1 = 14 half-width characters of 6 dots, 14 high.
    s.xdotool("type --delay 40 mmmmmmmmmmmmmmmmmmmmmmmmmmmmmm");
    for (int i = 0; i < 30; i++) s.xdotool("key BackSpace");
    s.xdotool("key ctrl+b");
    usleep(300000);
    pointer(s, "1160 84 click 1");
    const std::string saved = e2e_session::read(s.dir + "ledsys/CMD1/cmd.txt");
    EXPECT_NE(saved.find("led 12st 0 10 54 84 14 "), std::string::npos) << saved;
}

// An input method: IBus with a table engine on the private display. The keys
// k h k make the engine show 中 as its composition, which the designer draws
// at the caret and never stores; Space commits it.
TEST(EndToEnd, AnInputMethodsCompositionIsShownAndItsCommitTyped)
{
    if (system("command -v ibus-daemon >/dev/null && command -v dbus-launch >/dev/null && "
               "[ -f /usr/share/ibus-table/tables/wubi-jidian86.db ]") != 0)
        GTEST_SKIP() << "IBus with its table engine is not installed (tools/install-deps.sh installs it)";
    e2e_session s("ime");
    ASSERT_TRUE(start_small_panel(s));

    // A session bus of our own, and the input method on it.
    const std::string bus_file = s.dir + "bus.txt";
    e2e_session::run("dbus-launch --sh-syntax > '" + bus_file + "' 2>/dev/null");
    const std::string bus = e2e_session::read(bus_file);
    auto value_of = [&](const std::string& key) {
        size_t at = bus.find(key + "='");
        if (at == std::string::npos) at = bus.find(key + "=");
        if (at == std::string::npos) return std::string();
        at = bus.find('=', at) + 1;
        if (bus[at] == '\'') at++;
        return bus.substr(at, bus.find_first_of("';\n", at) - at);
    };
    const std::string address = value_of("DBUS_SESSION_BUS_ADDRESS"), bus_pid = value_of("DBUS_SESSION_BUS_PID");
    ASSERT_FALSE(address.empty());
    const std::string env = "DISPLAY=" + s.display + " DBUS_SESSION_BUS_ADDRESS='" + address + "' ";
    e2e_session::run(env + "ibus-daemon -d -x -r --panel=disable >/dev/null 2>&1");
    bool engine = false;
    for (int i = 0; i < 40 && !engine; i++) {
        usleep(250000);
        engine = system((env + "ibus engine table:wubi-jidian86 >/dev/null 2>&1").c_str()) == 0;
    }
    struct stop_bus {
        std::string env, pid;
        ~stop_bus()
        {
            e2e_session::run(env + "ibus exit >/dev/null 2>&1");
            if (!pid.empty() && pid.find_first_not_of("0123456789") == std::string::npos) kill(std::stoi(pid), SIGTERM);
        }
    } stop{env, bus_pid};
    ASSERT_TRUE(engine) << "the input method did not start";

    ASSERT_TRUE(s.start_app("DBUS_SESSION_BUS_ADDRESS", address.c_str()));
    pointer(s, "150 380 mousedown 1");
    pointer(s, "220 320");
    pointer(s, "301 261 mouseup 1");
    s.xdotool("windowfocus --sync " + std::to_string(s.win));
    s.xdotool("type --delay 250 khk");
    usleep(800000);

    // The composition stands right of the caret (after "Txt": x 321), underlined at y 280.
    s.grab();
    int lit = 0, underline = 0;
    for (int x = 323; x < 345; x++) {
        underline += s.near_colour(x, 280, 1, 255, 255, 255);
        for (int y = 260; y < 278; y++) {
            const rgb8 c = s.pixel(x, y);
            lit += c.r > 128 && c.g > 128 && c.b > 128;
        }
    }
    EXPECT_GT(underline, 15);
    EXPECT_GT(lit, 10);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt");

    s.xdotool("key space");
    usleep(500000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 \xD6\xD0");
}
