// Saves cut off at every point, on a full disk and into a read-only folder:
// every file is always either its whole old or its whole new version, the
// backup is never lost to a copy of the unchanged script, the failure is on
// the status line and Syc_Update is set only after a whole save. Settings
// that cannot be read, folders that cannot be flushed, planted links, files
// changed by another designer and refused script lines lose nothing.
#include "edit/close_prompt.h"
#include "edit/interaction.h"
#include "edit/pointer.h"
#include "edit/status.h"
#include "output/layout_save.h"
#include "output/program_file.h"
#include "platform/file_write.h"
#include "platform/workspace_lock.h"
#include "test_layout_helpers.h"
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const char* const FILES[] = {"ledsys/CMD1/cmd.txt", "ledsys/CMD1/cmd.txt.bak", "one_pic_effect.vsn", "SysCfg.ini"};
const std::string ABSENT = "<absent>";
const std::string OLDER = "led clearall \r\nled 16t 1 2 3 OLD\r\n";   // the backup of an earlier save
constexpr unsigned char KEY_ENTER = 13, KEY_ESC = 27;
constexpr uid_t NOBODY = 65534;

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

// The designer's save over a workspace's document: a view, an interaction
// whose status line takes the reports, and the editor over them.
struct saving_designer {
    view v;
    std::unique_ptr<interaction> ui{new interaction()};
    editor e;
    explicit saving_designer(temp_workspace& ws) : e{ws.d(), v, *ui} { status_take_reports(ui->status); }
    ~saving_designer() { report_attach(REPORT_STATUS, nullptr); }
    bool save() { return save_data(e); }
    bool status_says(const char* words) const { return std::string(ui->status.utf8).find(words) != std::string::npos; }
};

// A workspace with a saved layout, loaded, and one item moved since.
void moved_layout(temp_workspace& ws)
{
    ws.write_script("led clearall \r\nled clearall \r\nled 16t 1 2 3 AB\r\nled l 0 10 10 40 10 \r\n\r\n\r\n");
    ws.write("one_pic_effect.vsn", "{\"Programs\":{\"Program\":{\"Pages\":[{\"Regions\":[]}],\"Name\":\"\\u8282\"}}}\n");
    ws.write("ledsys/CMD1/cmd.txt.bak", OLDER);
    fresh_start(ws);
    int lines = 0;
    pool_walk(ws.d().items, ITEM_TABLE_UNITS, [&](item_id, item& it) {
        if (it.kind == KIND_LINE) it.x += 4, lines++;
    });
    ASSERT_EQ(lines, 1);
}

