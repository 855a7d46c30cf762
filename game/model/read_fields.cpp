// The fields of a model file's lines.
#include "model/read_fields.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

// Takes a quoted name from the start of `line` into `name`, cut to 31
// characters. The opening quote must be the first character and at least one
// character must follow it. Without `need_close` a missing closing quote lets
// the name run to the end of the line (line end included). Returns the text
// after the closing quote (or the line's end), or null when there is no name.
const char* parse_name(const char* line, char* name, bool need_close) {
    if (line[0] != '"') {
        return nullptr;
    }
    const char* start = line + 1;
    const char* end = start;
    while (*end != '\0' && *end != '"') {
        ++end;
    }
    if (end == start || (need_close && *end != '"')) {
        return nullptr;
    }
    size_t length = static_cast<size_t>(end - start);
    if (length > kNameSize - 1) {
        length = kNameSize - 1;
    }
    std::memcpy(name, start, length);
    name[length] = '\0';
    return *end == '"' ? end + 1 : end;
}

// A line that holds nothing (or only white space) is allowed at the top level.
bool blank_line(const char* line) {
    return line[std::strspn(line, kBlanks)] == '\0';
}

// An optional name line that stores the empty name without saying so: empty,
// or a bare pair of quotes.
bool empty_name_line(const char* line) {
    line += std::strspn(line, kBlanks);
    if (line[0] == '"' && line[1] == '"') {
        line += 2;
    }
    return blank_line(line);
}

Fields& Fields::Int(int* value) {
    if (!ok_) {
        return *this;
    }
    const char* p = at_ + std::strspn(at_, kBlanks);
    const char* number = p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') {
        ++p;
    }
    if (*p < '0' || *p > '9') {
        ok_ = false;
        return *this;
    }
    // Up to one past INT_MIN's magnitude, so that all digits are taken
    // whatever their number.
    const long long limit = -static_cast<long long>(INT_MIN) + 1;
    long long magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        magnitude = std::min(limit, magnitude * 10 + (*p - '0'));
    }
    const long long signed_value = negative ? -magnitude : magnitude;
    if (signed_value < INT_MIN || signed_value > INT_MAX) {
        ok_ = false;
        wide_ = number;
        wide_length_ = static_cast<int>(p - number);
        return *this;
    }
    *value = static_cast<int>(signed_value);
    at_ = p;
    return *this;
}

Fields& Fields::Float(float* value) {
    int used = 0;
    if (ok_ && std::sscanf(at_, "%f%n", value, &used) == 1) {
        at_ += used;
    } else {
        ok_ = false;
    }
    return *this;
}
