// Time trial's drawing, only while time trial is on (trial_play.h).
#ifndef VELLIN_TRIAL_DRAW_H
#define VELLIN_TRIAL_DRAW_H

// Last in the stage's drawing: the best run's trooper where the ghost is,
// see-through, its depth left in the depth buffer; nothing when there is no
// ghost to show.
void draw_ghost();
// Over the picture, after the frame's GL teardown: the clock in the top left
// corner and, under it, a split, the fall's word or the finish.
void draw_trial_text();

#endif
