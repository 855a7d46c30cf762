// The F12 screenshot and the frame capture: read the back buffer, name the file.
#include <allegro.h>
#include <alleggl.h>
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "picture/picture.h"
#include "state/state.h"

namespace {

unsigned char pixels[3 * kMaxPictureWidth * kMaxPictureHeight];
char path[PATH_MAX];
int next_number = 1;  // screenshots already taken in this run are not looked at again
char shot[PATH_MAX];  // the last screenshot written; "" when the last one failed
constexpr int kMaxScreenshots = 9999;

// Reads the drawn frame before the flip. False when the screen is larger
// than the buffer.
bool read_back(int* width, int* height) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    *width = viewport[2];
    *height = viewport[3];
    if (*width < 1 || *height < 1 || *width > kMaxPictureWidth || *height > kMaxPictureHeight) {
        std::fprintf(stderr, "vellin: cannot save a %dx%d picture\n", *width, *height);
        return false;
    }
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(viewport[0], viewport[1], *width, *height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    return true;
}

// Creates every missing folder of `dir` (which the caller may modify).
bool make_folders(char* dir) {
    for (char* p = dir + 1;; ++p) {
        if (*p == '/' || *p == '\0') {
            const char kept = *p;
            *p = '\0';
            const bool made = mkdir(dir, 0755) == 0 || errno == EEXIST;
            *p = kept;
            if (!made || kept == '\0') {
                return made;
            }
        }
    }
}

// The screenshot folder, or false when neither XDG_DATA_HOME nor HOME gives one.
bool screenshot_folder(char* out, std::size_t size) {
    return xdg_path("XDG_DATA_HOME", ".local/share", "vellin/screenshots", out, size);
}

}  // namespace

void take_screenshot() {
    int width = 0, height = 0;
    shot[0] = '\0';
    if (!screenshot_folder(path, sizeof path)) {
        std::fprintf(stderr, "vellin: no folder for screenshots: set HOME or XDG_DATA_HOME\n");
        return;
    }
    if (!make_folders(path)) {
        std::fprintf(stderr, "vellin: cannot create %s: %s\n", path, std::strerror(errno));
        return;
    }
    if (!read_back(&width, &height)) {
        return;
    }
    const std::size_t folder = std::strlen(path);
    for (; next_number <= kMaxScreenshots; ++next_number) {
        std::snprintf(path + folder, sizeof path - folder, "/vellin-%04d.png", next_number);
        const int error = write_png(path, true, pixels, width, height);
        if (error == 0) {
            ++next_number;
            std::memcpy(shot, path, sizeof shot);
            std::printf("%s\n", path);
            std::fflush(stdout);
            return;
        }
        if (error != EEXIST) {
            std::fprintf(stderr, "vellin: cannot write %s: %s\n", path, std::strerror(error));
            return;
        }
    }
    path[folder] = '\0';
    std::fprintf(stderr, "vellin: %s holds %d screenshots already\n", path, kMaxScreenshots);
}

const char* last_screenshot() {
    return shot[0] != '\0' ? shot : nullptr;
}

bool make_capture_folder(const char* dir, bool overwrite) {
    const int n = std::snprintf(path, sizeof path, "%s", dir);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof path) {
        std::fprintf(stderr, "vellin: %s: name too long\n", dir);
        return false;
    }
    if (!make_folders(path)) {
        std::fprintf(stderr, "vellin: cannot create %s: %s\n", dir, std::strerror(errno));
        return false;
    }
    DIR* folder = opendir(dir);  // fails on a file of that name, which mkdir let by
    if (folder == nullptr) {
        std::fprintf(stderr, "vellin: %s: %s\n", dir, std::strerror(errno));
        return false;
    }
    bool frames = false;
    while (const dirent* entry = readdir(folder)) {
        const std::size_t length = std::strlen(entry->d_name);
        frames = frames || (std::strncmp(entry->d_name, "frame-", 6) == 0 && length > 10 &&
                            std::strcmp(entry->d_name + length - 4, ".png") == 0);
    }
    closedir(folder);
    if (frames && !overwrite) {
        std::fprintf(stderr,
                     "vellin: %s holds captured frames already: give --overwrite to replace "
                     "them, or another folder\n",
                     dir);
        return false;
    }
    return true;
}

bool capture_frame(const char* dir, long frame) {
    int width = 0, height = 0;
    const int n = std::snprintf(path, sizeof path, "%s/frame-%06ld.png", dir, frame);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof path) {
        std::fprintf(stderr, "vellin: %s: name too long\n", dir);
        return false;
    }
    if (!read_back(&width, &height)) {
        return false;
    }
    const int error = write_png(path, false, pixels, width, height);
    if (error != 0) {
        std::fprintf(stderr, "vellin: cannot write %s: %s\n", path, std::strerror(error));
        return false;
    }
    return true;
}
