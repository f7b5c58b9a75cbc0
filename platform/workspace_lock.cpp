/*******************************************************************************
 * platform/workspace_lock.cpp - the workspace's lock file
 ******************************************************************************/
#include "platform/workspace_lock.h"
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr mode_t LOCK_FILE_MODE = 0666;   // before the umask
constexpr int PID_TEXT_MAX = 32;

int held_fd = -1;

} // namespace

outcome workspace_lock_take(const char* dir)
{
    workspace_lock_release();
    std::string path = dir ? dir : "";
    if (!path.empty() && path.back() != '/') path += '/';
    path += WORKSPACE_LOCK_NAME;
    // Never through a link, never blocking on a pipe, only a regular file.
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, LOCK_FILE_MODE);
    if (fd < 0) return outcome_ok();
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        close(fd);
        return outcome_ok();
    }
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        const std::string pid = std::to_string((long)getpid()) + "\n";
        if (ftruncate(fd, 0) == 0 && pwrite(fd, pid.data(), pid.size(), 0) < 0) {}
        held_fd = fd;
        return outcome_ok();
    }
    const bool taken = errno == EWOULDBLOCK;
    char text[PID_TEXT_MAX] = "";
    const ssize_t n = pread(fd, text, sizeof text - 1, 0);
    close(fd);
    if (!taken) return outcome_ok();
    text[n > 0 ? n : 0] = 0;
    return outcome_note(MSG_WORKSPACE_IN_USE, atoi(text));
}

void workspace_lock_release()
{
    if (held_fd < 0) return;
    close(held_fd);
    held_fd = -1;
}
