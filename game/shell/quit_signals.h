// SIGTERM, SIGINT and SIGHUP end the game and the viewer as Escape does: the
// handler only notes the signal; the frame loop sees it at the end of the
// frame, the program cleans up and then dies of the same signal, so its
// parent sees why it ended.
#ifndef VELLIN_QUIT_SIGNALS_H
#define VELLIN_QUIT_SIGNALS_H

// Before allegro_init: holds the three signals back until catch_quit_signals,
// so that none lands on the handlers allegro_init installs (they abort). The
// threads Allegro starts inherit the hold and never take them.
void hold_quit_signals();
// After allegro_init: notes the three signals from now on, except those the
// parent had ignored (nohup, a shell's background job), which stay ignored,
// and lets them through on this thread, even when the parent blocked them; one
// held back since hold_quit_signals is noted at once.
void catch_quit_signals();
// The signal that asked to quit, or 0.
int quit_signal();
// After cleaning up: when a signal asked to quit, dies of it with its default
// action (no core dump for these three). Returns otherwise.
void reraise_quit_signal();

#endif
