// Time trial's drawing, only while time trial is on (trial_play.h).
#ifndef VELLIN_TRIAL_DRAW_H
#define VELLIN_TRIAL_DRAW_H

// In the stage's drawing, after the player: the best run's trooper where the
// ghost is, see-through; nothing when there is no ghost to show.
void draw_ghost();
// Over the picture, after the frame's GL teardown: the clock in the top left
// corner and, under it, a split, the fall's word or the finish.
void draw_trial_text();

#endif
