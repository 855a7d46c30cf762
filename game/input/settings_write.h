// Writing the settings file when the player changes something in the game.
//
// The file is the player's: the lines the game does not change stay as they
// were written, comments and unknown entries included, and the old file is
// only ever replaced whole (state.h's replace_file), so a crash or a full
// disk leaves either the old file or the new one, never a truncated one.
#ifndef VELLIN_SETTINGS_WRITE_H
#define VELLIN_SETTINGS_WRITE_H

#include <cstddef>
#include <cstdio>

#include "input/bindings.h"

// One entry to set: "[section] name = value".
struct SettingValue {
    const char* section;  // "settings", "keys", "pad"
    const char* name;
    const char* value;
};

// Copies the settings text `in` (size bytes) to `out` with each of the
// values set: an entry already there gets the new value in place (keeping
// its indentation, its spelling and a trailing comment), one that is not is
// added after the last entry of its section, and a missing section is added
// at the end. Sections and names match in any case, as the reader matches
// them. Returns false when writing to `out` failed.
bool update_settings_text(const char* in, std::size_t size, const SettingValue* values, int count,
                          std::FILE* out);

// Sets the values in the settings file at `path` (made, with its folder, when
// missing) under the file's lock: the text is read again, changed and
// written whole through replace_file's steps (state.h), so that two games
// saving at once both keep their changes, a read-only file is refused and the
// owner, group and mode stay. A file that already says so is not written. On
// failure the old file is untouched and `why` says what went wrong.
bool write_settings_values(const char* path, const SettingValue* values, int count, char* why,
                           std::size_t why_size);

// The menu's side of the settings table (settings_save.cpp).
// One row of the table as the menu shows it.
struct SettingRowView {
    const char* name;  // entry name in the file: "volume"
    int* value;        // the field it sets
    int low, high;     // 0 and 1 for yes or no
    bool yes_no;
};
// The rows of [settings], in the table's order, as indices into the table;
// returns how many (at most max).
int settings_section_rows(int* rows, int max);
SettingRowView setting_row_view(int row);
// The play action other than `a` that has the key (or, with `button`, the
// pad button) `code`, as the settings file refuses two play actions on one;
// -1 when none, or when `a` is a debug action (they may share).
int binding_clash(Action a, bool button, int code);
// Every action's keys and buttons back to the table's defaults.
void reset_bindings();
// Writes the entries that changed to the settings file at `path`: the rows
// with their bit set in `rows` (bit r for row r), and both the [keys] and
// [pad] entries of the actions with their bit set in `actions`. Nothing is
// written when both are 0. On failure `why` says what went wrong.
bool save_settings_changes(const char* path, unsigned rows, unsigned actions, char* why,
                           std::size_t why_size);

#endif
