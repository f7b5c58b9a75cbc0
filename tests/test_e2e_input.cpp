// The real program under Xvfb: Chinese typed through the keyboard, text
// pasted from the clipboard and copied back to it, and every change undone
// and redone with the keys, checked in the saved script and on the screen.
#include "e2e_helpers.h"
#include <sstream>
#include <vector>

namespace {

std::string read_all(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void pointer(e2e_session& s, const std::string& what)
{
    s.xdotool("mousemove --window " + std::to_string(s.win) + " " + what);
    usleep(250000);
}

// "保存数据", then the text line of the saved script ("" when there is none).
std::string save_and_read_text_line(e2e_session& s)
{
    pointer(s, "1160 84 click 1");
    const std::string saved = read_all(s.dir + "ledsys/CMD1/cmd.txt");
    size_t at = saved.find("led 12t ");
    if (at == std::string::npos) return "";
    return saved.substr(at, saved.find("\r\n", at) - at);
}

std::vector<rgb8> panel_pixels(e2e_session& s)
{
    s.grab();
    std::vector<rgb8> px;
    for (int y = 145; y < 145 + 128; y++)
        for (int x = 265; x < 265 + 512; x++) px.push_back(s.pixel(x, y));
    return px;
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
    s.write_file("SysCfg.ini", "[LEDPARA]\r\nWIDTH=256\r\nHEIGHT=64\r\nPROGRAMID=1\r\n");
    s.write_file("ledsys/CMD1/cmd.txt", "");
    ASSERT_TRUE(s.start_x());
    ASSERT_TRUE(s.start_app());
    const std::vector<rgb8> empty_panel = panel_pixels(s);

    // A text off the palette; 中文 typed as keys (xdotool maps each character to a
    // spare key code, so it needs time between the characters).
    pointer(s, "150 380 mousedown 1");
    pointer(s, "220 320");
    pointer(s, "301 261 mouseup 1");
    s.xdotool("type --delay 300 中文");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt\xD6\xD0\xCE\xC4");
    const std::vector<rgb8> typed_panel = panel_pixels(s);
    EXPECT_FALSE(same(typed_panel, empty_panel));

    // 欢迎 from the clipboard.
    e2e_session::run("printf '欢迎' | DISPLAY=" + s.display + " xclip -selection clipboard >/dev/null 2>&1");
    usleep(300000);
    s.xdotool("key ctrl+v");
    usleep(300000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt\xD6\xD0\xCE\xC4\xBB\xB6\xD3\xAD");

    // Ctrl+Shift+C puts the whole text on the clipboard as UTF-8.
    s.xdotool("key ctrl+shift+c");
    usleep(300000);
    const std::string clip = s.dir + "clip.txt";
    e2e_session::run("DISPLAY=" + s.display + " timeout 5 xclip -o -selection clipboard > '" + clip + "' 2>/dev/null");
    EXPECT_EQ(read_all(clip), "Txt中文欢迎");

    // Undo the paste, the typing, the placement: the panel is empty again, as it was.
    s.xdotool("key ctrl+z");
    usleep(200000);
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt\xD6\xD0\xCE\xC4");
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
    EXPECT_EQ(save_and_read_text_line(s), "led 12t 0 10 54 Txt\xD6\xD0\xCE\xC4");
}
