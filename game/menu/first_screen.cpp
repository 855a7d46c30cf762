// The first screen of the pause menu: a table of entries, each a label and
// what choosing it does.
#include <cstdio>

#include "menu/menu_local.h"

namespace {

struct FirstEntry {
    const char* label;
    MenuResult (*choose)();
    bool in_demo;  // offered while a demo plays
};

MenuResult resume() {
    return kMenuResume;
}

MenuResult restart() {
    return kMenuRestart;
}

MenuResult time_trial() {
    return kMenuTimeTrial;
}

MenuResult settings_screen() {
    menu_go(kScreenSettings);
    return kMenuStay;
}

MenuResult controls_screen() {
    menu_go(kScreenControls);
    return kMenuStay;
}

MenuResult stages_screen() {
    menu_go(kScreenStages);
    return kMenuStay;
}

MenuResult edit() {
    return kMenuEdit;
}

MenuResult quit() {
    return kMenuQuit;
}

constexpr FirstEntry kEntries[] = {
    {"Resume", resume, true},
    {"Back to the start", restart, false},
    {"Settings", settings_screen, true},
    {"Controls", controls_screen, true},
    {"Stages", stages_screen, false},  // a demo keeps the stage it was recorded on
    {"Time trial", time_trial, false},
    {"Edit this stage", edit, false},
    {"Quit", quit, true},
};
constexpr int kEntryCount = sizeof kEntries / sizeof kEntries[0];

int count() {
    return kEntryCount;
}

bool shown(int e) {
    return kEntries[e].in_demo || !menu.setup.demo;
}

void subtitle(char* out, std::size_t size) {
    const char* stage = menu.setup.stage;
    std::snprintf(out, size, "%s", stage != nullptr && stage[0] != '\0' ? stage : " ");
}

void label(int e, char* out, std::size_t size) {
    const bool leave = kEntries[e].choose == time_trial && menu.setup.time_trial;
    std::snprintf(out, size, "%s", leave ? "Leave time trial" : kEntries[e].label);
}

MenuResult choose(int e) {
    return kEntries[e].choose();
}

}  // namespace

const MenuScreen kFirstScreen = {"Paused", nullptr, nullptr, count,  shown,
                                 subtitle, label,   choose,  nullptr};
