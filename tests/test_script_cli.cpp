// lumiker-script DIR: normalised script on standard output, refused and
// changed lines on standard error, exit status 0 / 1 / 2, no file changed.
#include "dot_helpers.h"
#include "test_layout_helpers.h"
#include <png.h>
#include <stb_image.h>
#include <vector>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#ifdef LUMIKER_SCRIPT_BINARY

namespace {

struct run_result {
    int status = -1;
    std::string out, err;
};

// Run a program (lumiker-script unless named) with no display.
run_result run_cli(const std::string& arg, const char* program = LUMIKER_SCRIPT_BINARY)
{
    char t[] = "/tmp/lumiker_cli_XXXXXX";
    std::string dir = mkdtemp(t) ? t : "/tmp";
    std::string cmd = std::string("env -u DISPLAY '") + program + "' " + arg + " >'" + dir + "/out' 2>'" + dir + "/err'";
    int rc = system(cmd.c_str());
    run_result r;
    r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
    r.out = temp_workspace::read_path(dir + "/out");
    r.err = temp_workspace::read_path(dir + "/err");
    if (system(("rm -rf '" + dir + "'").c_str()) != 0) {}
    return r;
}

struct file_seen {
    std::string bytes;
    long long mtime_ns;
};

file_seen state_of(const std::string& path)
{
    struct stat st {};
    stat(path.c_str(), &st);
    return {temp_workspace::read_path(path), (long long)st.st_mtim.tv_sec * 1000000000LL + st.st_mtim.tv_nsec};
}

const std::string CLEAN = "led clearall \r\nled clearall \r\n"
                          "led 16t 3 10 5 AB\r\n"
                          "insmod 223 800 led key 2 3 3 41 4 4 2 3 1\r\n"
                          "led r 6 1 1 31 11 \r\n"
                          "\r\n\r\n";

} // namespace

TEST(ScriptCli, ACleanWorkspaceIsWrittenBackUnchangedAndNoFileIsTouched)
{
    temp_workspace ws;
    ws.write_script(CLEAN);
    ws.write("one_pic_effect.vsn", R"({"Programs":{"Program":{"Pages":[{"Regions":[]}]}}})");
    file_seen cfg = state_of(ws.path("SysCfg.ini")), script = state_of(ws.d().paths.cmd),
               vsn = state_of(ws.path("one_pic_effect.vsn"));
    run_result r = run_cli("'" + ws.dir + "'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, CLEAN);
    EXPECT_EQ(r.err, "");
    file_seen cfg2 = state_of(ws.path("SysCfg.ini")), script2 = state_of(ws.d().paths.cmd),
               vsn2 = state_of(ws.path("one_pic_effect.vsn"));
    EXPECT_EQ(cfg2.bytes, cfg.bytes);
    EXPECT_EQ(cfg2.mtime_ns, cfg.mtime_ns);
    EXPECT_EQ(script2.bytes, script.bytes);
    EXPECT_EQ(script2.mtime_ns, script.mtime_ns);
    EXPECT_EQ(vsn2.mtime_ns, vsn.mtime_ns);
}

TEST(ScriptCli, RefusedAndChangedLinesAreListedWithTheirNumbers)
{
    temp_workspace ws;
    ws.write_script("led clearall \n"
                    "\n"
                    "led 8t 1 0 0 small\r\n"          // line 3: refused
                    "insmod 0 800 led key 1 2 2 60 4 4 1 0 0\r\n"  // line 4: changed (record)
                    "led c 1 5 5 3\n"
                    "bogus words here\n");          // line 6: refused
    run_result r = run_cli(ws.dir);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cmd.txt:3: 未读入: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("cmd.txt:4: 已改动: 放入了记录 222"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("cmd.txt:6: 未读入: 未知的命令词"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("cmd.txt:5:"), std::string::npos);
    EXPECT_EQ(r.out, "led clearall \r\nled clearall \r\n"
                     "led c 1 5 5 3\r\n"
                     "insmod 242 800 led key 1 2 2 60 4 4 1 0 0\r\n"
                     "\r\n\r\n");
    EXPECT_EQ(r.out.find("Error command"), std::string::npos);
}

TEST(ScriptCli, OnlyChangedLinesStillExitZero)
{
    temp_workspace ws;
    ws.write_script("led l 1 0 0 10 4 \r\n");
    run_result r = run_cli(ws.dir);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.err.find("cmd.txt:1: 已改动: "), std::string::npos);
    EXPECT_NE(r.out.find("led l 1 0 0 10 0 \r\n"), std::string::npos);
}

TEST(ScriptCli, UnreadableWorkspacesExitTwo)
{
    EXPECT_EQ(run_cli("/nonexistent/folder").status, 2);
    EXPECT_EQ(run_cli("").status, 2);
    temp_workspace ws;
    run_result r = run_cli(ws.dir);  // no cmd.txt
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("cmd.txt"), std::string::npos);
    EXPECT_EQ(r.out, "");
    ws.write_script(CLEAN);
    ASSERT_EQ(unlink(ws.path("SysCfg.ini").c_str()), 0);
    EXPECT_EQ(run_cli(ws.dir).status, 2);
    // A panel size the designer would not save with: named, status 2.
    ws.write("SysCfg.ini", "\xEF\xBB\xBF[LEDPARA]\r\nWIDTH=abc\r\nHEIGHT=64\r\nPROGRAMID=1\r\n");
    r = run_cli(ws.dir);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find(ws.dir + "SysCfg.ini 中的 WIDTH=abc 不是"), std::string::npos) << r.err;
    EXPECT_EQ(r.out, "");
}

