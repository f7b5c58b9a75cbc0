// Paths built from the executable's directory, the settings, and the window-size rule.
#include "app/startup.h"
#include "model/document.h"
#include "model/font_sizes.h"
#include "output/layout_save.h"
#include <memory>
#include <gtest/gtest.h>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

TEST(Startup, WindowSizeFollowsThePanelAndNeverFallsBelowTheLeast)
{
    // The panel whole at two pixels a dot, beside the palette: 2W + 300 wide,
    // never narrower than the least window.
    EXPECT_EQ(window_width_for(0), WINDOW_MIN_W);
    EXPECT_EQ(window_width_for(500), 1300);
    EXPECT_EQ(window_width_for(501), 1302);
    EXPECT_EQ(window_width_for(511), 1322);
    EXPECT_EQ(window_width_for(512), 1324);
    EXPECT_EQ(window_width_for(1024), 2348);
    // And 2H + 200 tall, never lower than the least window.
    EXPECT_EQ(window_height_for(0), WINDOW_MIN_H);
    EXPECT_EQ(window_height_for(295), 791);
    EXPECT_EQ(window_height_for(296), 792);
    EXPECT_EQ(window_height_for(512), 1224);
    // The largest panel the settings take.
    EXPECT_EQ(window_width_for(PANEL_MAX_DOTS), 2 * PANEL_MAX_DOTS + 300);
    EXPECT_EQ(window_height_for(PANEL_MAX_DOTS), 2 * PANEL_MAX_DOTS + 200);
}

