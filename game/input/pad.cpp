// The first pad through Allegro's joystick routines, copied into `pad`.
#include <allegro.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <initializer_list>

#include "input/input.h"

static_assert(kPadSticks == MAX_JOYSTICK_STICKS && kPadAxes == MAX_JOYSTICK_AXIS &&
                  kPadButtons == MAX_JOYSTICK_BUTTONS,
              "PadState is sized as Allegro's joy[]");

namespace {

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
    poll_joystick();
    read_first_pad(pad.rest);
    read_first_pad(pad.pos);
    return 1;
}

void poll_pad() {
    if (!pad.present) {
        return;
    }
    poll_joystick();
    read_first_pad(pad.pos);
}

// The pad's name as the kernel gives it, or its counts when it gives none.
// Allegro reads /dev/input/js0 (then /dev/js0) for its first pad.
void report_pad(std::FILE* out) {
    char name[128] = "";
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