TEST(ScriptCli, BothProgramsAnswerHelpVersionAndBadUsageWithoutADisplay)
{
    for (const char* prog : {LUMIKER_BINARY, LUMIKER_SCRIPT_BINARY}) {
        const std::string name = strstr(prog, "lumiker-script") ? "lumiker-script" : "lumiker";
        run_result r = run_cli("--help", prog);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out.find("Usage: " + name + " [--help] [--version]"), 0u) << r.out;
        r = run_cli("--version", prog);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out.rfind(name + " ", 0), 0u) << r.out;
        r = run_cli("--frobnicate", prog);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("unknown option --frobnicate"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("Usage: " + name), std::string::npos);
        EXPECT_EQ(r.out, "");
    }
    // The designer's help lists the keys of the window's F1 list.
    EXPECT_NE(run_cli("--help", LUMIKER_BINARY).out.find("Ctrl+C、Ctrl+V"), std::string::npos);
    // A workspace that does not exist ends the designer before any window;
    // so does a new one of a panel size out of range, and nothing is made.
    run_result r = run_cli("/nonexistent/ws", LUMIKER_BINARY);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("工作区文件夹 /nonexistent/ws 不存在"), std::string::npos) << r.err;
    for (const char* bad : {"--new /tmp/lumiker_never --size 0x64", "--new /tmp/lumiker_never --size 64x4097",
                            "--size 64x64 /tmp/lumiker_never", "--new /tmp/lumiker_never /tmp/lumiker_never2"}) {
        EXPECT_EQ(run_cli(bad, LUMIKER_BINARY).status, 2) << bad;
        EXPECT_NE(access("/tmp/lumiker_never", F_OK), 0) << bad;
    }

    // Bad pitch, time, length, frame rate or PLC, an unwritable picture path:
    // a reason and status 2, no file.
    const std::string demo = std::string(" '") + LUMIKER_SOURCE_DIR + "/workspace'";
    for (const char* bad : {"--png /tmp/x.png --pitch 9", "--png /tmp/x.png --pitch 0", "--png /tmp/x.png --pitch 2x",
                            "--png /tmp/x.png --time '2024-02-30 10:00:00'", "--png /tmp/x.png --time 10:00",
                            "--pitch 2", "--gif /tmp/x.gif", "--gif /tmp/x.gif --seconds 0", "--gif /tmp/x.gif --seconds 1 --fps 51",
                            "--png /tmp/x.png --modbus 127.0.0.1", "--values /tmp/v.ini", "--png /tmp/x.png --seconds 2"}) {
        r = run_cli(bad + demo);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("Usage: lumiker-script"), std::string::npos) << bad;
    }
    r = run_cli("--png /nonexistent/dir/x.png" + demo);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("文件夹 /nonexistent/dir 不存在"), std::string::npos) << r.err;
    r = run_cli("--png /tmp" + demo);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("它是文件夹"), std::string::npos) << r.err;
    r = run_cli("--gif /tmp/x.gif --seconds 1 --fps 0.5" + demo);
    EXPECT_NE(r.err.find("--fps 需要 1 到 50 的帧率"), std::string::npos) << r.err;
    r = run_cli("--png /tmp/x.png --values /nonexistent/values.ini" + demo);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("无法读取 /nonexistent/values.ini："), std::string::npos) << r.err;
}

