// cmake --install into a temporary prefix and cpack -G DEB: the layout a user
// gets, the installed programs' first start and panel picture, and the
// package's contents, Depends and lintian verdict. Slow: one grouped test.
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
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

TEST(Install, PrefixLayoutFirstStartPictureAndDebianPackage)
{
    char t[] = "/tmp/lumiker_install_XXXXXX";
    ASSERT_TRUE(mkdtemp(t));
    const std::string root = std::string(t) + "/", prefix = root + "prefix/", build = LUMIKER_BUILD_DIR;
    auto sh = [](const std::string& cmd) { return system(cmd.c_str()); };
    ASSERT_EQ(sh("cmake --install '" + build + "' --prefix '" + prefix + "' >'" + root + "install.log' 2>&1"), 0);
    for (const char* f : {"bin/lumiker", "bin/lumiker-script", "share/lumiker/workspace/SysCfg.ini",
                          "share/lumiker/workspace/ledsys/CMD1/cmd.txt", "share/lumiker/Font/fonts/font_libs/HZK/16/HZK16S",
                          "share/applications/lumiker.desktop", "share/icons/hicolor/64x64/apps/lumiker.png",
                          "share/man/man1/lumiker.1.gz", "share/man/man1/lumiker-script.1.gz"})
        EXPECT_EQ(access((prefix + f).c_str(), R_OK), 0) << f;
    EXPECT_EQ(sh("desktop-file-validate '" + prefix + "share/applications/lumiker.desktop'"), 0);
    EXPECT_NE(file_bytes(prefix + "share/applications/lumiker.desktop").find("Name[zh_CN]="), std::string::npos);

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
    // The picture tool links no windowing library.
    std::string needed = output_of("readelf -d '" + prefix + "bin/lumiker-script'");
    EXPECT_EQ(needed.find("glut"), std::string::npos) << needed;
    EXPECT_EQ(needed.find("SDL"), std::string::npos) << needed;

    // The Debian package: its files, Depends from dpkg-shlibdeps plus the
    // screen font, and no lintian errors.
    ASSERT_EQ(sh("cpack -G DEB --config '" + build + "/CPackConfig.cmake' -B '" + root + "pkg' >'" + root +
                 "cpack.log' 2>&1"),
              0)
        << file_bytes(root + "cpack.log");
    std::string deb = output_of("ls '" + root + "pkg/'lumiker_*.deb | head -1");
    while (!deb.empty() && deb.back() == '\n') deb.pop_back();
    ASSERT_FALSE(deb.empty());
    std::string listing = output_of("dpkg-deb -c '" + deb + "'");
    for (const char* f : {"./usr/bin/lumiker\n", "./usr/bin/lumiker-script\n", "./usr/share/applications/lumiker.desktop\n",
                          "./usr/share/lumiker/Font/fonts/font_libs/HZK/16/HZK16S\n", "./usr/share/man/man1/lumiker.1.gz\n",
                          "./usr/share/lumiker/workspace/SysCfg.ini\n", "./usr/share/doc/lumiker/copyright\n"})
        EXPECT_NE(listing.find(f), std::string::npos) << f;
    std::string depends = output_of("dpkg-deb -f '" + deb + "' Depends");
    for (const char* d : {"fonts-arphic-uming", "libc6 (>=", "libfreetype6", "libjsoncpp", "libfontconfig1"})
        EXPECT_NE(depends.find(d), std::string::npos) << d << " in " << depends;
    std::string lint = output_of("lintian '" + deb + "' 2>&1");
    EXPECT_EQ(lint.find("\nE: "), std::string::npos) << lint;
    EXPECT_NE(lint.rfind("E: ", 0), 0u) << lint;
    sh("rm -rf '" + root + "'");
}

#endif
