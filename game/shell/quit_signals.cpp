// The quit signals: a flag set on whatever thread the signal lands on.
#include "shell/quit_signals.h"

#include <signal.h>

#include <atomic>

namespace {

constexpr int kQuitSignals[] = {SIGTERM, SIGINT, SIGHUP};

constexpr int kCount = sizeof kQuitSignals / sizeof kQuitSignals[0];
bool ignored[kCount];  // by the parent, as nohup does SIGHUP: stays so
std::atomic<int> caught{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

void note_signal(int sig) {
    caught.store(sig);
}

sigset_t quit_set() {
    sigset_t set;
    sigemptyset(&set);
    for (const int sig : kQuitSignals) {
        sigaddset(&set, sig);
    }
    return set;
}

}  // namespace

void hold_quit_signals() {
    for (int i = 0; i < kCount; ++i) {
        struct sigaction old = {};
        sigaction(kQuitSignals[i], nullptr, &old);
        ignored[i] = old.sa_handler == SIG_IGN;
    }
    const sigset_t set = quit_set();
    pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

void catch_quit_signals() {
    struct sigaction action = {};
    action.sa_handler = note_signal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    for (int i = 0; i < kCount; ++i) {
        sigaction(kQuitSignals[i], ignored[i] ? &ignore : &action, nullptr);
    }
    // A signal held back since hold_quit_signals is noted now.
    const sigset_t set = quit_set();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
}

int quit_signal() {
    return caught.load();
}

void reraise_quit_signal() {
    const int sig = caught.load();
    if (sig == 0) {
        return;
    }
    signal(sig, SIG_DFL);
    const sigset_t set = quit_set();
    pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    raise(sig);
}
