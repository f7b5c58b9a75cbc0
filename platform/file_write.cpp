/*******************************************************************************
 * platform/file_write.cpp - temporary file, flush, rename; whole-file reads
 ******************************************************************************/
#include "platform/file_write.h"
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <filesystem>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int64_t file_write_kill_after = -1;

namespace {

constexpr const char* TEMP_MARK = ".tmp.";

// Only temporaries of the kinds of files the program writes are removed, so
// a user's own file that merely looks like one is never touched.
bool written_here(const char* name, const char* mark)
{
    static const char* const kinds[] = {".txt", ".txt.bak", ".ini", ".vsn", ".bmp"};
    const std::string base(name, (size_t)(mark - name));
    for (const char* k : kinds) {
        const size_t n = strlen(k);
        if (base.size() > n && base.compare(base.size() - n, n, k) == 0) return true;
    }
    return false;
}

// The test hook: end the process as a kill would, with no clean-up.
void killed_here() { _exit(137); }

// Flush a folder so a rename in it is on disk; folders that cannot be
// opened or flushed (some file systems) are no failure.
void flush_folder(const std::string& dir)
{
    int fd = open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Write all of `data` to `fd`, honouring the test hook.
bool write_all(int fd, const std::string& data, int& err)
{
    size_t done = 0;
    while (done < data.size()) {
        size_t chunk = data.size() - done;
        if (file_write_kill_after == 0) killed_here();
        if (file_write_kill_after > 0 && (int64_t)chunk > file_write_kill_after) chunk = (size_t)file_write_kill_after;
        ssize_t n = write(fd, data.data() + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            err = n < 0 ? errno : ENOSPC;
            return false;
        }
        done += (size_t)n;
        if (file_write_kill_after > 0) file_write_kill_after -= n;
    }
    return true;
}

} // namespace

bool make_folders(const std::string& dir)
{
    if (dir.empty()) return true;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec);
}

bool replace_file(const char* path, const std::string& data, std::string& why, bool make_folder)
{
    std::string target = path ? path : "";
    if (target.empty()) {
        why = "no file name";
        return false;
    }
    size_t slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash);
    if (make_folder && !folder.empty() && !make_folders(folder)) {
        why = "cannot create the folder " + folder + ": " + strerror(errno);
        return false;
    }
    std::string tmp = target + TEMP_MARK + std::to_string((long)getpid());
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        why = "cannot create " + tmp + ": " + strerror(errno);
        return false;
    }
    int err = 0;
    if (!write_all(fd, data, err)) {
        why = "cannot write " + tmp + ": " + strerror(err);
        close(fd);
        unlink(tmp.c_str());
        return false;
    }
    if (fsync(fd) != 0 && errno != EINVAL) {
        why = "cannot flush " + tmp + ": " + strerror(errno);
        close(fd);
        unlink(tmp.c_str());
        return false;
    }
    if (close(fd) != 0) {
        why = "cannot close " + tmp + ": " + strerror(errno);
        unlink(tmp.c_str());
        return false;
    }
    if (file_write_kill_after == 0) killed_here();
    if (rename(tmp.c_str(), target.c_str()) != 0) {
        why = "cannot replace " + target + ": " + strerror(errno);
        unlink(tmp.c_str());
        return false;
    }
    flush_folder(folder);
    return true;
}

bool read_whole_file(const char* path, size_t max, std::string& data, std::string& why, bool* missing)
{
    data.clear();
    if (missing) *missing = false;
    const std::string name = path ? path : "(none)";
    struct stat st;
    if (!path || stat(path, &st) != 0) {
        if (missing) *missing = (errno == ENOENT || errno == ENOTDIR);
        why = "cannot open " + name + ": " + strerror(errno);
        return false;
    }
    // A folder or a pipe is never read (a pipe could block the program).
    if (!S_ISREG(st.st_mode)) {
        why = name + " is not a regular file";
        return false;
    }
    if ((uint64_t)st.st_size > max) {
        why = name + " is larger than " + std::to_string(max) + " bytes";
        return false;
    }
    FILE* f = fopen(path, "rb");
    if (!f) {
        why = "cannot open " + name + ": " + strerror(errno);
        return false;
    }
    char buf[65536];
    size_t n;
    bool ok = true;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) {
        if (data.size() + n > max) {
            why = name + " is larger than " + std::to_string(max) + " bytes";
            ok = false;
            break;
        }
        data.append(buf, n);
    }
    if (ok && ferror(f)) {
        why = "cannot read " + name + ": " + strerror(errno);
        ok = false;
    }
    fclose(f);
    if (!ok) data.clear();
    return ok;
}

int remove_stale_temporaries(const char* dir)
{
    DIR* d = dir ? opendir(dir) : nullptr;
    if (!d) return 0;
    int removed = 0;
    std::string base = dir;
    if (!base.empty() && base.back() != '/') base += '/';
    while (struct dirent* e = readdir(d)) {
        const char* mark = strstr(e->d_name, TEMP_MARK);
        if (!mark || mark == e->d_name || !written_here(e->d_name, mark)) continue;
        const char* digits = mark + strlen(TEMP_MARK);
        char* end = nullptr;
        long pid = strtol(digits, &end, 10);
        if (*digits == 0 || *end != 0 || pid <= 0 || strchr(digits, '.')) continue;
        // A process that still runs (or that we may not signal) keeps its file.
        if (kill((pid_t)pid, 0) == 0 || errno != ESRCH) continue;
        if (unlink((base + e->d_name).c_str()) == 0) removed++;
    }
    closedir(d);
    return removed;
}
