// The settings-file module: reading with defaults, case-insensitive names,
// writing in place or appending while every other byte of the file is kept,
// with its mode; a file there that cannot be read is never replaced.
#include "platform/file_write.h"
#include "platform/profile.h"
#include <cerrno>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string temp_path(const char* name)
{
    return std::string("/tmp/lumiker_profile_") + std::to_string(getpid()) + "_" + name;
}

void put(const std::string& path, const std::string& content)
{
    std::ofstream f(path, std::ios::binary);
    f << content;
}

std::string get(const std::string& path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string read(const char* sec, const char* key, const char* def, const std::string& path)
{
    char buf[260];
    profile_read(sec, key, def, buf, sizeof buf, path.c_str());
    return buf;
}

} // namespace

TEST(Profile, ReadsValuesDefaultsAndIgnoresCase)
{
    std::string p = temp_path("read.ini");
    put(p, "; settings\r\n[LedPara]\r\n Width = 512 \r\nHEIGHT=128\r\nwidth=999\r\n[RemotIP]\r\nRemotIP=\"10.0.0.7\"\r\n"
           "[ledpara]\r\nPROGRAMID=5\r\n");
    EXPECT_EQ(read("LEDPARA", "WIDTH", "Error", p), "512");        // case-insensitive, blanks trimmed
    EXPECT_EQ(read("ledpara", "height", "Error", p), "128");
    EXPECT_EQ(read("LEDPARA", "PROGRAMID", "1", p), "1");          // only the first section counts
    EXPECT_EQ(read("RemotIP", "RemotIP", "Error", p), "10.0.0.7"); // quotes removed
    EXPECT_EQ(read("LEDPARA", "DEPTH", "Error", p), "Error");
    EXPECT_EQ(read("NOPE", "WIDTH", "x", p), "x");
    EXPECT_EQ(read("LEDPARA", "WIDTH", "Error", temp_path("missing.ini")), "Error");

    char small[4];
    profile_read("LEDPARA", "WIDTH", "", small, sizeof small, p.c_str());
    EXPECT_STREQ(small, "512");
    char tiny[3];
    profile_read("LEDPARA", "WIDTH", "", tiny, sizeof tiny, p.c_str());
    EXPECT_STREQ(tiny, "51");  // cut, never overrun
    remove(p.c_str());
}

TEST(Profile, WritesInPlaceAppendsAndKeepsEverythingElse)
{
    std::string p = temp_path("write.ini");
    const std::string head = "; keep me\r\n[LEDPARA]\r\nWIDTH=256\r\nHEIGHT=64\r\n\r\n[NetSyc]\r\nSyc_Update=0\r\nOther=x\r\n";
    put(p, head);
    ASSERT_TRUE(profile_write("netsyc", "SYC_UPDATE", "1", p.c_str()));
    EXPECT_EQ(get(p), "; keep me\r\n[LEDPARA]\r\nWIDTH=256\r\nHEIGHT=64\r\n\r\n[NetSyc]\r\nSYC_UPDATE=1\r\nOther=x\r\n");
    EXPECT_EQ(read("NetSyc", "Syc_Update", "", p), "1");

    // A new key goes at the end of its section, before the blank line.
    ASSERT_TRUE(profile_write("LEDPARA", "PROGRAMID", "3", p.c_str()));
    EXPECT_EQ(get(p), "; keep me\r\n[LEDPARA]\r\nWIDTH=256\r\nHEIGHT=64\r\nPROGRAMID=3\r\n\r\n[NetSyc]\r\nSYC_UPDATE=1\r\nOther=x\r\n");

    // A new section goes at the end of the file with the file's own line ending.
    ASSERT_TRUE(profile_write("RemotIP", "RemotIP", "1.2.3.4", p.c_str()));
    EXPECT_EQ(read("RemotIP", "RemotIP", "", p), "1.2.3.4");
    EXPECT_NE(get(p).find("Other=x\r\n[RemotIP]\r\nRemotIP=1.2.3.4\r\n"), std::string::npos);

    // LF-only files stay LF-only; a last line without an ending gets one before the append.
    put(p, "[A]\nk=1");
    ASSERT_TRUE(profile_write("B", "j", "2", p.c_str()));
    EXPECT_EQ(get(p), "[A]\nk=1\n[B]\nj=2\n");

    // A missing file is created.
    remove(p.c_str());
    ASSERT_TRUE(profile_write("NetSyc", "Syc_Update", "1", p.c_str()));
    EXPECT_EQ(get(p), "[NetSyc]\r\nSyc_Update=1\r\n");
    remove(p.c_str());

    EXPECT_FALSE(profile_write("A", "k", "v", "/nonexistent-dir/x.ini"));

    // A private settings file stays private.
    put(p, head);
    ASSERT_EQ(chmod(p.c_str(), 0600), 0);
    ASSERT_TRUE(profile_write("NetSyc", "Syc_Update", "1", p.c_str()));
    struct stat st;
    ASSERT_EQ(stat(p.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    // A read error (here an I/O error) keeps the file as it was, and says so.
    const std::string kept = get(p);
    file_fault_step = FAULT_READ;
    file_fault_errno = EIO;
    outcome o = profile_write("NetSyc", "Syc_Update", "2", p.c_str());
    file_fault_step = FAULT_NONE;
    EXPECT_FALSE(o.ok);
    EXPECT_NE(o.why.find("输入输出错误"), std::string::npos) << o.why;
    EXPECT_EQ(get(p), kept);
    remove(p.c_str());

    // A pipe in its place neither hangs a read nor becomes a file.
    ASSERT_EQ(mkfifo(p.c_str(), 0644), 0);
    EXPECT_EQ(read("NetSyc", "Syc_Update", "none", p), "none");
    EXPECT_FALSE(profile_write("NetSyc", "Syc_Update", "1", p.c_str()));
    EXPECT_TRUE(stat(p.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    remove(p.c_str());
}
