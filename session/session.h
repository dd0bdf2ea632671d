// The session floor: the player's session around the game played by its steps
// (play/). The fixed steps that the real clock makes fall due, pause, the
// sounds the game heard, a recording or a playback, and the one way every key
// reaches the game. It may use play/, replay/, bests/, audio/ and game/; the
// window and its events (app/) and the pads (input/) feed it from above.
#pragma once

#include "audio/sound_floor.h"
#include "play/play.h"
#include "replay/playback.h"
#include "session/fixed_steps.h"
#include "session/recorder.h"

#include <memory>

extern FixedSteps steps;
extern SoundFloor soundFloor;
extern std::unique_ptr<Recorder> recorder; // when the game is being recorded
extern std::unique_ptr<Playback> playback; // when a recorded game is shown

// The steps of the frame that begins at `now` on the real clock: those that
// have fallen due, each at its own time on the game clock. A playback hands
// each its keys, and stops at its end: its last picture stays.
void runSteps(double now);

// One step (playOneStep); a recording notes it, and a game won in it is timed.
void runOneStep();

// How far along its latest step's move the last frame that ran draws the
// field (FixedSteps::along); a playback at its end shows its last step as it
// stands.
float frameAlong();

// Shows a recorded game from now on, in place of whatever was played (a
// page's file or link): the game being played ends where it stands, kept as
// the last one played, and a pause is lifted, as nothing pauses a playback.
void showRecording(Replay replay);
// Back from a recording shown to the title screen, the draws seeded afresh.
void stopShowing(unsigned seed);

// A key of a recording, handed to the game as it was taken: no pause, no
// playback and no recording stand in its way.
void takeRecordedKey(int key, int action);

// P: pauses or resumes a running, won or lost game; on the title screen, and
// in a playback, it does nothing. Paused, no step runs and the game clock
// stands still.
void togglePause();
// The window lost the focus: a game pauses as P pauses it, and stays paused
// when the focus comes back, until P (or a pad's Start) resumes it.
void pauseGame();
// A pad's Start, as a console's: an S game from the title screen, else P.
void pressStart();

// Decodes the sound files (a line on standard error for each that cannot be)
// and opens the sound device for them: silent, and quiet, without one.
void startSounds();

// Plays what the game heard since the last call, and forgets it.
void playHeardSounds();

// M: mutes or unmutes the sounds.
void toggleMute();

// A key event for the game (from the keyboard, or a pad acting as one). While
// paused, and in a playback, only Q gets through. A recording notes it.
void gameKey(int key, int action);

// A key from the player's keyboard: P pauses and M mutes (the game never sees
// them); every other key goes on to the game.
void playerKey(int key, int action);
