// Writing the settings file: the player's lines kept, the changed entries set
// in place, and the file replaced whole.
#include "input/settings_write.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <strings.h>  // strncasecmp
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxValues = 128;                  // more than the game has entries
constexpr std::size_t kMaxFileBytes = 64 << 10;  // a settings file is a few hundred bytes

struct Line {
    const char* begin;  // first byte of the line
    const char* end;    // its end, before "\n" or "\r\n"
    const char* next;   // the next line's first byte
};

Line line_at(const char* p, const char* limit) {
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', limit - p));
    Line l{p, nl != nullptr ? nl : limit, nl != nullptr ? nl + 1 : limit};
    if (l.end > l.begin && l.end[-1] == '\r') {
        --l.end;
    }
    return l;
}

const char* skip_blanks(const char* p, const char* end) {
    while (p < end && (*p == ' ' || *p == '\t')) {
        ++p;
    }
    return p;
}

const char* trim_end(const char* begin, const char* end) {
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) {
        --end;
    }
    return end;
}

bool same_word(const char* begin, const char* end, const char* word) {
    const std::size_t n = static_cast<std::size_t>(end - begin);
    return std::strlen(word) == n && strncasecmp(begin, word, n) == 0;
}

// What a line is to the reader: a section header (name), an entry (name and
// the '=' after it), or neither (a comment, a blank, anything else).
struct Parsed {
    enum { kOther, kSection, kEntry } kind;
    const char* name;
    const char* name_end;
    const char* equals;
};

Parsed parse(const Line& l) {
    Parsed p{Parsed::kOther, nullptr, nullptr, nullptr};
    const char* s = skip_blanks(l.begin, l.end);
    if (s < l.end && *s == '[') {
        const char* close = static_cast<const char*>(std::memchr(s, ']', l.end - s));
        if (close != nullptr) {
            p = {Parsed::kSection, s + 1, close, nullptr};
        }
    } else if (s < l.end && *s != '#') {
        const char* eq = static_cast<const char*>(std::memchr(s, '=', l.end - s));
        if (eq != nullptr && trim_end(s, eq) > s) {
            p = {Parsed::kEntry, s, trim_end(s, eq), eq};
        }
    }
    return p;
}

// The trailing comment of an entry's value ("# ..." after a blank), or end.
const char* comment_of(const char* value, const char* end) {
    for (const char* p = value; p < end; ++p) {
        if (*p == '#' && p > value && (p[-1] == ' ' || p[-1] == '\t')) {
            return p;
        }
    }
    return end;
}

struct Writer {
    std::FILE* out;
    const char* eol;
    bool ok = true;

    void put(const char* begin, const char* end) {
        if (end > begin && std::fwrite(begin, 1, end - begin, out) != std::size_t(end - begin)) {
            ok = false;
        }
    }
    void put(const char* s) { put(s, s + std::strlen(s)); }
    void entry(const SettingValue& v) {
        put(v.name);
        put(" = ");
        put(v.value);
        put(eol);
    }
};

}  // namespace

bool update_settings_text(const char* in, std::size_t size, const SettingValue* values, int count,
                          std::FILE* out) {
    if (count < 0 || count > kMaxValues) {
        return false;
    }
    const char* limit = in + size;
    const char* text = in;
    if (size >= 3 && std::memcmp(in, "\xEF\xBB\xBF", 3) == 0) {
        text += 3;  // a byte-order mark is copied, never parsed
    }
    // First pass: which values are there, and where each section's missing
    // entries go (after its last entry, or its header when it has none).
    bool present[kMaxValues] = {};
    const char* insert_after[kMaxValues] = {};  // the line after which value i is added
    const char* section = nullptr;
    const char* section_end = nullptr;
    for (const char* p = text; p < limit;) {
        const Line l = line_at(p, limit);
        const Parsed k = parse(l);
        if (k.kind == Parsed::kSection) {
            section = k.name;
            section_end = k.name_end;
        }
        for (int i = 0; i < count && k.kind != Parsed::kOther && section != nullptr; ++i) {
            if (same_word(section, section_end, values[i].section)) {
                insert_after[i] = l.begin;
                present[i] = present[i] || (k.kind == Parsed::kEntry &&
                                            same_word(k.name, k.name_end, values[i].name));
            }
        }
        p = l.next;
    }

    const Line first = line_at(text, limit);
    Writer w{out, first.next > first.end + 1 ? "\r\n" : "\n"};
    w.put(in, text);
    section = nullptr;
    for (const char* p = text; p < limit;) {
        const Line l = line_at(p, limit);
        const Parsed k = parse(l);
        if (k.kind == Parsed::kSection) {
            section = k.name;
            section_end = k.name_end;
        }
        int changed = -1;
        for (int i = 0; i < count && k.kind == Parsed::kEntry && section != nullptr; ++i) {
            if (same_word(section, section_end, values[i].section) &&
                same_word(k.name, k.name_end, values[i].name)) {
                changed = i;
            }
        }
        if (changed >= 0) {
            const char* comment = comment_of(k.equals + 1, l.end);
            w.put(l.begin, k.equals + 1);
            w.put(" ");
            w.put(values[changed].value);
            if (comment < l.end) {
                w.put("  ");
                w.put(comment, l.end);
            }
            w.put(l.end, l.next);
        } else {
            w.put(l.begin, l.next);
        }
        if (l.next == limit && l.end == l.next) {
            w.put(w.eol);  // the last line had no end; entries may follow it
        }
        for (int i = 0; i < count; ++i) {
            if (!present[i] && insert_after[i] == l.begin) {
                w.entry(values[i]);
            }
        }
        p = l.next;
    }
    // Sections the file does not have, each once, at the end.
    for (int i = 0; i < count; ++i) {
        if (present[i] || insert_after[i] != nullptr) {
            continue;
        }
        if (limit > text || i > 0) {
            w.put(w.eol);
        }
        w.put("[");
        w.put(values[i].section);
        w.put("]");
        w.put(w.eol);
        for (int j = i; j < count; ++j) {
            if (!present[j] && insert_after[j] == nullptr &&
                std::strcmp(values[j].section, values[i].section) == 0) {
                w.entry(values[j]);
                present[j] = true;
            }
        }
    }
    return w.ok && std::ferror(out) == 0;
}

