// Opening a file the game reads as untrusted input.
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "state/state.h"

int open_plain_file(const char* path, const char** why) {
    // Opened without waiting, so that a pipe with no writer cannot hang.
    const int fd = open(path, O_RDONLY | O_NONBLOCK);
    struct stat st {};
    *why = nullptr;
    if (fd < 0 || fstat(fd, &st) != 0) {
        *why = std::strerror(errno);
    } else if (!S_ISREG(st.st_mode)) {
        *why = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : "not a regular file";
    }
    if (*why != nullptr && fd >= 0) {
        close(fd);
    }
    return *why == nullptr ? fd : -1;
}
