// Writing the settings file: the player's lines kept, the changed entries set
// in place, and the file replaced whole.
#include "input/settings_write.h"

#include <cstdio>
#include <cstring>
#include <strings.h>  // strncasecmp

#include "input/settings_lines.h"
#include "state/state.h"

namespace {

constexpr int kMaxValues = 128;  // more than the game has entries
// What an update can add to the file: a few sections and a line per value.
constexpr std::size_t kMaxAddedBytes = kMaxValues * 128;

bool same_word(const char* begin, const char* end, const char* word) {
    const std::size_t n = static_cast<std::size_t>(end - begin);
    return std::strlen(word) == n && strncasecmp(begin, word, n) == 0;
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

// The line end the file uses: that of its first ended line; "\n" for none.
const char* line_end_of(const char* text, const char* limit) {
    for (const char* p = text; p < limit;) {
        const SettingsLine l = settings_line(p, limit);
        if (l.next > l.end) {
            return l.next - l.end == 2 ? "\r\n" : *l.end == '\r' ? "\r" : "\n";
        }
        p = l.next;
    }
    return "\n";
}

// The section a line leaves the reader in: its name for a section line,
// none (nullptr) after a line that only looks like one, as the reader then
// takes no entry until the next whole section line.
void follow_section(const SettingsLine& l, const char** section, const char** section_end) {
    if (l.kind == SettingsLine::kSection) {
        *section = l.name;
        *section_end = l.name_end;
    } else if (l.kind == SettingsLine::kNotSection) {
        *section = nullptr;
    }
}

}  // namespace

bool update_settings_text(const char* in, std::size_t size, const SettingValue* values, int count,
                          std::FILE* out) {
    if (count < 0 || count > kMaxValues) {
        return false;
    }
    const char* limit = in + size;
    const char* text = settings_text_begin(in, size);  // a byte-order mark is copied, not read
    // First pass: which values are there, and where each section's missing
    // entries go (after its last entry, or its header when it has none).
    bool present[kMaxValues] = {};
    const char* insert_after[kMaxValues] = {};  // the line after which value i is added
    const char* section = nullptr;
    const char* section_end = nullptr;
    for (const char* p = text; p < limit;) {
        const SettingsLine l = settings_line(p, limit);
        follow_section(l, &section, &section_end);
        const bool entry = l.kind == SettingsLine::kEntry;
        for (int i = 0; i < count && section != nullptr; ++i) {
            if ((entry || l.kind == SettingsLine::kSection) &&
                same_word(section, section_end, values[i].section)) {
                insert_after[i] = l.begin;
                present[i] = present[i] || (entry && same_word(l.name, l.name_end, values[i].name));
            }
        }
        p = l.next;
    }

    Writer w{out, line_end_of(text, limit)};
    w.put(in, text);
    section = nullptr;
    for (const char* p = text; p < limit;) {
        const SettingsLine l = settings_line(p, limit);
        follow_section(l, &section, &section_end);
        int changed = -1;
        for (int i = 0; i < count && l.kind == SettingsLine::kEntry && section != nullptr; ++i) {
            if (same_word(section, section_end, values[i].section) &&
                same_word(l.name, l.name_end, values[i].name)) {
                changed = i;
            }
        }
        if (changed >= 0) {
            w.put(l.begin, l.equals + 1);
            w.put(" ");
            w.put(values[changed].value);
            if (l.comment < l.end) {
                w.put("  ");
                w.put(l.comment, l.end);
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

bool write_settings_values(const char* path, const SettingValue* values, int count, char* why,
                           std::size_t why_size) {
    // Not on the stack, which a menu may have little of; one save at a time.
    static char old_text[kSettingsFileMaxBytes];
    static char new_text[kSettingsFileMaxBytes + kMaxAddedBytes];
    FileLock lock;
    std::size_t old_size = 0;
    if (!lock_file(path, &lock, why, why_size)) {
        return false;
    }
    if (!read_locked(lock, old_text, sizeof old_text, &old_size, why, why_size)) {
        unlock_file(&lock);
        return false;
    }
    std::FILE* out = fmemopen(new_text, sizeof new_text, "w");
    bool ok = out != nullptr && update_settings_text(old_text, old_size, values, count, out) &&
              std::fflush(out) == 0;
    const long size = ok ? std::ftell(out) : -1;
    if (out != nullptr) {
        std::fclose(out);
    }
    if (size < 0) {
        unlock_file(&lock);
        std::snprintf(why, why_size, "the settings do not fit in %zu bytes", sizeof new_text);
        return false;
    }
    const std::size_t new_size = static_cast<std::size_t>(size);
    if (lock.exists && new_size == old_size && std::memcmp(old_text, new_text, old_size) == 0) {
        unlock_file(&lock);  // the file says so already: nothing to write
        return true;
    }
    return commit_locked(&lock, new_text, new_size, why, why_size);
}
