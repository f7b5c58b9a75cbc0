// The real designer saves a workspace whose script is a link and whose
// settings are private: the link stays a link, the file it points to gets
// the new script, every mode is kept, the backup and the refused line are
// kept beside the script; a script made read-only is refused, and nothing
// on disk changes.
#include "app/frame.h"
#include "e2e_helpers.h"
#include <map>

namespace {

// "保存数据", then a look at the status line: true when it shows the colour.
bool save_and_see(e2e_session& s, int r, int g, int b)
{
    s.xdotool("mousemove --window " + std::to_string(s.win) + " 1160 84 click 1");
    for (int tries = 0; tries < 20; tries++) {
        usleep(150000);
        s.grab();
        for (int x = 10; x < 1290; x += 3)
            if (s.near_colour(x, STATUS_Y - 6, 6, r, g, b)) return true;
    }
    return false;
}

// Every file of the workspace with its mode, links as links.
std::map<std::string, std::string> disk_of(const std::string& dir)
{
    std::map<std::string, std::string> m;
    for (const char* f : {"SysCfg.ini", "one_pic_effect.vsn", "ledsys/CMD1/cmd.txt", "ledsys/CMD1/cmd.txt.bak",
                          "ledsys/CMD1/cmd.txt.refused.txt", "scripts/hall.txt"}) {
        struct stat st;
        const std::string p = dir + f;
        if (lstat(p.c_str(), &st) != 0) continue;
        char link[256] = "";
        if (S_ISLNK(st.st_mode) && readlink(p.c_str(), link, sizeof link - 1) < 0) link[0] = 0;
        m[f] = std::to_string(st.st_mode) + " " + link + " " + (S_ISLNK(st.st_mode) ? "" : e2e_session::read(p));
    }
    return m;
}

mode_t mode_of(const std::string& path)
{
    struct stat st;
    return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

} // namespace

TEST(EndToEnd, SavingKeepsLinksModesBackupAndRefusedLinesAndRefusesAReadOnlyScript)
{
    e2e_session s("saving");
    const std::string original = "led clearall \r\nled clearall \r\nled l 0 10 10 40 10 \r\nbogus words here\r\n\r\n\r\n";
    const std::string target = s.dir + "scripts/hall.txt", link = s.dir + "ledsys/CMD1/cmd.txt";
    ASSERT_TRUE(start_small_panel(s));
    e2e_session::run("mkdir -p '" + s.dir + "scripts' && rm '" + link + "'");
    s.write_file("scripts/hall.txt", original);
    ASSERT_EQ(symlink("../../scripts/hall.txt", link.c_str()), 0);
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_EQ(chmod((s.dir + "SysCfg.ini").c_str(), 0600), 0);
    ASSERT_TRUE(s.start_app());

    // The refused line is named in a report beside the script.
    EXPECT_NE(e2e_session::read(link + ".report.txt").find("cmd.txt:4: 未读入: "), std::string::npos);

    // Move the line 20 dots right and 10 down, and save.
    drag(s, 306, 168, 346, 188);
    EXPECT_TRUE(save_and_see(s, 77, 255, 77)) << "no green status after saving";
    const std::string saved = e2e_session::read(target);
    EXPECT_EQ(saved, "led clearall \r\nled clearall \r\nled l 0 30 20 60 20 \r\n\r\n\r\n");
    EXPECT_TRUE(S_ISLNK(mode_of(link)));
    EXPECT_EQ(e2e_session::read(link), saved);
    EXPECT_EQ(mode_of(target) & 07777, 0640u);
    EXPECT_EQ(mode_of(s.dir + "SysCfg.ini") & 07777, 0600u);
    EXPECT_NE(e2e_session::read(s.dir + "SysCfg.ini").find("Syc_Update=1"), std::string::npos);
    EXPECT_EQ(e2e_session::read(link + ".bak"), original);
    EXPECT_EQ(mode_of(link + ".bak") & 07777, 0640u);
    EXPECT_EQ(e2e_session::read(link + ".refused.txt"), "bogus words here\r\n");

    // The script made read-only: the next save is refused, in red, and
    // nothing on disk changes.
    ASSERT_EQ(chmod(target.c_str(), 0444), 0);
    const auto before = disk_of(s.dir);
    // Select the line (after dropping the selection) and move it one dot right.
    s.xdotool("mousemove --window " + std::to_string(s.win) + " 600 400 click 3 mousemove --window " +
              std::to_string(s.win) + " 346 187 click 1");
    usleep(300000);
    s.xdotool("key Right");
    usleep(300000);
    EXPECT_TRUE(save_and_see(s, 255, 89, 89)) << "no red status after a refused save";
    EXPECT_EQ(disk_of(s.dir), before);
    EXPECT_EQ(e2e_session::read(target), saved);
}
