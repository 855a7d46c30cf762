/* A gamepad for the end-to-end tests, preloaded into the game: opening
   /dev/input/js0 (or /dev/js0) gives a descriptor that answers the joystick
   ioctls (version, axes, buttons, name) and serves js_event records on read,
   as the kernel's joydev does, for Allegro's own Linux joystick driver.
     FAKE_PAD_NAME    the name the pad reports (default "Fake Pad"; empty:
                      the name ioctl fails, as where the driver gives none)
     FAKE_PAD_START   "N VALUE": axis N reads VALUE at first (a stick held
                      while the game starts)
     FAKE_PAD_SCRIPT  a file the test appends lines to while the game runs:
                      "axis N VALUE" or "button N VALUE" (VALUE -32767 ..
                      32767, or 0/1), each served once as an event
     FAKE_PAD_PLUGGED a file: the pad is there only while it exists. Pulled,
                      stat and open find no device and an open one fails
                      with ENODEV, as joydev's does.
   The pad has 8 axes and 11 buttons, as a common modern pad: axes 2 and 5
   are triggers, resting at one end. The first reads give the initial state,
   marked JS_EVENT_INIT; the other joystick devices do not exist. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/joystick.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

enum { kAxes = 8, kButtons = 11, kMaxOpen = 8, kQueue = 64 };

struct FakeFd {
    int in_use;
    int fd;
    int init_sent;
    long script_offset;
    struct js_event queue[kQueue];
    int head, tail;
};

static struct FakeFd fakes[kMaxOpen];

static int plugged(void) {
    const char* file = getenv("FAKE_PAD_PLUGGED");
    return file == NULL || access(file, F_OK) == 0;
}

static void* next(const char* name) {
    return dlsym(RTLD_NEXT, name);
}

static struct FakeFd* fake(int fd) {
    for (int i = 0; i < kMaxOpen; ++i)
        if (fakes[i].in_use && fakes[i].fd == fd)
            return &fakes[i];
    return NULL;
}

/* 0: not a joystick device; 1: the first one, faked; -1: another, absent. */
static int joystick_path(const char* path) {
    const char* n = NULL;
    if (strncmp(path, "/dev/input/js", 13) == 0)
        n = path + 13;
    else if (strncmp(path, "/dev/js", 7) == 0)
        n = path + 7;
    if (n == NULL || *n < '0' || *n > '9')
        return 0;
    return strcmp(n, "0") == 0 ? 1 : -1;
}

static int open_fake(const char* path, int flags) {
    int (*real_open)(const char*, int, ...) = next("open");
    const int which = joystick_path(path);
    if (which < 0 || !plugged()) {
        errno = ENOENT;
        return -1;
    }
    (void)flags;
    const int fd = real_open("/dev/null", O_RDONLY);
    for (int i = 0; fd >= 0 && i < kMaxOpen; ++i) {
        if (!fakes[i].in_use) {
            memset(&fakes[i], 0, sizeof fakes[i]);
            fakes[i].in_use = 1;
            fakes[i].fd = fd;
            return fd;
        }
    }
    return fd;
}

static unsigned now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (unsigned)(t.tv_sec * 1000 + t.tv_nsec / 1000000);
}

static void push(struct FakeFd* f, unsigned char type, unsigned char number, short value) {
    if ((f->tail + 1) % kQueue == f->head)
        return;
    struct js_event* e = &f->queue[f->tail];
    e->time = now_ms();
    e->type = type;
    e->number = number;
    e->value = value;
    f->tail = (f->tail + 1) % kQueue;
}

