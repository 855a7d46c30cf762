// The first pad through Allegro's joystick routines, copied into `pad`; a pad
// plugged in or pulled while the game runs is noticed by watching its device.
#include <allegro.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>  // strncasecmp

#include <algorithm>
#include <ctime>
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

// Allegro's driver opens the first of these that opens.
constexpr const char* kDevices[] = {"/dev/input/js0", "/dev/js0"};
// How often the device is looked at, in ms: a new pad is found within this,
// and a pulled one stops steering within it.
constexpr long kWatchEvery = 1000;

bool rest_learned[kPadSticks][kPadAxes];  // seen near the centre since install
char name[128];                           // as the kernel gives it
std::uint32_t held_at_install;            // down when the pad came; ignored until released

// The device node as stat last found it: a pad pulled removes it, one
// plugged in makes a new one (another inode, or the same one changed anew).
struct DeviceNode {
    bool there;
    ino_t inode;
    timespec changed;
};
DeviceNode device;
bool watching;   // install_pad ran: Allegro is there to install the driver again
long next_look;  // ms on now_ms

char news[sizeof name + 32];  // for take_pad_news
bool news_waiting;
bool unplugged;  // for pad_unplugged
long unplugged_at;

// The coarse clock is read without a system call (a few ns where the precise
// one costs 150): poll_pad reads it several times a frame.
long now_ms() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return t.tv_sec * 1000 + t.tv_nsec / 1000000;
}

DeviceNode find_device() {
    struct stat st;
    for (const char* path : kDevices) {
        if (stat(path, &st) == 0) {
            return {true, st.st_ino, st.st_ctim};
        }
    }
    return {false, 0, {}};
}

bool same_node(const DeviceNode& a, const DeviceNode& b) {
    return a.there == b.there && a.inode == b.inode && a.changed.tv_sec == b.changed.tv_sec &&
           a.changed.tv_nsec == b.changed.tv_nsec;
}

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
    std::uint32_t down = 0;
    for (int b = 0; b < j.num_buttons && b < kPadButtons; ++b) {
        if (j.button[b].b) {
            down |= 1u << b;
        }
    }
    held_at_install &= down;
    pad.buttons = down & ~held_at_install;
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

// The pad in use is gone: nothing of it stays held.
void lose_pad() {
    remove_joystick();
    pad = PadState{};
    name[0] = '\0';
    latch_pad_buttons(0);
    latch_pad_ways(0);
    std::fputs("vellin: gamepad disconnected\n", stderr);
    std::snprintf(news, sizeof news, "Pad disconnected");
    news_waiting = true;
    unplugged = true;
    unplugged_at = now_ms();
}

// Once every kWatchEvery: a stat of the device while it stays as it was.
void watch_device() {
    const long now = now_ms();
    if (!watching || now < next_look) {
        return;
    }
    next_look = now + kWatchEvery;
    const DeviceNode found = find_device();
    if (same_node(found, device)) {
        return;
    }
    if (pad.present) {
        lose_pad();
    }
    device = found;
    if (found.there) {
        remove_joystick();  // else install_joystick keeps the driver that found nothing
        if (install_pad()) {
            report_pad(stderr);
            std::snprintf(news, sizeof news,
                          name[0] != '\0' ? "Pad connected: %s" : "Pad connected", name);
            news_waiting = true;
        }
    }
}

}  // namespace

int install_pad() {
    pad = PadState{};
    watching = true;
    next_look = now_ms() + kWatchEvery;
    const bool found = install_joystick(JOY_TYPE_AUTODETECT) == 0 && num_joysticks >= 1;
    device = find_device();  // after the install: a pad coming meanwhile is this one
    if (!found) {
        return 0;
    }
    pad.present = 1;
    read_name();
    poll_joystick();
    held_at_install = 0;
    read_first_pad(pad.pos);
    held_at_install = pad.buttons;  // a button held as the pad comes is no press
    pad.buttons = 0;
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
    latch_pad_buttons(pad.buttons);
    return 1;
}

void poll_pad() {
    watch_device();
    if (!pad.present) {
        return;
    }
    poll_joystick();
    read_first_pad(pad.pos);
    learn_rests();
    latch_pad_buttons(pad.buttons);
    latch_pad_ways(pad_way_keys(pad));
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

void pad_button_label(int button, char* out, std::size_t size) {
    const char* usual = pad_button_name(name, button);
    if (usual != nullptr) {
        std::snprintf(out, size, "%s", usual);
    } else {
        std::snprintf(out, size, "button %d", button);
    }
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

bool take_pad_news(char* out, std::size_t size) {
    if (!news_waiting || out == nullptr || size == 0) {
        return false;
    }
    std::snprintf(out, size, "%s", news);
    news_waiting = false;
    return true;
}

bool pad_unplugged() {
    // Only while it is news: a pad pulled while the game was already paused
    // does not pause it again after the player resumes.
    const bool fresh = unplugged && now_ms() - unplugged_at < kWatchEvery;
    unplugged = false;
    return fresh;
}
