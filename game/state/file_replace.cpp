// Replacing one of the player's files as a careful editor does: under a lock,
// never in place, keeping who owns it and who may read it.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "state/state.h"

namespace {

constexpr int kMaxLinkHops = 40;        // as the kernel allows before ELOOP
constexpr int kLockTries = 100;         // another writer is waited for this many times...
constexpr long kLockWaitNs = 10000000;  // ...this long each: a second in all

const char* base_name(const char* path) {
    const char* slash = std::strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

bool fail(char* why, std::size_t size, const char* path, const char* what) {
    std::snprintf(why, size, "%s: %s", base_name(path), what);
    return false;
}

bool fits(char* out, std::size_t size, const char* format, const char* a, const char* b) {
    const int n = std::snprintf(out, size, format, a, b);
    return n >= 0 && static_cast<std::size_t>(n) < size;
}

// Follows symbolic links from `path` to the file they end at, which need not
// exist yet (a dangling link is the player asking for that file).
bool follow_links(const char* path, char* out, std::size_t size) {
    if (!fits(out, size, "%s%s", path, "")) {
        errno = ENAMETOOLONG;
        return false;
    }
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (lstat(out, &st) != 0) {
            return errno == ENOENT;
        }
        if (!S_ISLNK(st.st_mode)) {
            return true;
        }
        char link[kFilePathSize];
        const ssize_t n = readlink(out, link, sizeof link - 1);
        if (n < 0) {
            return false;
        }
        link[n] = '\0';
        char next[kFilePathSize];
        char* slash = std::strrchr(out, '/');
        if (link[0] == '/' || slash == nullptr) {
            std::snprintf(next, sizeof next, "%s", link);
        } else {
            slash[1] = '\0';  // a relative link is relative to its folder
            if (!fits(next, sizeof next, "%s%s", out, link)) {
                errno = ENAMETOOLONG;
                return false;
            }
        }
        if (!fits(out, size, "%s%s", next, "")) {
            errno = ENAMETOOLONG;
            return false;
        }
    }
    errno = ELOOP;
    return false;
}

// Makes the folders above `path` that are missing, readable by the player
// only, as the XDG rules ask.
bool make_parents(const char* path) {
    char dir[kFilePathSize];
    std::snprintf(dir, sizeof dir, "%s", path);
    for (char* slash = std::strchr(dir + 1, '/'); slash != nullptr;
         slash = std::strchr(slash + 1, '/')) {
        *slash = '\0';
        if (mkdir(dir, 0700) != 0 && errno != EEXIST) {
            return false;
        }
        *slash = '/';
    }
    return true;
}

// The rename reaches the disk with the folder that holds it.
void sync_folder(const char* path) {
    char dir[kFilePathSize];
    std::snprintf(dir, sizeof dir, "%s", path);
    char* slash = std::strrchr(dir, '/');
    if (slash == nullptr) {
        std::snprintf(dir, sizeof dir, ".");
    } else {
        *(slash == dir ? slash + 1 : slash) = '\0';
    }
    const int fd = open(dir, O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

}  // namespace

bool lock_file(const char* path, FileLock* lock, char* why, std::size_t why_size) {
    lock->fd = -1;
    if (!follow_links(path, lock->target, sizeof lock->target)) {
        return fail(why, why_size, path, std::strerror(errno));
    }
    const char* target = lock->target;
    if (!fits(lock->lock_path, sizeof lock->lock_path, "%s%s", target, ".lock")) {
        return fail(why, why_size, target, std::strerror(ENAMETOOLONG));
    }
    if (!make_parents(target)) {
        return fail(why, why_size, target, std::strerror(errno));
    }
    // Another writer holds it for the few milliseconds a save takes; a lock
    // that stays is left by a writer that died, and only the player can know.
    for (int i = 0; i < kLockTries && lock->fd < 0; ++i) {
        lock->fd = open(lock->lock_path, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (lock->fd < 0 && errno != EEXIST) {
            return fail(why, why_size, target, std::strerror(errno));
        }
        if (lock->fd < 0) {
            const timespec wait{0, kLockWaitNs};
            nanosleep(&wait, nullptr);
        }
    }
    if (lock->fd < 0) {
        char what[320];
        std::snprintf(what, sizeof what, "being saved by another program (or remove %.200s)",
                      base_name(lock->lock_path));
        return fail(why, why_size, target, what);
    }
    struct stat st {};
    lock->exists = stat(target, &st) == 0;
    const char* problem = nullptr;
    if (!lock->exists && errno != ENOENT) {
        problem = std::strerror(errno);
    } else if (lock->exists && !S_ISREG(st.st_mode)) {
        problem = "not a regular file";
    } else if (lock->exists && (st.st_mode & S_IWUSR) == 0) {
        // The player took the write bit away: even root leaves it alone.
        std::snprintf(why, why_size, "%s is read-only: its owner may not write it",
                      base_name(target));
    } else if (lock->exists && access(target, W_OK) != 0) {
        std::snprintf(why, why_size, "%s is read-only: %s", base_name(target),
                      std::strerror(errno));
    } else {
        if (lock->exists) {
            lock->mode = st.st_mode & 07777;
            lock->owner = st.st_uid;
            lock->group = st.st_gid;
        } else {
            const mode_t mask = umask(0);
            umask(mask);
            lock->mode = 0666 & ~mask;
        }
        return true;
    }
    if (problem != nullptr) {
        fail(why, why_size, target, problem);
    }
    unlock_file(lock);
    return false;
}

bool read_locked(const FileLock& lock, char* buffer, std::size_t capacity, std::size_t* size,
                 char* why, std::size_t why_size) {
    *size = 0;
    if (!lock.exists) {
        return true;
    }
    const int fd = open(lock.target, O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // never wait on a pipe
    if (fd < 0) {
        return fail(why, why_size, lock.target, std::strerror(errno));
    }
    ssize_t n = 0;
    char extra;
    while (*size < capacity && (n = read(fd, buffer + *size, capacity - *size)) > 0) {
        *size += static_cast<std::size_t>(n);
    }
    const bool larger = n >= 0 && read(fd, &extra, 1) > 0;
    const int e = errno;
    close(fd);
    if (n < 0) {
        return fail(why, why_size, lock.target, std::strerror(e));
    }
    if (larger) {
        char what[64];
        std::snprintf(what, sizeof what, "larger than %zu bytes", capacity);
        return fail(why, why_size, lock.target, what);
    }
    return true;
}

bool commit_locked(FileLock* lock, const void* data, std::size_t size, char* why,
                   std::size_t why_size) {
    const char* p = static_cast<const char*>(data);
    bool ok = true;
    errno = 0;
    for (std::size_t done = 0; ok && done < size;) {
        const ssize_t n = write(lock->fd, p + done, size - done);
        ok = n > 0 || (n < 0 && errno == EINTR);
        done += n > 0 ? static_cast<std::size_t>(n) : 0;
    }
    // Owner and group first: a change of owner clears the set-id bits that
    // the mode then puts back. Only root can give the file back to another
    // user; a group the writer is not in cannot be kept, and the file is
    // then left as it was rather than handed to another group.
    if (ok && lock->exists) {
        ok = fchown(lock->fd, geteuid() == 0 ? lock->owner : static_cast<uid_t>(-1), lock->group) ==
             0;
    }
    ok = ok && fchmod(lock->fd, lock->mode) == 0 && fsync(lock->fd) == 0;
    const int e = errno;
    ok = close(lock->fd) == 0 && ok;
    lock->fd = -1;
    if (!ok || rename(lock->lock_path, lock->target) != 0) {
        const int reason = ok ? errno : (e != 0 ? e : EIO);
        unlink(lock->lock_path);
        return fail(why, why_size, lock->target, std::strerror(reason));
    }
    sync_folder(lock->target);
    return true;
}

void unlock_file(FileLock* lock) {
    if (lock->fd >= 0) {
        close(lock->fd);
        unlink(lock->lock_path);
        lock->fd = -1;
    }
}

bool replace_file(const char* path, const void* data, std::size_t size, char* why,
                  std::size_t why_size) {
    FileLock lock;
    return lock_file(path, &lock, why, why_size) && commit_locked(&lock, data, size, why, why_size);
}