/* Queues the initial state once, then each new whole line of the script. */
static void refill(struct FakeFd* f) {
    if (!f->init_sent) {
        f->init_sent = 1;
        int held = -1, held_value = 0;
        const char* start = getenv("FAKE_PAD_START");
        if (start != NULL && sscanf(start, "%d %d", &held, &held_value) != 2)
            held = -1;
        for (int a = 0; a < kAxes; ++a)
            push(f, JS_EVENT_AXIS | JS_EVENT_INIT, (unsigned char)a,
                 a == held            ? (short)held_value
                 : (a == 2 || a == 5) ? -32767
                                      : 0);
        for (int b = 0; b < kButtons; ++b)
            push(f, JS_EVENT_BUTTON | JS_EVENT_INIT, (unsigned char)b, 0);
    }
    const char* script = getenv("FAKE_PAD_SCRIPT");
    FILE* s = script != NULL ? fopen(script, "r") : NULL;
    if (s == NULL)
        return;
    char line[80];
    fseek(s, f->script_offset, SEEK_SET);
    while (fgets(line, sizeof line, s) != NULL && strchr(line, '\n') != NULL) {
        f->script_offset = ftell(s);
        char kind[16];
        int number, value;
        if (sscanf(line, "%15s %d %d", kind, &number, &value) != 3)
            continue;
        if (strcmp(kind, "axis") == 0 && number >= 0 && number < kAxes)
            push(f, JS_EVENT_AXIS, (unsigned char)number, (short)value);
        else if (strcmp(kind, "button") == 0 && number >= 0 && number < kButtons)
            push(f, JS_EVENT_BUTTON, (unsigned char)number, (short)(value != 0));
    }
    fclose(s);
}

/* open or open64, named `real`, unless the path is a joystick's. */
static int open_either(const char* real, const char* path, int flags, mode_t mode) {
    if (joystick_path(path))
        return open_fake(path, flags);
    int (*real_open)(const char*, int, ...) = next(real);
    return real_open(path, flags, mode);
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
    va_end(args);
    return open_either("open", path, flags, mode);
}

int open64(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
    va_end(args);
    return open_either("open64", path, flags, mode);
}

int close(int fd) {
    struct FakeFd* f = fake(fd);
    if (f != NULL)
        f->in_use = 0;
    int (*real_close)(int) = next("close");
    return real_close(fd);
}

ssize_t read(int fd, void* buffer, size_t size) {
    struct FakeFd* f = fake(fd);
    if (f == NULL) {
        ssize_t (*real_read)(int, void*, size_t) = next("read");
        return real_read(fd, buffer, size);
    }
    if (!plugged()) {
        errno = ENODEV;
        return -1;
    }
    if (f->head == f->tail)
        refill(f);
    /* Non-blocking, as the driver opens it: nothing new is EAGAIN. */
    size_t done = 0;
    while (f->head != f->tail && size - done >= sizeof(struct js_event)) {
        memcpy((char*)buffer + done, &f->queue[f->head], sizeof(struct js_event));
        f->head = (f->head + 1) % kQueue;
        done += sizeof(struct js_event);
    }
    if (done == 0) {
        errno = EAGAIN;
        return -1;
    }
    return (ssize_t)done;
}

int ioctl(int fd, unsigned long request, ...) {
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    if (fake(fd) == NULL) {
        int (*real_ioctl)(int, unsigned long, ...) = next("ioctl");
        return real_ioctl(fd, request, arg);
    }
    if (request == JSIOCGVERSION) {
        *(unsigned*)arg = JS_VERSION;
        return 0;
    }
    if (request == JSIOCGAXES) {
        *(unsigned char*)arg = kAxes;
        return 0;
    }
    if (request == JSIOCGBUTTONS) {
        *(unsigned char*)arg = kButtons;
        return 0;
    }
    if (_IOC_TYPE(request) == 'j' && _IOC_NR(request) == _IOC_NR(JSIOCGNAME(0))) {
        const char* name = getenv("FAKE_PAD_NAME") ? getenv("FAKE_PAD_NAME") : "Fake Pad";
        if (name[0] == '\0') { /* a driver that gives no name */
            errno = EINVAL;
            return -1;
        }
        const size_t room = _IOC_SIZE(request);
        const size_t length = strlen(name) + 1;
        if (room == 0)
            return 0;
        memcpy(arg, name, length < room ? length : room);
        ((char*)arg)[room - 1] = '\0';
        return (int)(length < room ? length : room);
    }
    errno = EINVAL;
    return -1;
}

/* The device node while plugged in: the plug file's, so each plug makes a new
   one (another inode or change time). */
int stat(const char* path, struct stat* out) {
    int (*real_stat)(const char*, struct stat*) = next("stat");
    const char* file = getenv("FAKE_PAD_PLUGGED");
    if (!joystick_path(path))
        return real_stat(path, out);
    if (joystick_path(path) > 0 && plugged())
        return real_stat(file != NULL ? file : "/dev/null", out);
    errno = ENOENT;
    return -1;
}
