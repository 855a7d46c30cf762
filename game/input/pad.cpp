// The first pad through Allegro's joystick routines, copied into `pad`.
#include <allegro.h>

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
