// Choosing the data directory at start-up; see data_dir.h for the order.
#include "shell/data_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "state/state.h"

const char* data_option = nullptr;
char data_dir[kDataPathSize];
int data_missing;

namespace {

const char* const kMarker = kPlayerModel;  // a directory holding it is a data directory
const char kBesideExecutable[] = "../share/vellin";

// Writes dir + '/' + name into out; false when it does not fit.
bool join(const char* dir, const char* name, char* out) {
    const char* slash = (dir[0] == '\0' || dir[std::strlen(dir) - 1] == '/') ? "" : "/";
    const int n = std::snprintf(out, kDataPathSize, "%s%s%s", dir, slash, name);
    return n >= 0 && n < kDataPathSize;
}

// Why a place named on purpose holds no data, or nullptr when it does.
const char* data_problem(const char* dir) {
    struct stat st;
    if (stat(dir, &st) != 0) {
        return std::strerror(errno);
    }
    if (!S_ISDIR(st.st_mode)) {
        return std::strerror(ENOTDIR);
    }
    char marker[kDataPathSize];
    if (!join(dir, kMarker, marker)) {
        return std::strerror(ENAMETOOLONG);
    }
    if (access(marker, R_OK) != 0) {
        return errno == ENOENT ? "no trooper.txt in it" : "trooper.txt cannot be read";
    }
    return nullptr;
}

bool holds_data(const char* dir) {
    return dir != nullptr && dir[0] != '\0' && data_problem(dir) == nullptr;
}

// The directory part of a path ("" when it has none) into out.
bool directory_of(const char* path, char* out) {
    const char* slash = std::strrchr(path, '/');
    const size_t length = slash ? static_cast<size_t>(slash - path) + 1 : 0;
    if (length >= static_cast<size_t>(kDataPathSize)) {
        return false;
    }
    std::memcpy(out, path, length);
    out[length] = '\0';
    return true;
}

// True when both name the same existing directory.
bool same_directory(const char* a, const char* b) {
    char real_a[PATH_MAX], real_b[PATH_MAX];
    return realpath(a, real_a) != nullptr && realpath(b, real_b) != nullptr &&
           std::strcmp(real_a, real_b) == 0;
}

bool choose(const char* dir) {
    if (!holds_data(dir)) {
        return false;
    }
    return join(dir, "", data_dir);
}

}  // namespace

DataPlaces data_places(const char* option, const char* executable) {
    DataPlaces places = {};
    places.option = option;
    places.environment = std::getenv("VELLIN_DATA");
    places.executable = executable;
#ifdef VELLIN_BUILD_DIR
    places.build_dir = VELLIN_BUILD_DIR;
    places.source_data = VELLIN_SOURCE_DATA;
#endif
#ifdef VELLIN_CONFIGURED_DATA
    places.configured = VELLIN_CONFIGURED_DATA;
#endif
    return places;
}

int find_data_dir(const DataPlaces& places) {
    if (places.option != nullptr) {
        if (const char* why = data_problem(places.option)) {
            std::fprintf(stderr, "vellin: --data %s: %s\n", places.option, why);
            return -1;
        }
    }
    char beside[kDataPathSize] = "";
    char exe_dir[kDataPathSize] = "";
    if (places.executable && directory_of(places.executable, exe_dir)) {
        if (!join(exe_dir[0] ? exe_dir : ".", kBesideExecutable, beside)) {
            beside[0] = '\0';
        }
    }
    const bool in_build_tree =
        places.build_dir && exe_dir[0] != '\0' && same_directory(exe_dir, places.build_dir);
    const char* source = in_build_tree ? places.source_data : nullptr;

    const char* environment = places.environment;
    if (environment != nullptr && environment[0] != '\0') {
        if (const char* why = data_problem(environment)) {
            std::fprintf(stderr, "vellin: ignoring VELLIN_DATA=%s: %s\n", environment, why);
        }
    }
    data_missing = 0;
    if (choose(places.option) || choose(environment) || choose(beside) || choose(source) ||
        choose(places.configured)) {
        return 1;
    }
    data_dir[0] = '\0';
    if (access(kMarker, R_OK) == 0) {
        return 1;
    }
    data_missing = 1;

    std::fprintf(stderr, "vellin: no data found (%s in none of:", kMarker);
    const char* looked[] = {environment, beside, source, places.configured};
    for (const char* dir : looked) {
        if (dir != nullptr && dir[0] != '\0') {
            std::fprintf(stderr, " %s,", dir);
        }
    }
    std::fprintf(stderr, " the working directory)\n");
    return 0;
}

const char* data_path(const char* name, char* out) {
    if (!join(data_dir, name, out)) {
        out[0] = '\0';
    }
    return out;
}

int stage_folders(char out[kStageFolders][kDataPathSize]) {
    int n = 0;
    n += xdg_path("XDG_DATA_HOME", ".local/share", "vellin/stages/", out[n], kDataPathSize);
    if (!data_missing && data_path("stages/", out[n])[0] != '\0') {
        ++n;
    }
    return n;
}
