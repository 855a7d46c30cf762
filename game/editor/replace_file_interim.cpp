// Interim: state's replace_file replaces this once it is merged.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "editor/editor_local.h"

bool replace_file(const char* path, const void* data, std::size_t size, char* why,
                  std::size_t why_size) {
    char temp[kEditorPathSize + 8];
    std::snprintf(temp, sizeof temp, "%s.lock", path);
    const int fd = open(temp, O_WRONLY | O_CREAT | O_EXCL, 0644);
    bool ok = fd >= 0 && write(fd, data, size) == static_cast<ssize_t>(size) && fsync(fd) == 0;
    const int e = errno;
    if (fd >= 0)
        ok = close(fd) == 0 && ok;
    ok = ok && rename(temp, path) == 0;
    if (!ok) {
        if (fd >= 0)
            unlink(temp);
        std::snprintf(why, why_size, "%s: %s", path, std::strerror(e));
    }
    return ok;
}