// With a values file the picture shows the panel playing: a register
// variable reads its register, where the still picture reads 8s.
TEST(ScriptCli, APictureOfThePanelPlayingShowsTheValuesFile)
{
    temp_workspace ws;
    ASSERT_EQ(system(("cp -r '" LUMIKER_SOURCE_DIR "/workspace/.' '" + ws.dir + "'").c_str()), 0);
    ws.write("values.ini", "[registers]\n1=1234   ; the demo's register variable, 4x40001\n");
    const std::string png = ws.path("panel.png");
    // The cyan segment cells of the variable at dot (100, 42), four digits of
    // size 6: at two pixels a dot, each dot lights the pixel it is drawn at.
    auto variable = [&](const std::string& values) {
        run_result r = run_cli("--png '" + png + "' " + values + " '" + ws.dir + "'");
        EXPECT_EQ(r.status, 0) << r.err;
        int w = 0, h = 0, n = 0;
        unsigned char* px = stbi_load(png.c_str(), &w, &h, &n, 3);
        dot_set cyan;
        for (int i = 0; px && i < w * h; i++)
            if (px[3 * i] < 64 && px[3 * i + 1] > 192 && px[3 * i + 2] > 192) cyan.insert({i % w, i / w});
        stbi_image_free(px);
        return read_cells(cyan, 2 * 100 + 1, 2 * 42 + 1, 4, 6, 2);
    };
    EXPECT_EQ(variable(""), "8888");
    EXPECT_EQ(variable("--values '" + ws.path("values.ini") + "'"), "1234");
}

// One pixel a dot puts dot (0, 0) on the picture's first pixel. A panel of
// 4096 x 4096 dots at pitch 3 (12288 pixels a side) is drawn in bands
// within 300 MB, and its corner is the small panel's picture, seam for seam.
TEST(ScriptCli, PicturesStartAtDotZeroAndBigOnesAreDrawnInBands)
{
    temp_workspace ws(384, 128);
    ws.write("ledsys/CMD1/cmd.txt", "led r 6 0 0 20 10 \r\n");
    const std::string png = ws.path("one.png");
    ASSERT_EQ(run_cli("--png '" + png + "' --pitch 1 '" + ws.dir + "'").status, 0);
    int w = 0, h = 0, n = 0;
    unsigned char* px = stbi_load(png.c_str(), &w, &h, &n, 3);
    ASSERT_TRUE(px);
    EXPECT_EQ(w, 384);
    EXPECT_GT(px[0] + px[1] + px[2], 0) << "dot (0, 0) is not the first pixel";
    stbi_image_free(px);

    temp_workspace big;
    ASSERT_EQ(system(("cp -r '" LUMIKER_SOURCE_DIR "/workspace/.' '" + big.dir + "'").c_str()), 0);
    const std::string at = " --pitch 3 --time '2026-12-08 10:00:00' '";
    ASSERT_EQ(run_cli("--png '" + big.path("small.png") + "'" + at + big.dir + "'").status, 0);
    ASSERT_EQ(system(("sed -i 's/^WIDTH=.*/WIDTH=4096/; s/^HEIGHT=.*/HEIGHT=4096/' '" + big.path("SysCfg.ini") + "'").c_str()), 0);
    struct rusage before {}, after {};
    getrusage(RUSAGE_CHILDREN, &before);
    const run_result r = run_cli("--png '" + big.path("big.png") + "'" + at + big.dir + "'");
    getrusage(RUSAGE_CHILDREN, &after);
    ASSERT_EQ(r.status, 0) << r.err;
#ifndef __SANITIZE_ADDRESS__   // the sanitizer's shadow and quarantine are no measure of ours
    constexpr long PEAK_KB_MAX = 300 * 1024;
    EXPECT_LT(after.ru_maxrss, PEAK_KB_MAX) << "peak resident memory of the picture, KB";
#endif
    // Read with libpng: the picture loader stops at the sizes a panel picture may have.
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&image, big.path("big.png").c_str()));
    image.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> whole(PNG_IMAGE_SIZE(image));
    ASSERT_TRUE(png_image_finish_read(&image, nullptr, whole.data(), 0, nullptr));
    EXPECT_EQ(image.width, 4096u * 3);
    EXPECT_EQ(image.height, 4096u * 3);
    int sw = 0, sh = 0;
    unsigned char* small = stbi_load(big.path("small.png").c_str(), &sw, &sh, &n, 3);
    ASSERT_TRUE(small);
    int differ = 0;
    for (int y = 0; y < sh; y++)   // the small panel's last column is its grid's edge
        differ += memcmp(small + (size_t)y * sw * 3, &whole[(size_t)y * image.width * 3], (size_t)(sw - 1) * 3) != 0;
    EXPECT_EQ(differ, 0) << "rows of the big panel's corner unlike the small panel's picture";
    stbi_image_free(small);
}

