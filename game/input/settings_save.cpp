// What the menu changes, written back through the settings writer: each
// changed row or binding as the file writes it, and nothing else.
#include <algorithm>
#include <cstring>
#include <iterator>

#include "input/input_local.h"
#include "input/settings_write.h"

namespace {

constexpr int kValueSize = 64;
constexpr int kMaxValues = kSettingRowCount + kActionCount * kBindingKinds;
// Static: the menu that saves runs in the paused loop, which allocates nothing.
char texts[kMaxValues][kValueSize];
SettingValue values[kMaxValues];

}  // namespace

int settings_section_rows(int* rows, int max) {
    int n = 0;
    for (int r = 0; r < kSettingRowCount && n < max; ++r) {
        if (std::strcmp(kSettingRows[r].section, "settings") == 0) {
            rows[n++] = r;
        }
    }
    return n;
}

SettingRowView setting_row_view(int row) {
    const SettingRow& r = kSettingRows[row];
    return {r.name, r.value, r.low, r.high, r.yes_no};
}

int binding_clash(Action a, bool button, int code) {
    if (a >= kPlayActions) {
        return -1;
    }
    const BindingKind& kind = kBindingKind[button ? 1 : 0];
    for (int b = 0; b < kPlayActions; ++b) {
        const Binding& other = bindings[b];
        const int* codes = other.*kind.codes;
        if (b != a &&
            std::find(codes, codes + other.*kind.count, code) != codes + other.*kind.count) {
            return b;
        }
    }
    return -1;
}

void reset_bindings() {
    for (int a = 0; a < kActionCount; ++a) {
        bindings[a] = kActionInfo[a].defaults;
    }
}

bool save_settings_changes(const char* path, unsigned rows, unsigned actions, char* why,
                           std::size_t why_size) {
    int n = 0;
    for (int r = 0; r < kSettingRowCount; ++r) {
        if (rows >> r & 1u) {
            const SettingRow& row = kSettingRows[r];
            write_setting(row, *row.value, texts[n], kValueSize);
            values[n] = {row.section, row.name, texts[n]};
            ++n;
        }
    }
    for (int a = 0; a < kActionCount; ++a) {
        for (int k = 0; k < kBindingKinds && (actions >> a & 1u); ++k) {
            write_binding(kBindingKind[k], bindings[a], texts[n], kValueSize);
            values[n] = {kBindingKind[k].section, kActionInfo[a].name, texts[n]};
            ++n;
        }
    }
    return n == 0 || write_settings_values(path, values, n, why, why_size);
}
