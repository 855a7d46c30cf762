// Private to the input library: the settings file cut into lines, once, for
// both its reader and its writer, so that the writer changes exactly the
// entry the reader takes and never adds one the reader would ignore.
#ifndef VELLIN_SETTINGS_LINES_H
#define VELLIN_SETTINGS_LINES_H

#include <cstddef>

// The largest settings file read or updated: the printed defaults, every
// comment included, are some 3 KB.
constexpr std::size_t kSettingsFileMaxBytes = 64 << 10;

// One line, as Allegro's configuration routines split it. Lines end at \n,
// \r\n or a lone \r; blanks are space, tab, \f and \v.
struct SettingsLine {
    enum Kind {
        kBlank,       // empty, blanks or a # comment
        kSection,     // "[name]", nothing after it but a comment
        kNotSection,  // starts with '[' but is not a whole section line
        kEntry,       // "name = value"
        kNoEquals,    // a name and no '=' after it
        kNoName,      // '=' with no name before it
        kNotText,     // holds a NUL byte, which no text file has
    };
    Kind kind;
    const char* begin;  // the line's first byte
    const char* end;    // where its line end starts
    const char* next;   // the next line's first byte
    const char* text;   // the line without blanks at either end (text..text_end)
    const char* text_end;
    const char* name;      // kSection and kNotSection: between the brackets (up to
    const char* name_end;  // the line's end when unclosed); kEntry, kNoEquals: the name
    const char* equals;    // kEntry: the '='
    const char* value;     // kEntry: after '=', blanks and a comment cut off
    const char* value_end;
    const char* comment;  // kEntry: a '#' starting the value or after a blank; else end
};

// Where the lines begin: after a byte-order mark, which is no part of them.
const char* settings_text_begin(const char* text, std::size_t size);

// The line at `p`, which is before `limit`.
SettingsLine settings_line(const char* p, const char* limit);

#endif
