// Finding stage files by name, and the hash that ties a demo to its stage.
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "level/level.h"

namespace {

constexpr char kSuffix[] = ".stage";
constexpr std::size_t kSuffixLength = sizeof kSuffix - 1;

bool ends_in_suffix(const char* s) {
    const std::size_t n = std::strlen(s);
    return n >= kSuffixLength && std::strcmp(s + n - kSuffixLength, kSuffix) == 0;
}

}  // namespace

bool names_stage_file(const char* value) {
    return std::strchr(value, '/') != nullptr || ends_in_suffix(value);
}

void stage_file_stem(const char* path, char out[kStageNameSize]) {
    const char* slash = std::strrchr(path, '/');
    const char* base = slash ? slash + 1 : path;
    std::size_t n = std::strlen(base);
    n -= ends_in_suffix(base) ? kSuffixLength : 0;
    std::snprintf(out, kStageNameSize, "%.*s", static_cast<int>(n), base);
}

bool find_stage(const char* name, const char* const* folders, int count, char* out,
                std::size_t size) {
    for (int i = 0; i < count; ++i) {
        const int n = std::snprintf(out, size, "%s%s%s", folders[i], name, kSuffix);
        if (n > 0 && static_cast<std::size_t>(n) < size && access(out, F_OK) == 0) {
            return true;
        }
    }
    return false;
}

void list_stage_folder(const char* folder, void (*found)(void* context, const char* path),
                       void* context) {
    DIR* dir = opendir(folder);
    if (dir == nullptr) {
        return;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(dir)) {
        // ".stage" alone names no stage.
        if (std::strlen(entry->d_name) > kSuffixLength && ends_in_suffix(entry->d_name)) {
            names.push_back(entry->d_name);
        }
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        found(context, (folder + name).c_str());
    }
}

std::uint32_t stage_hash(const int codes[kMapRows][kMapColumns]) {
    std::uint32_t h = 2166136261u;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            h = (h ^ static_cast<std::uint8_t>(codes[r][c])) * 16777619u;
        }
    }
    return h;
}
