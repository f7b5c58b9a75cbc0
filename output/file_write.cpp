/*******************************************************************************
 * output/file_write.cpp - temporary file, flush, rename; whole-file reads
 ******************************************************************************/
#include "output/file_write.h"
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool make_folders(const std::string& dir)
{
    std::string d = dir;
    while (d.size() > 1 && d.back() == '/') d.pop_back();
    if (d.empty()) return true;
    struct stat st;
    if (stat(d.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
    size_t cut = d.find_last_of('/');
    if (cut != std::string::npos && cut > 0 && !make_folders(d.substr(0, cut))) return false;
    return mkdir(d.c_str(), 0777) == 0 || errno == EEXIST;
}

bool replace_file(const char* path, const std::string& data, std::string& why)
{
    std::string target = path ? path : "";
    if (target.empty()) {
        why = "no file name";
        return false;
    }
    size_t slash = target.find_last_of('/');
    if (slash != std::string::npos && !make_folders(target.substr(0, slash))) {
        why = "cannot create the folder " + target.substr(0, slash) + ": " + strerror(errno);
        return false;
    }
    std::string tmp = target + ".tmp." + std::to_string((long)getpid());
    int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (fd < 0) {
        why = "cannot create " + tmp + ": " + strerror(errno);
        return false;
    }
    size_t done = 0;
    while (done < data.size()) {
        ssize_t n = write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            why = std::string("cannot write ") + tmp + ": " + strerror(n < 0 ? errno : ENOSPC);
            close(fd);
            unlink(tmp.c_str());
            return false;
        }
        done += (size_t)n;
    }
    if (fsync(fd) != 0 && errno != EINVAL) {
        why = std::string("cannot flush ") + tmp + ": " + strerror(errno);
        close(fd);
        unlink(tmp.c_str());
        return false;
    }
    if (close(fd) != 0) {
        why = std::string("cannot close ") + tmp + ": " + strerror(errno);
        unlink(tmp.c_str());
        return false;
    }
    if (rename(tmp.c_str(), target.c_str()) != 0) {
        why = "cannot replace " + target + ": " + strerror(errno);
        unlink(tmp.c_str());
        return false;
    }
    return true;
}

bool read_whole_file(const char* path, size_t max, std::string& data, std::string& why, bool* missing)
{
    data.clear();
    if (missing) *missing = false;
    FILE* f = path ? fopen(path, "rb") : nullptr;
    if (!f) {
        if (missing) *missing = (errno == ENOENT);
        why = std::string("cannot open ") + (path ? path : "(none)") + ": " + strerror(errno);
        return false;
    }
    char buf[65536];
    size_t n;
    bool ok = true;
    while ((n = fread(buf, 1, sizeof buf, f)) > 0) {
        if (data.size() + n > max) {
            why = std::string(path) + " is larger than " + std::to_string(max) + " bytes";
            ok = false;
            break;
        }
        data.append(buf, n);
    }
    if (ok && ferror(f)) {
        why = std::string("cannot read ") + path + ": " + strerror(errno);
        ok = false;
    }
    fclose(f);
    if (!ok) data.clear();
    return ok;
}
