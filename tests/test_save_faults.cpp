// Saves cut off at every point, on a full disk and into a read-only folder:
// every file is always either its whole old or its whole new version, the
// failure is on the status line and Syc_Update is set only after a whole save.
#include "edit/pointer.h"
#include "edit/status.h"
#include "output/layout_save.h"
#include "platform/file_write.h"
#include "test_layout_helpers.h"
#include <gtest/gtest.h>
#include <map>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const FILES[] = {"ledsys/CMD1/cmd.txt", "ledsys/CMD1/cmd.txt.bak", "one_pic_effect.vsn", "SysCfg.ini"};
const std::string ABSENT = "<absent>";

std::map<std::string, std::string> files_of(const temp_workspace& ws)
{
    std::map<std::string, std::string> m;
    for (const char* f : FILES) {
        struct stat st;
        m[f] = stat(ws.path(f).c_str(), &st) == 0 ? ws.read(f) : ABSENT;
    }
    return m;
}

void put_files(const temp_workspace& ws, const std::map<std::string, std::string>& m)
{
    for (const auto& [name, data] : m) {
        if (data == ABSENT) unlink(ws.path(name).c_str());
        else ws.write(name, data);
    }
}

// A workspace with a saved layout, loaded, and one item moved since.
void moved_layout(temp_workspace& ws)
{
    ws.write_script("led clearall \r\nled clearall \r\nled 16t 1 2 3 AB\r\nled l 0 10 10 40 10 \r\n\r\n\r\n");
    ws.write("one_pic_effect.vsn", "{\"Programs\":{\"Program\":{\"Pages\":[{\"Regions\":[]}],\"Name\":\"\\u8282\"}}}\n");
    fresh_start();
    for (Digit_unit& d : digit_table)
        if (d.visible && d.kind == KIND_LINE && d.x > 265) d.x += 8;
}

// Save in a child process that dies after `budget` bytes (-1: never).
int save_in_child(int64_t budget)
{
    pid_t pid = fork();
    if (pid == 0) {
        file_write_kill_after = budget;
        _exit(save_data() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SaveFaults, EveryFileIsWholeOldOrWholeNewWhateverStopsTheSave)
{
    temp_workspace ws(256, 64);
    moved_layout(ws);
    const auto before = files_of(ws);
    ASSERT_EQ(save_in_child(-1), 0);
    const auto after = files_of(ws);
    ASSERT_NE(after.at(FILES[0]), before.at(FILES[0]));
    ASSERT_EQ(after.at(FILES[1]), before.at(FILES[0]));    // the previous script kept
    ASSERT_NE(after.at("SysCfg.ini").find("Syc_Update=1"), std::string::npos);
    size_t total = 0;
    for (const auto& [name, data] : after) total += data == ABSENT ? 0 : data.size();

    // Killed after every possible number of bytes, and before each rename.
    for (int64_t n = 0, status = 1; status != 0 && n <= (int64_t)total + 1; n++) {
        put_files(ws, before);
        status = save_in_child(n);   // 0 once the budget outlasts the save
        const auto now = files_of(ws);
        for (const auto& [name, data] : now)
            ASSERT_TRUE(data == before.at(name) || data == after.at(name)) << name << " after " << n << " bytes";
        // Syc_Update is told only once both documents are new.
        if (now.at("SysCfg.ini") == after.at("SysCfg.ini")) {
            EXPECT_TRUE(now.at(FILES[0]) == after.at(FILES[0]) && now.at(FILES[2]) == after.at(FILES[2])) << n;
        }
    }
    // The killed saves left their temporaries; the next start removes them.
    EXPECT_GT(remove_stale_temporaries((ws.dir + "ledsys/CMD1").c_str()) + remove_stale_temporaries(ws.dir.c_str()), 0);
    EXPECT_EQ(remove_stale_temporaries(ws.dir.c_str()), 0);

    // A full disk, then a read-only folder: nothing changes, the status line says why.
    if (mount("lumiker-test", ws.dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
        printf("[  SKIPPED ] full disk and read-only folder: tmpfs cannot be mounted here (%s)\n", strerror(errno));
        return;
    }
    mkdir(ws.path("ledsys").c_str(), 0777);
    mkdir(ws.path("ledsys/CMD1").c_str(), 0777);
    put_files(ws, before);
    fresh_start();
    moved_layout(ws);
    {
        std::string filler(4096, 'x');
        FILE* f = fopen(ws.path("filler").c_str(), "wb");
        while (f && fwrite(filler.data(), 1, filler.size(), f) == filler.size() && fflush(f) == 0) {}
        if (f) fclose(f);
    }
    EXPECT_FALSE(save_data());
    EXPECT_EQ(status_tone, STATUS_ERROR);
    EXPECT_EQ(std::string(status_utf8).rfind("保存失败：", 0), 0u) << status_utf8;
    EXPECT_EQ(files_of(ws), before);
    unlink(ws.path("filler").c_str());
    ASSERT_EQ(mount("lumiker-test", ws.dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    status_clear();
    EXPECT_FALSE(save_data());
    EXPECT_EQ(status_tone, STATUS_ERROR);
    EXPECT_NE(std::string(status_utf8).find("文件系统只读"), std::string::npos) << status_utf8;
    EXPECT_EQ(files_of(ws), before);
    EXPECT_EQ(umount(ws.dir.c_str()), 0);
}
