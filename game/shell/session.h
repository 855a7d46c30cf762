// What a run of the game does besides live play: record a demo, play one back
// at real speed (--play) or as fast as possible (--timedemo), capture its
// frames, take screenshots. main sets the session up from the options before
// start-up; the frame loop calls the rest.
#ifndef VELLIN_SESSION_H
#define VELLIN_SESSION_H

#include "shell/data_dir.h"

extern unsigned int stage_seed;  // the seed the stage is generated from

// Before start-up: lets the quit signals through, loads the demo to play or
// starts the recording. Returns -1
// to go on, or the exit status after printing why not.
int begin_session();
// Just before the first frame: readies pausing, starts the frame clock.
void frames_start();
// Runs the physics steps of one frame: the ticks counted, or the demo's.
void run_frame_steps();
// After drawing, before the flip: the screenshot key and captured frames.
void save_pictures();
// After save_pictures, before the flip: true when the pause action was
// pressed or the window lost the focus, in a run that may pause; the frame
// is kept for the paused screen then.
bool pause_asked();
// After the flip, when pause_asked: the paused screen until the player
// resumes or quits. Nothing advances meanwhile, and nothing catches up after.
void pause_game();
// After the flip: the frame's time.
void frame_shown();
// True once the demo has been played, a capture failed, or the player quit
// while paused or by a signal.
bool session_over();
// After the loop: finishes the recording, prints the timedemo line. Returns
// the exit status; after a quit signal, shuts Allegro down and dies of that
// signal instead.
int end_session();

// A demo's file: a relative name that is not in the working directory is
// looked for in the data directory (chosen before the session), where the
// shipped demos are (demos/tour.demo, demos/par/). Returns `name` or `out`.
const char* find_demo(const char* name, char out[kDataPathSize]);

struct Demo;
// The demo being played, once begin_session has loaded it; null otherwise.
const Demo* session_demo();

#endif
