/*******************************************************************************
 * platform/workspace_lock.h - noticing a second designer on one workspace
 *
 * The designer holds an advisory lock (flock) on the file .lumiker.lock in
 * its workspace for as long as it runs, with its process number written
 * inside. A second designer started on the same workspace finds the lock
 * held and is told which process holds it; it still opens, and its saves
 * check that the files are still the ones it loaded. The lock goes with the
 * process that holds it, however that ends: a dead designer keeps nothing.
 *
 * Limits: advisory only; where the file system has no flock, or the lock
 * file cannot be made (a read-only folder, a link or a pipe in its place),
 * nobody is told anything.
 * Depends on: POSIX files (open with O_NOFOLLOW and O_NONBLOCK, fstat, flock,
 * pread, pwrite, ftruncate, getpid).
 * Does NOT: stop anyone from writing, or remove the lock file.
 ******************************************************************************/
#pragma once
#include "platform/outcome.h"

constexpr const char* WORKSPACE_LOCK_NAME = ".lumiker.lock";

// Take the lock of workspace folder `dir`. Ok when this process holds it (or
// it cannot be used), else a note naming the process that holds it.
outcome workspace_lock_take(const char* dir);
// Let go of the lock (the end of the process does it too).
void workspace_lock_release();