// Save in a child process that dies after `budget` bytes (-1: never).
int save_in_child(saving_designer& g, int64_t budget)
{
    pid_t pid = fork();
    if (pid == 0) {
        file_write_kill_after = budget;
        _exit(g.save() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Run `body` in a child without root's power over file modes (as nobody,
// owning the workspace, when the tests run as root); 0 when it returned true.
int as_plain_user(const std::string& dir, const std::function<bool()>& body)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (geteuid() == 0 && (system(("chown -R 65534:65534 '" + dir + "'").c_str()) != 0 || setgid(NOBODY) != 0 ||
                               setuid(NOBODY) != 0))
            _exit(2);
        _exit(body() ? 0 : 1);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(SaveFaults, EveryFileIsWholeOldOrWholeNewWhateverStopsTheSave)
{
    temp_workspace ws(256, 64);
    saving_designer g(ws);
    const interaction& ui = *g.ui;
    const std::string cmd = ws.d().paths.cmd, cfg = ws.d().paths.cfg;
    moved_layout(ws);
    const auto before = files_of(ws);
    ASSERT_EQ(save_in_child(g, -1), 0);
    const auto after = files_of(ws);
    ASSERT_NE(after.at(FILES[0]), before.at(FILES[0]));
    ASSERT_EQ(after.at(FILES[1]), before.at(FILES[0]));    // the previous script kept
    ASSERT_NE(after.at("SysCfg.ini").find("Syc_Update=1"), std::string::npos);
    size_t total = 0;
    for (const auto& [name, data] : after) total += data == ABSENT ? 0 : data.size();

    // Killed after every possible number of bytes, and before each rename.
    for (int64_t n = 0, status = 1; status != 0 && n <= (int64_t)total + 1; n++) {
        put_files(ws, before);
        status = save_in_child(g, n);   // 0 once the budget outlasts the save
        const auto now = files_of(ws);
        for (const auto& [name, data] : now)
            ASSERT_TRUE(data == before.at(name) || data == after.at(name)) << name << " after " << n << " bytes";
        // Syc_Update is told only once both documents are new.
        if (now.at("SysCfg.ini") == after.at("SysCfg.ini")) {
            EXPECT_TRUE(now.at(FILES[0]) == after.at(FILES[0]) && now.at(FILES[2]) == after.at(FILES[2])) << n;
        }
        // The backup changes only once the new script is in place.
        if (now.at(FILES[0]) == before.at(FILES[0])) {
            EXPECT_EQ(now.at(FILES[1]), OLDER) << n;
        }
    }
    // The killed saves left their temporaries; the next start removes them,
    // and nothing a user named like a temporary.
    ws.write("ledsys/CMD1/cmd.txt.tmp.999999", "mine");
    ws.write("ledsys/CMD1/.cmd.txt.lumiker-tmp.1.notes", "mine too");
    EXPECT_GT(remove_stale_temporaries((ws.dir + "ledsys/CMD1").c_str()) + remove_stale_temporaries(ws.dir.c_str()), 0);
    EXPECT_EQ(remove_stale_temporaries(ws.dir.c_str()) + remove_stale_temporaries((ws.dir + "ledsys/CMD1").c_str()), 0);
    EXPECT_EQ(ws.read("ledsys/CMD1/cmd.txt.tmp.999999"), "mine");
    EXPECT_EQ(ws.read("ledsys/CMD1/.cmd.txt.lumiker-tmp.1.notes"), "mine too");

    // A link planted where temporaries used to go leads nowhere; a folder
    // that cannot be flushed after the rename makes the save fail.
    put_files(ws, before);
    const std::string outside = ws.path("outside.txt");
    ws.write("outside.txt", "not yours");
    ASSERT_EQ(symlink(outside.c_str(), (cmd + ".tmp." + std::to_string(getpid())).c_str()), 0);
    file_fault_step = FAULT_FOLDER_SYNC;
    file_fault_errno = EIO;
    EXPECT_FALSE(g.save());
    file_fault_step = FAULT_NONE;
    EXPECT_TRUE(g.status_says("保存失败：无法确认")) << ui.status.utf8;
    EXPECT_EQ(ws.read("outside.txt"), "not yours");
    EXPECT_TRUE(g.save()) << ui.status.utf8;   // what it renamed into place is no one else's change
    // A script with a second hard link: saved under its name, the other
    // name keeps the old script, and the status line says so.
    put_files(ws, before);
    moved_layout(ws);
    ASSERT_EQ(link(cmd.c_str(), ws.path("hall.txt").c_str()), 0);
    EXPECT_TRUE(g.save()) << ui.status.utf8;
    EXPECT_TRUE(g.status_says("有多个硬链接")) << ui.status.utf8;
    EXPECT_EQ(files_of(ws), after);
    EXPECT_EQ(ws.read("hall.txt"), before.at(FILES[0]));
    EXPECT_EQ(ws.read("outside.txt"), "not yours");

    // Settings that are there but cannot be read (here: no permission, or a
    // pipe) are never replaced: the save fails and names them.
    put_files(ws, before);
    EXPECT_EQ(as_plain_user(ws.dir, [&] {
                  chmod(cfg.c_str(), 0);
                  return !g.save() && g.status_says("SysCfg.ini") && g.status_says("没有权限");
              }), 0) << "the save went on without the settings";
    chmod(cfg.c_str(), 0644);
    EXPECT_EQ(files_of(ws), before);
    unlink(cfg.c_str());
    ASSERT_EQ(mkfifo(cfg.c_str(), 0644), 0);
    EXPECT_FALSE(g.save());
    EXPECT_TRUE(g.status_says("SysCfg.ini 不是普通文件")) << ui.status.utf8;
    struct stat st;
    EXPECT_TRUE(lstat(cfg.c_str(), &st) == 0 && S_ISFIFO(st.st_mode));
    unlink(cfg.c_str());

    // A full disk, then a read-only folder: nothing changes, the status line says why.
    if (mount("lumiker-test", ws.dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
        printf("[  SKIPPED ] full disk and read-only folder: tmpfs cannot be mounted here (%s)\n", strerror(errno));
        return;
    }
    mkdir(ws.path("ledsys").c_str(), 0777);
    mkdir(ws.path("ledsys/CMD1").c_str(), 0777);
    put_files(ws, before);
    fresh_start(ws);
    moved_layout(ws);
    {
        std::string filler(4096, 'x');
        FILE* f = fopen(ws.path("filler").c_str(), "wb");
        while (f && fwrite(filler.data(), 1, filler.size(), f) == filler.size() && fflush(f) == 0) {}
        if (f) fclose(f);
    }
    EXPECT_FALSE(g.save());
    EXPECT_EQ(ui.status.tone, STATUS_ERROR);
    EXPECT_EQ(std::string(ui.status.utf8).rfind("保存失败：", 0), 0u) << ui.status.utf8;
    EXPECT_EQ(files_of(ws), before);
    unlink(ws.path("filler").c_str());
    ASSERT_EQ(mount("lumiker-test", ws.dir.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k"), 0);
    status_clear(g.ui->status);
    EXPECT_FALSE(g.save());
    EXPECT_EQ(ui.status.tone, STATUS_ERROR);
    EXPECT_NE(std::string(ui.status.utf8).find("文件系统只读"), std::string::npos) << ui.status.utf8;
    EXPECT_EQ(files_of(ws), before);
    EXPECT_EQ(umount(ws.dir.c_str()), 0);
}

TEST(SaveFaults, ChangesMadeElsewhereAreSavedOverOnlyOnTheUsersWord)
{
    temp_workspace ws(256, 64);
    // A second designer on the workspace is told who holds it, until that one ends.
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    pid_t other = fork();
    if (other == 0) {
        workspace_lock_take(ws.dir.c_str());
        if (write(ready[1], "x", 1) != 1) _exit(1);
        pause();
        _exit(0);
    }
    char c;
    ASSERT_EQ(read(ready[0], &c, 1), 1);
    outcome in_use = workspace_lock_take(ws.dir.c_str());
    EXPECT_TRUE(in_use.ok);
    EXPECT_NE(in_use.why.find("进程 " + std::to_string(other)), std::string::npos) << in_use.why;
    kill(other, SIGKILL);
    waitpid(other, nullptr, 0);
    EXPECT_EQ(workspace_lock_take(ws.dir.c_str()).why, "");
    workspace_lock_release();

    // The other designer saves after this one loaded: nothing is written, the user is asked.
    saving_designer g(ws);
    const interaction& ui = *g.ui;
    moved_layout(ws);
    const std::string theirs = "led clearall \r\nled clearall \r\nled 16t 1 2 3 XY\r\n\r\n\r\n";
    ws.write_script(theirs);
    EXPECT_FALSE(g.save());
    ASSERT_TRUE(ui.prompt.shown);
    EXPECT_TRUE(g.status_says("ledsys/CMD1/cmd.txt 在载入或上次保存之后被别处改动了")) << ui.status.utf8;
    prompt_key(g.e, KEY_ESC);   // "取消": theirs stays
    EXPECT_FALSE(ui.prompt.shown);
    EXPECT_TRUE(g.status_says("保留了那些改动")) << ui.status.utf8;
    EXPECT_EQ(ws.script(), theirs);
    EXPECT_EQ(ws.read("ledsys/CMD1/cmd.txt.bak"), OLDER);
    EXPECT_FALSE(g.save());
    prompt_key(g.e, KEY_ENTER);   // "覆盖保存": saved, theirs kept as the backup
    EXPECT_EQ(ui.status.tone, STATUS_OK) << ui.status.utf8;
    EXPECT_NE(ws.script(), theirs);
    EXPECT_EQ(ws.read("ledsys/CMD1/cmd.txt.bak"), theirs);
    // The program file is checked too; the next save is no question.
    ws.write("one_pic_effect.vsn", "{\"Programs\":{\"Program\":{\"Pages\":[{\"Regions\":[]}]}}}\n");
    EXPECT_FALSE(g.save());
    EXPECT_TRUE(g.status_says("one_pic_effect.vsn")) << ui.status.utf8;
    prompt_key(g.e, KEY_ENTER);
    EXPECT_TRUE(g.save());
    EXPECT_FALSE(ui.prompt.shown);

    // Lines the load refused go to the side file before the first save drops
    // them, after what it held already, and only once.
    const std::string side = std::string("ledsys/CMD1/cmd.txt") + REFUSED_LINES_SUFFIX;
    ws.write_script("led clearall \r\nbogus words here\r\nled 16t 1 2 3 AB\r\n");
    ws.write(side, "kept before\r\n");
    fresh_start(ws);
    ASSERT_EQ(ws.d().script.refused, 1);
    std::string report_path;
    ASSERT_TRUE(write_script_report(ws.d(), report_path).ok);
    EXPECT_NE(temp_workspace::read_path(report_path).find("cmd.txt:2: 未读入: "), std::string::npos);
    ASSERT_TRUE(g.save());
    EXPECT_TRUE(g.status_says("未能载入的 1 行另存在 ledsys/CMD1/cmd.txt.refused.txt")) << ui.status.utf8;
    EXPECT_EQ(ws.read(side), "kept before\r\nbogus words here\r\n");
    ASSERT_TRUE(g.save());
    EXPECT_EQ(ws.read(side), "kept before\r\nbogus words here\r\n");
}
