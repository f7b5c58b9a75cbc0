// cmake --install into a temporary prefix (the Debian package installs the
// same way): the layout a user gets, its menu and software-centre entries and
// manual pages, and the installed programs' first start and panel picture.
// Slow: one grouped test.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#ifdef LUMIKER_SCRIPT_BINARY

namespace {

// Standard output of a shell command.
std::string output_of(const std::string& cmd)
{
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    return out;
}

std::string file_bytes(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
}

} // namespace

TEST(Install, PrefixLayoutEntriesManualsFirstStartAndPicture)
{
    char t[] = "/tmp/lumiker_install_XXXXXX";
    ASSERT_TRUE(mkdtemp(t));
    const std::string root = std::string(t) + "/", prefix = root + "prefix/", build = LUMIKER_BUILD_DIR;
    auto sh = [](const std::string& cmd) { return system(cmd.c_str()); };
    ASSERT_EQ(sh("cmake --install '" + build + "' --prefix '" + prefix + "' >'" + root + "install.log' 2>&1"), 0);
    for (const char* f : {"bin/lumiker", "bin/lumiker-script", "share/lumiker/workspace/SysCfg.ini",
                          "share/lumiker/workspace/ledsys/CMD1/cmd.txt", "share/lumiker/Font/fonts/font_libs/HZK/16/HZK16S",
                          "share/lumiker/Font/fonts/font_libs/SOURCES.txt", "share/applications/lumiker.desktop",
                          "share/icons/hicolor/64x64/apps/lumiker.png", "share/icons/hicolor/scalable/apps/lumiker.svg",
                          "share/metainfo/org.example.lumiker.metainfo.xml", "share/man/man1/lumiker.1.gz",
                          "share/man/man1/lumiker-script.1.gz", "share/doc/lumiker/LICENSE", "share/doc/lumiker/NEWS"})
        EXPECT_EQ(access((prefix + f).c_str(), R_OK), 0) << f;
    // The menu entry and the software centres' entry pass their validators.
    EXPECT_EQ(sh("desktop-file-validate '" + prefix + "share/applications/lumiker.desktop'"), 0);
    const std::string desktop = file_bytes(prefix + "share/applications/lumiker.desktop");
    EXPECT_NE(desktop.find("Name[zh_CN]="), std::string::npos);
    EXPECT_NE(desktop.find("Exec=lumiker %f\n"), std::string::npos) << desktop;
    const std::string appstream = output_of("appstreamcli validate --no-net --pedantic '" + prefix +
                                            "share/metainfo/org.example.lumiker.metainfo.xml' 2>&1; echo rc=$?");
    EXPECT_NE(appstream.find("rc=0"), std::string::npos) << appstream;
    EXPECT_EQ(appstream.find("W:"), std::string::npos) << appstream;
    // The manual pages keep the Chinese labels and say where the files are.
    const std::string man = output_of("zcat '" + prefix + "share/man/man1/lumiker.1.gz'");
    EXPECT_NE(man.find("\"保存数据\""), std::string::npos);
    EXPECT_EQ(man.find("??"), std::string::npos);
    for (const char* section : {".SH FILES", ".SH ENVIRONMENT", ".SH \"SEE ALSO\""})
        EXPECT_NE(man.find(section), std::string::npos) << section;
    EXPECT_NE(man.find("/share/lumiker/workspace"), std::string::npos);

    // First start of the installed designer: the workspace is made in the
    // user's data folder from the demo (no display, so it ends after that).
    sh("env -u DISPLAY HOME='" + root + "home' XDG_DATA_HOME= '" + prefix + "bin/lumiker' >/dev/null 2>&1");
    EXPECT_EQ(file_bytes(root + "home/.local/share/lumiker/ledsys/CMD1/cmd.txt"),
              file_bytes(prefix + "share/lumiker/workspace/ledsys/CMD1/cmd.txt"));

    // The installed preview of a workspace without fonts takes them from the
    // share folder: the same picture as the build's, and not the one drawn
    // by a lone copy of the program that has no fonts at all.
    sh("cp -r '" + std::string(LUMIKER_SOURCE_DIR) + "/workspace' '" + root + "ws' && mkdir '" + root + "lone' && cp '" +
       prefix + "bin/lumiker-script' '" + root + "lone/'");
    const std::string args = " --time '2024-03-05 10:20:30' '" + root + "ws' 2>/dev/null";
    ASSERT_EQ(sh("env -u DISPLAY '" + prefix + "bin/lumiker-script' --png '" + root + "installed.png'" + args), 0);
    ASSERT_EQ(sh("'" + std::string(LUMIKER_SCRIPT_BINARY) + "' --png '" + root + "build.png'" + args), 0);
    ASSERT_EQ(sh("'" + root + "lone/lumiker-script' --png '" + root + "lone.png'" + args), 0);
    const std::string installed = file_bytes(root + "installed.png");
    EXPECT_FALSE(installed.empty());
    EXPECT_EQ(installed, file_bytes(root + "build.png"));
    EXPECT_NE(installed, file_bytes(root + "lone.png"));
    // The installed demo, read-only, drawn by a user who cannot write it (as
    // root: the user nobody): its logo is converted in the user's cache
    // folder, so the picture is the same. Without the logo the tool says so
    // and ends with status 1.
    const std::string user = geteuid() == 0 ? "setpriv --reuid=nobody --regid=nogroup --clear-groups " : "";
    ASSERT_EQ(sh("chmod 755 '" + root + "' && mkdir -m 777 '" + root + "cache' && cp -r '" + prefix +
                 "share/lumiker/workspace' '" + root + "demo' && cp -r '" + root + "demo' '" + root +
                 "nologo' && rm '" + root + "nologo/logo.jpg' && chmod -R a-w '" + root + "demo' '" + root + "nologo'"),
              0);
    const std::string read_only = "env -u DISPLAY XDG_CACHE_HOME='" + root + "cache' " + user + "'" + prefix +
                                  "bin/lumiker-script' --time '2024-03-05 10:20:30' --png '" + root + "cache/";
    EXPECT_EQ(sh(read_only + "demo.png' '" + root + "demo' 2>'" + root + "demo.err'"), 0)
        << file_bytes(root + "demo.err");
    EXPECT_EQ(file_bytes(root + "cache/demo.png"), installed);
    const int status = sh(read_only + "nologo.png' '" + root + "nologo' 2>'" + root + "nologo.err'");
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 1);
    EXPECT_NE(file_bytes(root + "nologo.err").find(root + "nologo/logo.jpg"), std::string::npos)
        << file_bytes(root + "nologo.err");
    EXPECT_NE(file_bytes(root + "cache/nologo.png"), installed);

    // The picture tool links no windowing library.
    std::string needed = output_of("readelf -d '" + prefix + "bin/lumiker-script'");
    EXPECT_EQ(needed.find("glut"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("SDL"), std::string::npos) << needed;

    sh("chmod -R u+w '" + root + "' && rm -rf '" + root + "'");
}

#endif
