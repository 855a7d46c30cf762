// The settings file's lines, as its reader and its writer both see them.
#include "input/settings_lines.h"

#include <cstring>

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

const char* skip_blanks(const char* p, const char* end) {
    while (p < end && blank(*p)) {
        ++p;
    }
    return p;
}

const char* trim_end(const char* begin, const char* end) {
    while (end > begin && blank(end[-1])) {
        --end;
    }
    return end;
}

}  // namespace

const char* settings_text_begin(const char* text, std::size_t size) {
    return size >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0 ? text + 3 : text;
}

SettingsLine settings_line(const char* p, const char* limit) {
    SettingsLine l{};
    l.begin = p;
    l.end = p;
    while (l.end < limit && *l.end != '\n' && *l.end != '\r') {
        ++l.end;
    }
    l.next = l.end == limit                                            ? limit
             : *l.end == '\r' && l.end + 1 < limit && l.end[1] == '\n' ? l.end + 2
                                                                       : l.end + 1;
    l.text = skip_blanks(l.begin, l.end);
    l.text_end = trim_end(l.text, l.end);
    l.comment = l.end;
    const char* s = l.text;
    if (std::memchr(l.begin, '\0', l.end - l.begin) != nullptr) {
        l.kind = SettingsLine::kNotText;
    } else if (s == l.end || *s == '#') {
        l.kind = SettingsLine::kBlank;
    } else if (*s == '[') {
        const char* close = static_cast<const char*>(std::memchr(s, ']', l.end - s));
        const char* rest = close != nullptr ? skip_blanks(close + 1, l.end) : l.end;
        const bool whole = close != nullptr && (rest == l.end || *rest == '#');
        l.kind = whole ? SettingsLine::kSection : SettingsLine::kNotSection;
        l.name = s + 1;
        l.name_end = close != nullptr ? close : l.end;
    } else {
        l.name = s;
        l.name_end = s;
        while (l.name_end < l.end && !blank(*l.name_end) && *l.name_end != '=' &&
               *l.name_end != '#') {
            ++l.name_end;
        }
        const char* after = skip_blanks(l.name_end, l.end);
        if (l.name_end == l.name) {
            l.kind = *after == '=' ? SettingsLine::kNoName : SettingsLine::kNoEquals;
        } else if (after == l.end || *after != '=') {
            l.kind = SettingsLine::kNoEquals;
        } else {
            l.kind = SettingsLine::kEntry;
            l.equals = after;
            l.value = skip_blanks(after + 1, l.end);
            for (const char* c = l.value; c < l.end && l.comment == l.end; ++c) {
                if (*c == '#' && (c == l.value || blank(c[-1]))) {
                    l.comment = c;
                }
            }
            l.value_end = trim_end(l.value, l.comment);
        }
    }
    return l;
}
