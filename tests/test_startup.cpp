// Paths built from the executable's directory, the settings, and the window-size rule.
#include "app/startup.h"
#include "model/settings.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TEST(Startup, WindowWidthFollowsThePanelFrom512Dots)
{
    EXPECT_EQ(window_width_for(511), 1300);
    EXPECT_EQ(window_width_for(512), 1324);
    EXPECT_EQ(window_width_for(1024), 2348);
    EXPECT_EQ(window_width_for(0), 1300);
}

TEST(Startup, PathsAndSettingsComeFromTheProgramFolder)
{
    std::string dir = "/tmp/lumiker_startup_" + std::to_string(getpid()) + "/";
    mkdir(dir.c_str(), 0755);

    // No settings file: 0 x 0 panel, program 1.
    ASSERT_TRUE(startup_paths(dir.c_str()));
    EXPECT_STREQ(exe_dir, dir.c_str());
    EXPECT_EQ(std::string(cfg_path), dir + "SysCfg.ini");
    EXPECT_STREQ(program_id, "1");
    EXPECT_STREQ(led_width, "Error");
    EXPECT_EQ(panel_width(), 0);
    EXPECT_EQ(panel_height(), 0);
    EXPECT_EQ(std::string(cmd_path), dir + "ledsys/CMD1/cmd.txt");
    EXPECT_EQ(std::string(vsn_path), dir + "one_pic_effect.vsn");
    EXPECT_EQ(std::string(logo_bmp_path), dir + "logo.bmp");
    EXPECT_EQ(std::string(id_bmp_path[0]), dir + "ledsys/CMD1/id_0.bmp");
    EXPECT_EQ(std::string(id_bmp_path[19]), dir + "ledsys/CMD1/id_19.bmp");

    const std::string fonts = dir + "Font/fonts/font_libs/";
    EXPECT_EQ(std::string(font_paths[font_slot_of(12)][FONT_HZ]), fonts + "HZK/12/HZK12");
    EXPECT_EQ(std::string(font_paths[font_slot_of(12)][FONT_ASC]), fonts + "ASC/ASC12_8");
    EXPECT_EQ(std::string(font_paths[font_slot_of(13)][FONT_HZ]), fonts + "HZK/13/HZK_S.Dzk");
    EXPECT_EQ(std::string(font_paths[font_slot_of(15)][FONT_ASC]), fonts + "ASC/15/ASC_S.Dzk");
    EXPECT_EQ(std::string(font_paths[font_slot_of(16)][FONT_HZ]), fonts + "HZK/16/HZK16S");
    EXPECT_EQ(std::string(font_paths[font_slot_of(16)][FONT_ASC]), fonts + "ASC/ASC16_8");
    EXPECT_EQ(std::string(font_paths[font_slot_of(23)][FONT_HZ]), fonts + "HZK/23/HZK_S.Dzk");
    EXPECT_EQ(std::string(font_paths[font_slot_of(24)][FONT_ASC]), fonts + "ASC/ASC24_12");
    EXPECT_EQ(std::string(font_paths[font_slot_of(32)][FONT_HZ]), fonts + "HZK/32/HZK32");
    EXPECT_EQ(std::string(font_paths[font_slot_of(32)][FONT_ASC]), fonts + "ASC/ASC32_16");
    EXPECT_EQ(font_slot_of(25), -1);
    EXPECT_EQ(font_slot_of(48), -1);

    // With a settings file: its panel size and program number.
    {
        std::ofstream f(dir + "SysCfg.ini", std::ios::binary);
        f << "[LEDPARA]\r\nWIDTH=512\r\nHEIGHT=128\r\nPROGRAMID=7\r\n[RemotIP]\r\nRemotIP=10.1.1.1\r\n";
    }
    ASSERT_TRUE(startup_paths(dir.c_str()));
    EXPECT_EQ(panel_width(), 512);
    EXPECT_EQ(panel_height(), 128);
    EXPECT_STREQ(remote_ip, "10.1.1.1");
    EXPECT_EQ(std::string(cmd_path), dir + "ledsys/CMD7/cmd.txt");
    EXPECT_EQ(std::string(id_bmp_path[3]), dir + "ledsys/CMD7/id_3.bmp");
    EXPECT_STREQ(settings_problem, "");

    // A byte-order mark and blanks read as the same file.
    auto settings = [&](const std::string& text) {
        std::ofstream(dir + "SysCfg.ini", std::ios::binary) << text;
        startup_paths(dir.c_str());
    };
    settings("\xEF\xBB\xBF[LEDPARA]\r\n  WIDTH = 512 \r\n\tHEIGHT\t=\t128\r\nPROGRAMID = 7\r\n");
    EXPECT_EQ(panel_width(), 512);
    EXPECT_EQ(panel_height(), 128);
    EXPECT_STREQ(settings_problem, "");
    EXPECT_EQ(std::string(cmd_path), dir + "ledsys/CMD7/cmd.txt");
    settings("[LEDPARA]\nWIDTH=1\nHEIGHT=4096\nPROGRAMID=99999\n");
    EXPECT_EQ(panel_width(), 1);
    EXPECT_EQ(panel_height(), 4096);
    EXPECT_STREQ(settings_problem, "");

    // Anything else names the key and the file, gives a 0 x 0 panel or no program path.
    struct bad { const char* text; const char* key; };
    const bad bads[] = {
        {"WIDTH=abc\nHEIGHT=64\n", "WIDTH=abc in "},  {"WIDTH=-5\nHEIGHT=64\n", "WIDTH=-5 in "},
        {"WIDTH=4097\nHEIGHT=64\n", "WIDTH=4097 in "}, {"WIDTH=64\n", "HEIGHT=Error in "},
        {"WIDTH=99999999999999999999\nHEIGHT=64\n", "WIDTH=99999999999999999999 in "},
        {"WIDTH=64\nHEIGHT=64\nPROGRAMID=1/../../x\n", "PROGRAMID=1/../../x in "},
        {"WIDTH=64\nHEIGHT=64\nPROGRAMID=100000\n", "PROGRAMID=100000 in "},
    };
    for (const bad& b : bads) {
        settings(std::string("[LEDPARA]\n") + b.text);
        EXPECT_EQ(std::string(settings_problem).rfind(b.key, 0), 0u) << settings_problem;
        EXPECT_NE(std::string(settings_problem).find(dir + "SysCfg.ini"), std::string::npos);
        if (std::string(b.key).rfind("PROGRAMID", 0) == 0) EXPECT_STREQ(cmd_path, "");
        else EXPECT_EQ(panel_width() * panel_height(), 0);
    }

    remove((dir + "SysCfg.ini").c_str());
    startup_paths(dir.c_str());
    EXPECT_NE(std::string(settings_problem).find("SysCfg.ini cannot be read"), std::string::npos);
    rmdir(dir.c_str());
}

