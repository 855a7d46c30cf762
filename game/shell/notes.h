// The lines drawn over play, after the frame was kept for pictures and the
// paused screen (so none of them is in a capture or a screenshot): the way
// back after a fall, pad news, where a screenshot went, and a "REC" or
// "DEMO" mark in the corner while recording or watching a demo.
#ifndef VELLIN_NOTES_H
#define VELLIN_NOTES_H

#include <cstddef>

// Once the window is open and before the first frame.
void start_play_notes();
// Before the flip of a frame of play.
void draw_play_notes();
// Shows for a few seconds where the last screenshot went (or that none was
// saved).
void show_screenshot_note();
// "Screenshot: ~/.local/share/vellin/screenshots/vellin-0001.png", cut at the
// front to `size` - 1 characters; "No screenshot saved (...)" after a failure.
void screenshot_line(char* out, std::size_t size);

#endif
