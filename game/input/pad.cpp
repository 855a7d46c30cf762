// The first pad through Allegro's joystick routines, copied into `pad`.
#include <allegro.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <strings.h>  // strncasecmp

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "input/input.h"

static_assert(kPadSticks == MAX_JOYSTICK_STICKS && kPadAxes == MAX_JOYSTICK_AXIS &&
                  kPadButtons == MAX_JOYSTICK_BUTTONS,
              "PadState is sized as Allegro's joy[]");

namespace {

// A first reading this far out is a trigger's rest; one this near the centre
// shows the axis is no trigger at rest (SDL's game-controller code uses the
// same quarter).
constexpr int kFullTravel = kPadFull * 7 / 8;
constexpr int kNearCentre = kPadFull / 4;

bool rest_learned[kPadSticks][kPadAxes];  // seen near the centre since install
char name[128];                           // as the kernel gives it

// The rest of each axis that has not yet been seen near the centre.
void learn_rests() {
    for (int s = 0; s < kPadSticks; ++s) {
        for (int a = 0; a < kPadAxes; ++a) {
            if (!rest_learned[s][a] && std::abs(pad.pos[s][a]) <= kNearCentre) {
                pad.rest[s][a] = 0;
                rest_learned[s][a] = true;
            }
        }
    }
}

// The name of the first pad; Allegro reads /dev/input/js0 (then /dev/js0).
void read_name() {
    name[0] = '\0';
    for (const char* device : {"/dev/input/js0", "/dev/js0"}) {
        const int fd = open(device, O_RDONLY | O_NONBLOCK);
        if (fd >= 0) {
            const int n = ioctl(fd, JSIOCGNAME(sizeof name - 1), name);
            close(fd);
            name[n > 0 ? std::min<int>(n, sizeof name - 1) : 0] = '\0';
            break;
        }
    }
    // The name comes from a device: keep it to one printable line.
    for (char* c = name; *c != '\0'; ++c)
        if (static_cast<unsigned char>(*c) < ' ' || *c == 127)
            *c = '?';
}

void read_first_pad(int (*pos)[kPadAxes]) {
    const JOYSTICK_INFO& j = joy[0];
    pad.buttons = 0;
    for (int b = 0; b < j.num_buttons && b < kPadButtons; ++b) {
        if (j.button[b].b) {
            pad.buttons |= 1u << b;
        }
    }
    for (int s = 0; s < kPadSticks; ++s) {
        for (int a = 0; a < kPadAxes; ++a) {
            // An unsigned stick (a throttle or trigger) counts from 0 at rest
            // up to 255: it never steers, so it reads as centred.
            const bool steers = s < j.num_sticks && a < j.stick[s].num_axis &&
                                !(j.stick[s].flags & JOYFLAG_UNSIGNED);
            pos[s][a] = steers ? j.stick[s].axis[a].pos : 0;
        }
    }
}

}  // namespace

int install_pad() {
    pad = PadState{};
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0 || num_joysticks < 1) {
        return 0;
    }
    pad.present = 1;
    read_name();
    poll_joystick();
    read_first_pad(pad.pos);
    // A stick held or drifting at start-up is no trigger: only full travel
    // is kept as a rest, until the axis shows otherwise.
    for (int s = 0; s < kPadSticks; ++s) {
        for (int a = 0; a < kPadAxes; ++a) {
            const int first = pad.pos[s][a];
            pad.rest[s][a] = std::abs(first) >= kFullTravel ? first : 0;
            rest_learned[s][a] = false;
        }
    }
    learn_rests();
    latch_pad_buttons(pad.buttons);  // held at start-up: no press
    return 1;
}

void poll_pad() {
    if (!pad.present) {
        return;
    }
    poll_joystick();
    read_first_pad(pad.pos);
    learn_rests();
    latch_pad_buttons(pad.buttons);
}

const char* pad_name() {
    return name;
}

const char* pad_button_name(const char* model, int button) {
    // Linux's xpad driver, and the pads that copy it, number them so.
    static const char* const kXboxButtons[] = {"A",    "B",     "X",     "Y",  "LB", "RB",
                                               "Back", "Start", "Guide", "LS", "RS"};
    constexpr int kCount = sizeof kXboxButtons / sizeof kXboxButtons[0];
    if (model == nullptr || button < 0 || button >= kCount) {
        return nullptr;
    }
    for (const char* c = model; *c != '\0'; ++c) {
        for (const char* word : {"xbox", "x-box", "xinput"}) {
            if (strncasecmp(c, word, std::strlen(word)) == 0) {
                return kXboxButtons[button];
            }
        }
    }
    return nullptr;
}

// The pad's name as the kernel gives it, or its counts when it gives none.
void report_pad(std::FILE* out) {
    if (name[0] != '\0') {
        std::fprintf(out, "vellin: gamepad: %s\n", name);
        return;
    }
    int axes = 0;
    for (int s = 0; s < joy[0].num_sticks; ++s)
        axes += joy[0].stick[s].num_axis;
    std::fprintf(out, "vellin: gamepad with %d sticks, %d axes, %d buttons\n", joy[0].num_sticks,
                 axes, joy[0].num_buttons);
}

bool take_pad_news(char*, std::size_t) {
    return false;  // pads are found at start-up only, for now
}

bool pad_unplugged() {
    return false;
}
