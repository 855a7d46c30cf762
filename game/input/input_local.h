// Private to the input library: the tables of the settings file. Each entry
// of the file is written once, here: the actions (the entries of [keys] and
// [pad]) and the settings rows (the numbers and yes-or-no entries). The
// bindings, the reader, the printed defaults and the command-line overrides
// are all derived from them.
#ifndef VELLIN_INPUT_LOCAL_H
#define VELLIN_INPUT_LOCAL_H

#include <cstddef>
#include <cstdint>

#include "input/input.h"

struct ActionInfo {
    const char* name;   // entry name in [keys] and [pad]
    std::uint16_t bit;  // StepKey bit; 0 for actions outside a step
    Binding defaults;
    const char* help;  // one line for the printed defaults
};
extern const ActionInfo kActionInfo[kActionCount];  // indexed by Action

// A command-line option that sets a row for one run: a flag storing `value`,
// or, with an `arg`, a number in the row's range.
struct SettingOption {
    const char* name;  // "--windowed"; nullptr for none
    const char* arg;   // "N" for a number; nullptr for a flag
    int value;         // what a flag stores
    const char* help;
};

// One number or yes-or-no entry of the settings file.
struct SettingRow {
    const char* section;  // "settings" or "pad"
    const char* name;
    int* value;  // the field of `settings` or `pad_layout` it sets
    int fallback;
    bool yes_no;                    // written yes or no; else a whole number
    int low, high;                  // the range (0 and 1 for yes or no)
    const char* help;               // the comment above it in the printed file; may be null
    SettingOption command_line[2];  // name nullptr: none
};
extern const SettingRow kSettingRows[kSettingRowCount];

// One text entry of the settings file, kept as written (blanks around it and
// a comment after a blank dropped); it has no command-line option of the
// table's kind. Its default is empty: the printed file shows an example,
// commented out.
struct TextSettingRow {
    const char* section;
    const char* name;
    char* value;  // kSettingTextSize bytes
    const char* example;
    const char* help;
};
constexpr int kTextSettingRowCount = 1;
extern const TextSettingRow kTextSettingRows[kTextSettingRowCount];

// The entries of one binding section: keys in [keys], pad buttons in [pad].
// Both go through the same code; only these differ.
struct BindingKind {
    const char* section;  // "keys" or "pad"
    const char* plural;   // "keys" or "buttons", for "more than 3 keys"
    const char* prefix;   // before a code in a message: "" or "button "
    int Binding::*count;
    int (Binding::*codes)[kMaxBound];
    // The code a word names; false with the reason in `why` when none.
    bool (*read)(const char* word, int* code, char* why, std::size_t size);
    // A code's name as the file writes it: "LEFT", "7".
    void (*write)(int code, char* out, std::size_t size);
};
constexpr int kBindingKinds = 2;
extern const BindingKind kBindingKind[kBindingKinds];

// A row's value as the file writes it: "yes", "25".
void write_setting(const SettingRow& row, int value, char* out, std::size_t size);
// A binding's list as the file writes it: "LEFT A", "0 7", "none".
void write_binding(const BindingKind& kind, const Binding& b, char* out, std::size_t size);

#endif
