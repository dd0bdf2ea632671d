// A game whose clock and random draws are set by its caller, and the scripted
// frames drawn from it: shared by the in-process tests and by the browser's
// page of scripted frames (tests/web/), so it needs no test framework.
#pragma once

#include "entity/entity.h"

#include <initializer_list>
#include <string>

// The game's clock reads this.
extern double testClock;
// How often the game has drawn a random number since the test began.
extern int randomDraws;
// The game's next draws; once they run out, every draw is 0 (jitter up).
void scriptRandom(std::initializer_list<int> values);
// The game reads testClock and the scripted draws from now on.
void useScriptedSources();

// Back to how the program starts: the title screen, nothing in play, the
// clock at 0 and no random draws scripted or counted.
void resetGame();
// A game in the given mode with its wave cleared away: the Player at
// (-0.9, 0), the Trap at (0, 0.68), no random draws counted yet.
void play(int mode);
// Appends an Undead with the first look of the pick list at (x, y). A stunned
// one neither walks nor draws a random number: it stays where it is put, for
// 3.5 s from now.
Undead& addUndead(float x, float y, int status = 0);

// A game in the given mode with every kind and tint of sprite in it (a
// sensing Undead, stunned ones, a finished one, the shot, the bomb, two
// Explosions, one about to end), ready for its first frame.
void scriptGame(int mode);

// Draws each scripted frame in a 600 x 400 field, with the scene set up, and
// hands check() its name: the title screen and its walk, three frames of the
// scripted S game and three of the A game, and the last of them paused.
void drawScriptedFrames(void (*check)(const std::string& name));
