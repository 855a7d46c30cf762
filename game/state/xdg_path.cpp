// The XDG base-directory lookup the settings file and the screenshots share.
#include <cstdio>
#include <cstdlib>

#include "state/state.h"

bool xdg_path(const char* variable, const char* fallback, const char* tail, char* out,
              std::size_t size) {
    // Only an absolute path counts: a relative or empty value is ignored, as
    // the XDG base-directory rules say, and so is a relative HOME.
    const char* base = std::getenv(variable);
    const char* home = std::getenv("HOME");
    int n = -1;
    if (base != nullptr && base[0] == '/') {
        n = std::snprintf(out, size, "%s/%s", base, tail);
    } else if (home != nullptr && home[0] == '/') {
        n = std::snprintf(out, size, "%s/%s/%s", home, fallback, tail);
    }
    return n > 0 && static_cast<std::size_t>(n) < size;
}