// Pipes in place of files never hang the tool, and the picture goes only to
// a regular file or a new name.
TEST(ScriptCli, PipesDevicesAndBrokenProgramFilesAreRefusedNeverWaitedOn)
{
    temp_workspace ws;
    const std::string demo = std::string(LUMIKER_SOURCE_DIR) + "/workspace/.";
    ASSERT_EQ(system(("cp -r '" + demo + "' '" + ws.dir + "' && cp -r '" + LUMIKER_BUILD_DIR + "/Font' '" + ws.dir +
                      "' && cd '" + ws.dir + "' && for f in logo.jpg ledsys/CMD1/id_0.bmp $(find Font -type f); do " +
                      "rm \"$f\" && mkfifo \"$f\"; done")
                         .c_str()),
              0);
    const std::string png = ws.path("panel.png"), pipe = ws.path("pipe.png");
    // Under a time limit: a program waiting on a pipe would fail, not hang the suite.
    auto limited = [&](const std::string& args) { return run_cli("20 '" LUMIKER_SCRIPT_BINARY "' " + args, "/usr/bin/timeout"); };
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    run_result r = limited("--png '" + pipe + "' '" + ws.dir + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("lumiker-script: " + pipe + " 不是普通文件"), std::string::npos) << r.err;
    struct stat st;
    EXPECT_TRUE(lstat(pipe.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    // The picture is still drawn; the logo that is a pipe is named, status 1.
    r = limited("--png '" + png + "' '" + ws.dir + "'");
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find(ws.path("logo.jpg")), std::string::npos) << r.err;
    EXPECT_EQ(temp_workspace::read_path(png).compare(1, 3, "PNG"), 0);

    // A program file that cannot be loaded: named, status 2.
    ws.write("one_pic_effect.vsn", "{ broken");
    r = limited("'" + ws.dir + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.err.rfind("lumiker-script: 程序文件无法载入：", 0), 0u) << r.err;
    // Settings that are a pipe: named, status 2, at once.
    unlink(ws.path("SysCfg.ini").c_str());
    ASSERT_EQ(mkfifo(ws.path("SysCfg.ini").c_str(), 0644), 0);
    r = limited("'" + ws.dir + "'");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("SysCfg.ini"), std::string::npos) << r.err;
}

TEST(ScriptCli, TheDemoWorkspaceLoadsCleanly)
{
    run_result r = run_cli(std::string("'") + LUMIKER_SOURCE_DIR + "/workspace'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::string demo = temp_workspace::read_path(std::string(LUMIKER_SOURCE_DIR) + "/workspace/ledsys/CMD1/cmd.txt");
    EXPECT_EQ(r.out, demo);  // the demo script is in normal form
}

#endif
