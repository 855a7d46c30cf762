// The game's sound through Allegro's digital sound driver: the samples read
// once at start-up, the jungle looping from then on, and the sounds that each
// physics step starts (game/sound chooses them). Without a device, or with
// --mute, everything here is silent and costs nothing.
#ifndef VELLIN_AUDIO_H
#define VELLIN_AUDIO_H

#include "sound/sound.h"

// After the timer is installed: the driver, the samples, the ambience. Says
// in one line on stderr when there is no device to play on.
void init_audio();
// The player now, as the sound rules see it.
PlayerSound player_sound_state();
// Starts the sounds of the step that began in state `before`.
void play_step_sounds(const PlayerSound& before);
// While the game is paused: every sound playing stops where it is, and goes
// on from there.
void pause_sounds();
void resume_sounds();
// While paused, after settings.volume or settings.mute changed: the sounds
// take the new volume; mute stops them all and unmuting starts the ambience
// again (when the game resumes). False when sound cannot be heard before the
// next start: the game opened no sound device.
bool apply_sound_settings();

#endif