namespace {

bool fail(char* why, std::size_t size, const char* what, const char* path) {
    std::snprintf(why, size, "%s: %s", path, what);
    return false;
}

// Makes the folders above `path` that are missing, as the XDG rules ask:
// readable by the player only.
bool make_parents(const char* path) {
    char dir[PATH_MAX];
    if (std::snprintf(dir, sizeof dir, "%s", path) >= static_cast<int>(sizeof dir)) {
        errno = ENAMETOOLONG;
        return false;
    }
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

}  // namespace

bool write_settings_values(const char* path, const SettingValue* values, int count, char* why,
                           std::size_t why_size) {
    static char old_text[kMaxFileBytes + 1];  // not on the stack: menus run with little of it
    char target[PATH_MAX];
    std::size_t old_size = 0;
    mode_t mode = 0644;
    struct stat st {};
    if (stat(path, &st) == 0) {
        // Replace the file a symbolic link points at, not the link.
        if (realpath(path, target) == nullptr) {
            return fail(why, why_size, std::strerror(errno), path);
        }
        if (!S_ISREG(st.st_mode)) {
            return fail(why, why_size, "not a regular file", path);
        }
        const int fd = open(target, O_RDONLY);
        if (fd < 0) {
            return fail(why, why_size, std::strerror(errno), path);
        }
        ssize_t n = 0;
        while ((n = read(fd, old_text + old_size, sizeof old_text - old_size)) > 0) {
            old_size += static_cast<std::size_t>(n);
        }
        const int read_errno = errno;
        close(fd);
        if (n < 0) {
            return fail(why, why_size, std::strerror(read_errno), path);
        }
        if (old_size > kMaxFileBytes) {
            return fail(why, why_size, "too large to update (over 64 KiB)", path);
        }
        mode = st.st_mode & 07777;
    } else if (errno != ENOENT) {
        return fail(why, why_size, std::strerror(errno), path);
    } else {
        if (std::snprintf(target, sizeof target, "%s", path) >= static_cast<int>(sizeof target)) {
            return fail(why, why_size, std::strerror(ENAMETOOLONG), path);
        }
        if (!make_parents(target)) {
            return fail(why, why_size, std::strerror(errno), path);
        }
        const mode_t mask = umask(0);
        umask(mask);
        mode = 0666 & ~mask;
    }

    char temp[PATH_MAX];
    if (std::snprintf(temp, sizeof temp, "%s.XXXXXX", target) >= static_cast<int>(sizeof temp)) {
        return fail(why, why_size, std::strerror(ENAMETOOLONG), path);
    }
    const int fd = mkstemp(temp);
    if (fd < 0) {
        return fail(why, why_size, std::strerror(errno), path);
    }
    std::FILE* out = fdopen(fd, "w");
    if (out == nullptr) {
        close(fd);
        unlink(temp);
        return fail(why, why_size, std::strerror(errno), path);
    }
    errno = 0;
    bool ok = update_settings_text(old_text, old_size, values, count, out);
    ok = std::fflush(out) == 0 && ok;
    ok = ok && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    const int write_errno = errno != 0 ? errno : EIO;
    ok = std::fclose(out) == 0 && ok;
    if (!ok || rename(temp, target) != 0) {
        const int e = ok ? errno : write_errno;
        unlink(temp);
        return fail(why, why_size, std::strerror(e), path);
    }
    // The rename itself reaches the disk with the folder.
    char dir[PATH_MAX];
    std::snprintf(dir, sizeof dir, "%s", target);
    if (char* slash = std::strrchr(dir, '/')) {
        *(slash == dir ? slash + 1 : slash) = '\0';
        const int dfd = open(dir, O_RDONLY | O_DIRECTORY);
        if (dfd >= 0) {
            fsync(dfd);
            close(dfd);
        }
    }
    return true;
}
