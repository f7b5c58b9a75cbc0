/*******************************************************************************
 * platform/file_write.cpp - exclusive temporaries, flush, rename; regular reads
 *
 * Sections: test hooks | system errors in words | reading | stamps |
 * following links | replacing | stale temporaries
 ******************************************************************************/
#include "platform/file_write.h"
#include "platform/hash.h"
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

int64_t file_write_kill_after = -1;
int file_fault_step = FAULT_NONE;
int file_fault_errno = 0;

namespace {

constexpr const char* TEMP_TAG = ".lumiker-tmp.";   // in every temporary's name
constexpr const char* TEMP_RANDOM = "XXXXXX";       // mkstemp's random letters
constexpr size_t TEMP_RANDOM_LEN = 6;
constexpr mode_t NEW_FILE_MODE = 0666;              // before the umask
constexpr mode_t ALL_WRITE_BITS = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr mode_t MODE_BITS = 07777;
constexpr size_t READ_CHUNK = 65536;
constexpr int KILLED_STATUS = 137;

// ---- test hooks ------------------------------------------------------------------

// The test hook: end the process as a kill would, with no clean-up.
void killed_here() { _exit(KILLED_STATUS); }

// True (with errno set) when the test hook fails this step.
bool fault_at(file_fault step)
{
    if (file_fault_step != step) return false;
    errno = file_fault_errno;
    return true;
}

// Write all `size` bytes to `fd`, honouring the kill hook; false with errno.
bool write_all(int fd, const char* data, size_t size)
{
    size_t done = 0;
    while (done < size) {
        size_t chunk = size - done;
        if (file_write_kill_after == 0) killed_here();
        if (file_write_kill_after > 0 && (int64_t)chunk > file_write_kill_after) chunk = (size_t)file_write_kill_after;
        ssize_t n = write(fd, data + done, chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = ENOSPC;
            return false;
        }
        done += (size_t)n;
        if (file_write_kill_after > 0) file_write_kill_after -= n;
    }
    return true;
}

// The process's umask, read once (reading it means setting it back).
mode_t process_umask()
{
    static const mode_t mask = [] {
        mode_t m = umask(0);
        umask(m);
        return m;
    }();
    return mask;
}

std::string folder_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string base_of(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

outcome write_failed(const std::string& shown, int err)
{
    return outcome_fail(MSG_FILE_WRITE_FAILED, shown.c_str(), file_error_text(err).c_str());
}

} // namespace

// ---- system errors in words ----------------------------------------------------------

std::string file_error_text(int err)
{
    switch (err) {
    case EACCES:
    case EPERM: return msg(MSG_ERR_ACCESS);
    case ENOSPC:
    case EDQUOT: return msg(MSG_ERR_NO_SPACE);
    case EROFS: return msg(MSG_ERR_READ_ONLY_FS);
    case EIO: return msg(MSG_ERR_IO);
    case EMFILE:
    case ENFILE: return msg(MSG_ERR_TOO_MANY_FILES);
    case ENOENT: return msg(MSG_ERR_NOT_FOUND);
    case ENOTDIR: return msg(MSG_ERR_NOT_FOLDER);
    case EISDIR: return msg(MSG_ERR_IS_FOLDER);
    case ELOOP: return msg(MSG_ERR_LINK_LOOP);
    case ENAMETOOLONG: return msg(MSG_ERR_NAME_TOO_LONG);
    default: return msg(MSG_ERR_OTHER, err);
    }
}

bool make_folders(const std::string& dir)
{
    if (dir.empty()) return true;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec);
}

// ---- reading -----------------------------------------------------------------------

int open_regular_file(const char* path, read_check& check, int& err)
{
    err = 0;
    // Non-blocking: opening a pipe for reading would otherwise wait for a writer.
    int fd = path ? open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY) : -1;
    if (fd < 0) {
        err = path ? errno : ENOENT;
        check = err == ENOENT || err == ENOTDIR ? READ_MISSING : READ_ERROR;
        return -1;
    }
    struct stat st;
    if (fstat(fd, &st) != 0) {
        err = errno;
        close(fd);
        check = READ_ERROR;
        return -1;
    }
    if (!S_ISREG(st.st_mode)) {
        close(fd);
        check = READ_NOT_REGULAR;
        return -1;
    }
    // A regular file never blocks; reads then behave as usual.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    check = READ_OPEN;
    return fd;
}

FILE* fopen_regular(const char* path)
{
    read_check check;
    int err = 0;
    const int fd = open_regular_file(path, check, err);
    if (fd < 0) return nullptr;
    FILE* f = fdopen(fd, "rb");
    if (!f) close(fd);
    return f;
}

