// The play floor: the game played by its steps, with no window, no sound and
// no clock but its own. The random draws seeded and counted, the steps run and
// the game clock they drive, every game played recorded alone, and a recorded
// game played through as fast as it goes (the replay check, and the board's
// judge). It may use replay/, game/ and files/; the player's session (its
// window's frames, sounds and pause) and the board build on it.
#pragma once

#include "play/played_games.h"
#include "replay/replay_file.h"

extern long long stepsRun; // since the program started, title screen included
extern double gameTime;    // the game clock: the time of the latest step, in seconds

// What the game reads as its clock (game/sources.h): gameTime.
double gameClock();

// One step, at stepsRun / 60 s on the game clock: the game that ended in it,
// if one did.
const PlayedGame* playOneStep();

// Starts at a replay's beginning: the random draws, what its game took over
// from the game before, the step count and the clock as they were when its
// first game began. A game being played ends where it stands.
void startPlayback(const Replay& replay);
