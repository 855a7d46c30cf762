// Each stage's best run, kept as a demo in the player's data folder.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "trial/trial.h"

namespace {

constexpr int kMaxSetAside = 100;  // PATH.bad, PATH.bad.1 .. PATH.bad.99

bool name_byte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// Renames the file to the first free PATH.bad name; false when none is free
// or the rename fails, the file left where it was.
bool set_aside(const char* path, char* bad, std::size_t size) {
    for (int i = 0; i < kMaxSetAside; ++i) {
        const int n = i == 0 ? std::snprintf(bad, size, "%s.bad", path)
                             : std::snprintf(bad, size, "%s.bad.%d", path, i);
        if (n < 0 || static_cast<std::size_t>(n) >= size) {
            return false;
        }
        if (access(bad, F_OK) != 0 && errno == ENOENT) {
            return std::rename(path, bad) == 0;
        }
    }
    return false;
}

}  // namespace

bool record_path(const char* stage, std::uint32_t hash, char* out, std::size_t size) {
    char tail[kDemoStageNameSize + 40];
    std::size_t n = std::snprintf(tail, sizeof tail, "vellin/records/");
    const char* name = stage[0] != '\0' ? stage : "jungle";
    for (std::size_t i = 0; name[i] != '\0' && n + 1 < sizeof tail - 16; ++i) {
        tail[n++] = name_byte(name[i]) ? name[i] : '_';
    }
    std::snprintf(tail + n, sizeof tail - n, "-%08x.demo", static_cast<unsigned>(hash));
    return xdg_path("XDG_DATA_HOME", ".local/share", tail, out, size);
}

RecordRead read_record(const char* path, std::uint32_t hash, Demo* demo, std::FILE* err) {
    const char* why = nullptr;
    const int fd = open_plain_file(path, &why);
    if (fd < 0) {
        if (errno != ENOENT) {
            std::fprintf(err, "vellin: best run %s: %s\n", path, why);
        }
        return RecordRead::kNone;
    }
    close(fd);
    char reason[128];
    if (read_demo(path, demo, reason, sizeof reason)) {
        if (demo->version >= kDemoStageVersion && demo->layer_hash == hash) {
            return RecordRead::kRead;
        }
        std::snprintf(reason, sizeof reason, "not a run on this stage");
    }
    char bad[4096];
    if (set_aside(path, bad, sizeof bad)) {
        std::fprintf(err, "vellin: best run %s: %s; set aside as %s\n", path, reason, bad);
    } else {
        std::fprintf(err, "vellin: best run %s: %s; left where it is (%s)\n", path, reason,
                     std::strerror(errno));
    }
    *demo = Demo{};
    return RecordRead::kSetAside;
}

bool write_record(const char* path, const void* bytes, std::size_t size, std::FILE* err) {
    char why[256];
    if (!replace_file(path, bytes, size, why, sizeof why)) {
        std::fprintf(err, "vellin: best run not kept (for this session only): %s\n", why);
        return false;
    }
    return true;
}