outcome read_whole_file(const char* path, size_t max, std::string& data, bool* missing, file_stamp* stamp)
{
    data.clear();
    if (missing) *missing = false;
    if (stamp) *stamp = file_stamp{};
    const std::string name = path ? path : "";
    read_check check;
    int err = 0;
    const int fd = open_regular_file(path, check, err);
    if (fd < 0) {
        if (check == READ_MISSING) {
            if (missing) *missing = true;
            if (stamp) stamp->state = STAMP_MISSING;
        }
        if (check == READ_NOT_REGULAR) return outcome_fail(MSG_FILE_NOT_REGULAR, name.c_str());
        return outcome_fail(MSG_FILE_READ_FAILED, name.c_str(), file_error_text(err).c_str());
    }
    struct stat st;
    outcome result = outcome_ok();
    if (fstat(fd, &st) == 0 && (uint64_t)st.st_size > max) {
        result = outcome_fail(MSG_FILE_TOO_LARGE, name.c_str(), (int)max);
    } else {
        char buf[READ_CHUNK];
        for (;;) {
            ssize_t n = fault_at(FAULT_READ) ? -1 : read(fd, buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) {
                result = outcome_fail(MSG_FILE_READ_FAILED, name.c_str(), file_error_text(errno).c_str());
                break;
            }
            if (n == 0) break;
            if (data.size() + (size_t)n > max) {
                result = outcome_fail(MSG_FILE_TOO_LARGE, name.c_str(), (int)max);
                break;
            }
            data.append(buf, (size_t)n);
        }
    }
    close(fd);
    if (!result) {
        data.clear();
        return result;
    }
    if (stamp) *stamp = stamp_of_data(data);
    return result;
}

// ---- stamps ----------------------------------------------------------------------------

// FNV-1a over the bytes: cheap, and any edit a person makes changes it.
file_stamp stamp_of_data(const std::string& data)
{
    file_stamp s;
    s.state = STAMP_PRESENT;
    s.size = data.size();
    s.hash = fnv_hash().add(data.data(), data.size()).h;
    return s;
}

bool stamp_changed(const file_stamp& known, const file_stamp& now)
{
    if (known.state == STAMP_UNKNOWN) return false;
    if (known.state != now.state) return true;
    return known.state == STAMP_PRESENT && (known.size != now.size || known.hash != now.hash);
}

// ---- following links ----------------------------------------------------------------------

