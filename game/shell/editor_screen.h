// The stage editor in the game: `vellin --edit NAME|FILE`, or Edit this
// stage on the pause menu. The keys, the pad and the mouse become calls on
// the editor's model (editor/editor.h); test play, saving and leaving are
// done here as the model answers.
#ifndef VELLIN_EDITOR_SCREEN_H
#define VELLIN_EDITOR_SCREEN_H

// --edit's value: a stage's name or a stage file; nullptr when not given.
extern const char* edit_option;

// Before start-up, for --edit: opens the stage in the editor and puts its
// layer in play behind the grid (an empty one while it breaks the rules).
// -1 to go on, or 1 after one line on stderr saying why not.
int open_edit_option();
// After start-up: the editor until the player leaves it (or a quit signal).
void run_editor();
// From the pause menu: opens the stage in play in the editor and runs it;
// afterwards the stage in play is as it was (the trooper at its start after a
// test play). False, with a line for the menu in `why`, when it cannot open.
bool edit_stage_in_play(char* why, int why_size);

#endif