TEST(Startup, PathsAndSettingsComeFromTheProgramFolder)
{
    std::string dir = "/tmp/lumiker_startup_" + std::to_string(getpid()) + "/";
    mkdir(dir.c_str(), 0755);

    std::unique_ptr<document> doc(new document());
    document& d = *doc;
    const doc_paths& p = d.paths;
    const doc_settings& set = d.settings;

    // No settings file: 0 x 0 panel, program 1.
    ASSERT_TRUE(startup_paths(d, dir.c_str()));
    EXPECT_EQ(p.dir, dir);
    EXPECT_EQ(p.cfg, dir + "SysCfg.ini");
    EXPECT_EQ(set.program_id, "1");
    EXPECT_EQ(set.width_text, "Error");
    EXPECT_EQ(set.panel_w, 0);
    EXPECT_EQ(set.panel_h, 0);
    // The refused save says how to start a workspace.
    EXPECT_NE(save_refusal(d).why.find("lumiker --new"), std::string::npos) << save_refusal(d).why;
    EXPECT_EQ(p.cmd, dir + "ledsys/CMD1/cmd.txt");
    EXPECT_EQ(p.vsn, dir + "one_pic_effect.vsn");
    EXPECT_EQ(p.logo_bmp, dir + "logo.bmp");
    EXPECT_EQ(p.valves[0], dir + "ledsys/CMD1/id_0.bmp");
    EXPECT_EQ(p.valves[19], dir + "ledsys/CMD1/id_19.bmp");

    const std::string fonts = dir + "Font/fonts/font_libs/";
    EXPECT_EQ(p.fonts[font_slot_of(12)][FONT_HZ], fonts + "HZK/12/HZK12");
    EXPECT_EQ(p.fonts[font_slot_of(12)][FONT_ASC], fonts + "ASC/ASC12_8");
    EXPECT_EQ(p.fonts[font_slot_of(13)][FONT_HZ], fonts + "HZK/13/HZK_S.Dzk");
    EXPECT_EQ(p.fonts[font_slot_of(15)][FONT_ASC], fonts + "ASC/15/ASC_S.Dzk");
    EXPECT_EQ(p.fonts[font_slot_of(16)][FONT_HZ], fonts + "HZK/16/HZK16S");
    EXPECT_EQ(p.fonts[font_slot_of(16)][FONT_ASC], fonts + "ASC/ASC16_8");
    EXPECT_EQ(p.fonts[font_slot_of(23)][FONT_HZ], fonts + "HZK/23/HZK_S.Dzk");
    EXPECT_EQ(p.fonts[font_slot_of(24)][FONT_ASC], fonts + "ASC/ASC24_12");
    EXPECT_EQ(p.fonts[font_slot_of(32)][FONT_HZ], fonts + "HZK/32/HZK32");
    EXPECT_EQ(p.fonts[font_slot_of(32)][FONT_ASC], fonts + "ASC/ASC32_16");
    EXPECT_EQ(font_slot_of(25), -1);
    EXPECT_EQ(font_slot_of(48), -1);

    // With a settings file: its panel size and program number.
    {
        std::ofstream f(dir + "SysCfg.ini", std::ios::binary);
        f << "[LEDPARA]\r\nWIDTH=512\r\nHEIGHT=128\r\nPROGRAMID=7\r\n[RemotIP]\r\nRemotIP=10.1.1.1\r\n";
    }
    ASSERT_TRUE(startup_paths(d, dir.c_str()));
    EXPECT_EQ(set.panel_w, 512);
    EXPECT_EQ(set.panel_h, 128);
    EXPECT_EQ(set.remote_ip, "10.1.1.1");
    EXPECT_EQ(p.cmd, dir + "ledsys/CMD7/cmd.txt");
    EXPECT_EQ(p.valves[3], dir + "ledsys/CMD7/id_3.bmp");
    EXPECT_EQ(set.problem, "");

    // A byte-order mark and blanks read as the same file.
    auto settings = [&](const std::string& text) {
        std::ofstream(dir + "SysCfg.ini", std::ios::binary) << text;
        startup_paths(d, dir.c_str());
    };
    settings("\xEF\xBB\xBF[LEDPARA]\r\n  WIDTH = 512 \r\n\tHEIGHT\t=\t128\r\nPROGRAMID = 7\r\n");
    EXPECT_EQ(set.panel_w, 512);
    EXPECT_EQ(set.panel_h, 128);
    EXPECT_EQ(set.problem, "");
    EXPECT_EQ(p.cmd, dir + "ledsys/CMD7/cmd.txt");
    settings("[LEDPARA]\nWIDTH=1\nHEIGHT=4096\nPROGRAMID=99999\n");
    EXPECT_EQ(set.panel_w, 1);
    EXPECT_EQ(set.panel_h, 4096);
    EXPECT_EQ(set.problem, "");

    // Anything else names the key and the file, gives a 0 x 0 panel or no program path.
    struct bad { const char* text; const char* key; };
    const bad bads[] = {
        {"WIDTH=abc\nHEIGHT=64\n", " WIDTH=abc "},  {"WIDTH=-5\nHEIGHT=64\n", " WIDTH=-5 "},
        {"WIDTH=4097\nHEIGHT=64\n", " WIDTH=4097 "}, {"WIDTH=64\n", " HEIGHT=Error "},
        {"WIDTH=99999999999999999999\nHEIGHT=64\n", " WIDTH=99999999999999999999 "},
        {"WIDTH=64\nHEIGHT=64\nPROGRAMID=1/../../x\n", " PROGRAMID=1/../../x "},
        {"WIDTH=64\nHEIGHT=64\nPROGRAMID=100000\n", " PROGRAMID=100000 "},
    };
    for (const bad& b : bads) {
        settings(std::string("[LEDPARA]\n") + b.text);
        EXPECT_NE(set.problem.find(b.key), std::string::npos) << set.problem;
        EXPECT_NE(set.problem.find(dir + "SysCfg.ini"), std::string::npos);
        if (std::string(b.key).rfind(" PROGRAMID", 0) == 0) EXPECT_EQ(p.cmd, "");
        else EXPECT_EQ(set.panel_w * set.panel_h, 0);
    }

    remove((dir + "SysCfg.ini").c_str());
    startup_paths(d, dir.c_str());
    EXPECT_NE(set.problem.find("SysCfg.ini 无法读取"), std::string::npos) << set.problem;
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
    std::unique_ptr<document> doc(new document());
    document& d = *doc;
    // A folder on the command line; the fonts then come from the share folder.
    outcome o = choose_workspace((root + "given").c_str(), bin, ws);
    ASSERT_TRUE(o.ok) << o.why;
    EXPECT_EQ(ws.dir, root + "given/");
    EXPECT_EQ(ws.fonts, share);
    o = choose_workspace((root + "missing").c_str(), bin, ws);
    EXPECT_FALSE(o.ok);
    EXPECT_NE(o.why.find("不存在"), std::string::npos) << o.why;
    EXPECT_NE(o.why.find(root + "missing"), std::string::npos) << o.why;

    // Installed: ~/.local/share/lumiker, made from the demo on the first start.
    o = choose_workspace(nullptr, bin, ws);
    ASSERT_TRUE(o.ok) << o.why;
    EXPECT_EQ(ws.dir, root + "home/.local/share/lumiker/");
    EXPECT_TRUE(ws.created);
    ASSERT_TRUE(startup_paths(d, ws.dir.c_str(), ws.fonts.c_str()));
    EXPECT_EQ(d.settings.panel_w, 64);
    EXPECT_EQ(d.paths.fonts[font_slot_of(16)][FONT_HZ], share + "Font/fonts/font_libs/HZK/16/HZK16S");
    EXPECT_EQ(d.paths.cmd, ws.dir + "ledsys/CMD1/cmd.txt");
    // The next start keeps what the user changed, and fonts of the workspace's own win.
    sh("printf '[LEDPARA]\\r\\nWIDTH=99\\r\\n' > " + ws.dir + "SysCfg.ini && mkdir -p " + ws.dir + "Font/fonts/font_libs");
    o = choose_workspace(nullptr, bin, ws);
    ASSERT_TRUE(o.ok) << o.why;
    EXPECT_FALSE(ws.created);
    EXPECT_EQ(ws.fonts, ws.dir);
    ASSERT_TRUE(startup_paths(d, ws.dir.c_str(), ws.fonts.c_str()));
    EXPECT_EQ(d.settings.panel_w, 99);

    // XDG_DATA_HOME moves it.
    setenv("XDG_DATA_HOME", (root + "data").c_str(), 1);
    o = choose_workspace(nullptr, bin, ws);
    ASSERT_TRUE(o.ok) << o.why;
    EXPECT_EQ(ws.dir, root + "data/lumiker/");

    // A program folder that holds a workspace is the workspace, as in the build folder.
    sh("mkdir -p " + bin + "ledsys");
    o = choose_workspace(nullptr, bin, ws);
    ASSERT_TRUE(o.ok) << o.why;
    EXPECT_EQ(ws.dir, bin);
    setenv("HOME", old_home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
    sh("rm -rf " + root);
}