namespace {

// Follow `path`'s links to the file they name; false when they go round.
bool follow_links(const std::string& path, std::string& out)
{
    out = path;
    for (int hop = 0; hop <= LINK_HOPS_MAX; hop++) {
        struct stat st;
        if (lstat(out.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        char buf[PATH_MAX];
        const ssize_t n = readlink(out.c_str(), buf, sizeof buf - 1);
        if (n <= 0) return true;
        std::string to(buf, (size_t)n);
        if (to[0] != '/') to = folder_of(out) + "/" + to;
        out = to;
    }
    return false;
}

} // namespace

std::string final_target(const char* path)
{
    std::string out;
    if (!path) return out;
    return follow_links(path, out) ? out : std::string(path);
}

// ---- replacing ------------------------------------------------------------------------------

file_replacement::~file_replacement() { replace_abandon(*this); }

void replace_abandon(file_replacement& r)
{
    if (r.temp_fd >= 0) close(r.temp_fd);
    r.temp_fd = -1;
    if (!r.temp.empty()) unlink(r.temp.c_str());
    r.temp.clear();
    if (r.folder_fd >= 0) close(r.folder_fd);
    r.folder_fd = -1;
}

outcome replace_begin(file_replacement& r, const char* path, const replace_options& options)
{
    replace_abandon(r);
    r.shown = path ? path : "";
    r.hard_linked = false;
    r.renamed = false;
    r.keep_owner = false;
    if (r.shown.empty()) return write_failed(r.shown, ENOENT);
    if (!follow_links(r.shown, r.target)) return write_failed(r.shown, ELOOP);
    const std::string folder = folder_of(r.target);
    if (options.make_folder && !make_folders(folder))
        return outcome_fail(MSG_FILE_FOLDER_FAILED, folder.c_str(), file_error_text(errno).c_str());

    // The file that is there decides the new one's mode and owner, or refuses.
    struct stat st;
    const bool there = lstat(r.target.c_str(), &st) == 0;
    if (!there && errno != ENOENT) return write_failed(r.shown, errno);
    r.mode = options.new_mode >= 0 ? (mode_t)options.new_mode : NEW_FILE_MODE & ~process_umask();
    if (there) {
        if (!S_ISREG(st.st_mode)) return outcome_fail(MSG_FILE_NOT_REGULAR, r.shown.c_str());
        const bool may_write = faccessat(AT_FDCWD, r.target.c_str(), W_OK, AT_EACCESS) == 0;
        if (!may_write && errno == EROFS) return write_failed(r.shown, EROFS);
        if (!may_write || (st.st_mode & ALL_WRITE_BITS) == 0) return outcome_fail(MSG_FILE_READ_ONLY, r.shown.c_str());
        r.mode = st.st_mode & MODE_BITS;
        r.hard_linked = st.st_nlink > 1;
        r.keep_owner = true;
        r.uid = st.st_uid;
        r.gid = st.st_gid;
    }

    r.folder_fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (r.folder_fd < 0) return write_failed(r.shown, errno);
    // O_EXCL with random letters: a name planted in advance (a link to a
    // file elsewhere) is never opened, only passed over.
    std::string name = folder + "/." + base_of(r.target) + TEMP_TAG + std::to_string((long)getpid()) + "." + TEMP_RANDOM;
    r.temp_fd = mkostemp(name.data(), O_CLOEXEC);
    if (r.temp_fd < 0) {
        const int err = errno;
        replace_abandon(r);
        return write_failed(r.shown, err);
    }
    r.temp = name;
    return outcome_ok();
}

outcome replace_write(file_replacement& r, const void* data, size_t size)
{
    if (r.temp_fd < 0) return write_failed(r.shown, EBADF);
    if (write_all(r.temp_fd, static_cast<const char*>(data), size)) return outcome_ok();
    const int err = errno;
    replace_abandon(r);
    return write_failed(r.shown, err);
}

outcome replace_finish(file_replacement& r)
{
    if (r.temp_fd < 0) return write_failed(r.shown, EBADF);
    const int fd = r.temp_fd;
    r.temp_fd = -1;
    int err = 0;
    if (fchmod(fd, (mode_t)r.mode) != 0) err = errno;
    // Root saving a user's file leaves it the user's; others keep what they may.
    if (!err && r.keep_owner && fchown(fd, (uid_t)r.uid, (gid_t)r.gid) != 0 && fchown(fd, (uid_t)-1, (gid_t)r.gid) != 0) {}
    if (!err && fsync(fd) != 0 && errno != EINVAL) {
        const int sync_err = errno;
        close(fd);
        replace_abandon(r);
        return outcome_fail(MSG_FILE_SYNC_FAILED, r.shown.c_str(), file_error_text(sync_err).c_str());
    }
    if (close(fd) != 0 && !err) err = errno;
    if (err) {
        replace_abandon(r);
        return write_failed(r.shown, err);
    }
    return outcome_ok();
}

outcome replace_prepare(file_replacement& r, const char* path, const std::string& data, const replace_options& options)
{
    outcome o = replace_begin(r, path, options);
    if (o) o = replace_write(r, data.data(), data.size());
    return o ? replace_finish(r) : o;
}

outcome replace_commit(file_replacement& r)
{
    if (r.temp.empty()) return write_failed(r.shown, ENOENT);
    if (file_write_kill_after == 0) killed_here();
    if (rename(r.temp.c_str(), r.target.c_str()) != 0) {
        const int err = errno;
        replace_abandon(r);
        return write_failed(r.shown, err);
    }
    r.temp.clear();
    r.renamed = true;
    // The rename is only done once it is on disk.
    int err = 0;
    if (fault_at(FAULT_FOLDER_SYNC) || (fsync(r.folder_fd) != 0 && errno != EINVAL)) err = errno;
    replace_abandon(r);
    if (err) return outcome_fail(MSG_FILE_SYNC_FAILED, r.shown.c_str(), file_error_text(err).c_str());
    if (r.hard_linked) return outcome_note(MSG_FILE_HARD_LINKS, r.shown.c_str());
    return outcome_ok();
}

outcome replace_file(const char* path, const std::string& data, const replace_options& options)
{
    file_replacement r;
    outcome o = replace_prepare(r, path, data, options);
    return o ? replace_commit(r) : o;
}

// ---- stale temporaries ------------------------------------------------------------------------

namespace {

// The process number in one of our temporaries' names, or 0 for any other name.
long temporary_owner(const char* name)
{
    if (name[0] != '.') return 0;
    const char* tag = strstr(name + 1, TEMP_TAG);
    if (!tag || tag == name + 1) return 0;
    const char* digits = tag + strlen(TEMP_TAG);
    char* end = nullptr;
    const long pid = strtol(digits, &end, 10);
    if (end == digits || pid <= 0 || *end != '.') return 0;
    const char* random = end + 1;
    if (strlen(random) != TEMP_RANDOM_LEN) return 0;
    for (const char* c = random; *c; c++)
        if (!((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z') || (*c >= '0' && *c <= '9'))) return 0;
    return pid;
}

} // namespace

int remove_stale_temporaries(const char* dir)
{
    DIR* d = dir ? opendir(dir) : nullptr;
    if (!d) return 0;
    int removed = 0;
    std::string base = dir;
    if (!base.empty() && base.back() != '/') base += '/';
    while (struct dirent* e = readdir(d)) {
        const long pid = temporary_owner(e->d_name);
        if (pid <= 0) continue;
        // A process that still runs (or that we may not signal) keeps its file.
        if (kill((pid_t)pid, 0) == 0 || errno != ESRCH) continue;
        const std::string path = base + e->d_name;
        struct stat st;
        if (lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        if (unlink(path.c_str()) == 0) removed++;
    }
    closedir(d);
    return removed;
}