// Where the workspace and the font files are, with HOME and XDG_DATA_HOME in
// temporary folders; the program "installed" in <prefix>/bin beside
// <prefix>/share/lumiker with the demo and the fonts.
TEST(Startup, WorkspaceIsTheGivenFolderTheProgramFolderOrTheUsersDataFolder)
{
    const std::string root = "/tmp/lumiker_ws_rules_" + std::to_string(getpid()) + "/";
    auto sh = [](const std::string& cmd) { ASSERT_EQ(system(cmd.c_str()), 0) << cmd; };
    sh("rm -rf " + root + " && mkdir -p " + root + "prefix/bin " + root + "prefix/share/lumiker/workspace/ledsys/CMD1 " +
       root + "prefix/share/lumiker/Font/fonts/font_libs " + root + "home " + root + "given");
    sh("printf '[LEDPARA]\\r\\nWIDTH=64\\r\\n' > " + root + "prefix/share/lumiker/workspace/SysCfg.ini");
    const std::string bin = root + "prefix/bin/", share = root + "prefix/share/lumiker/";
    const std::string old_home = getenv("HOME") ? getenv("HOME") : "";
    setenv("HOME", (root + "home").c_str(), 1);
    unsetenv("XDG_DATA_HOME");

    workspace_choice ws;
    std::string why;
    // A folder on the command line; the fonts then come from the share folder.
    ASSERT_TRUE(choose_workspace((root + "given").c_str(), bin, ws, why)) << why;
    EXPECT_EQ(ws.dir, root + "given/");
    EXPECT_EQ(ws.fonts, share);
    EXPECT_FALSE(choose_workspace((root + "missing").c_str(), bin, ws, why));
    EXPECT_NE(why.find("does not exist"), std::string::npos) << why;

    // Installed: ~/.local/share/lumiker, made from the demo on the first start.
    ASSERT_TRUE(choose_workspace(nullptr, bin, ws, why)) << why;
    EXPECT_EQ(ws.dir, root + "home/.local/share/lumiker/");
    EXPECT_TRUE(ws.created);
    ASSERT_TRUE(startup_paths(ws.dir.c_str(), ws.fonts.c_str()));
    EXPECT_EQ(panel_width(), 64);
    EXPECT_EQ(std::string(font_paths[font_slot_of(16)][FONT_HZ]), share + "Font/fonts/font_libs/HZK/16/HZK16S");
    EXPECT_EQ(std::string(cmd_path), ws.dir + "ledsys/CMD1/cmd.txt");
    // The next start keeps what the user changed, and fonts of the workspace's own win.
    sh("printf '[LEDPARA]\\r\\nWIDTH=99\\r\\n' > " + ws.dir + "SysCfg.ini && mkdir -p " + ws.dir + "Font/fonts/font_libs");
    ASSERT_TRUE(choose_workspace(nullptr, bin, ws, why)) << why;
    EXPECT_FALSE(ws.created);
    EXPECT_EQ(ws.fonts, ws.dir);
    ASSERT_TRUE(startup_paths(ws.dir.c_str(), ws.fonts.c_str()));
    EXPECT_EQ(panel_width(), 99);

    // XDG_DATA_HOME moves it.
    setenv("XDG_DATA_HOME", (root + "data").c_str(), 1);
    ASSERT_TRUE(choose_workspace(nullptr, bin, ws, why)) << why;
    EXPECT_EQ(ws.dir, root + "data/lumiker/");

    // A program folder that holds a workspace is the workspace, as in the build folder.
    sh("mkdir -p " + bin + "ledsys");
    ASSERT_TRUE(choose_workspace(nullptr, bin, ws, why)) << why;
    EXPECT_EQ(ws.dir, bin);
    setenv("HOME", old_home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    sh("rm -rf " + root);
}
