// What the benchmarks measure on: the game's window and scene, and a busy
// field that a few updates will not empty.
#pragma once

struct GLFWwindow;

// The game's 600 x 400 window with its scene set up from the source tree;
// null if there is no display.
GLFWwindow* openGameWindow();

// A game in play: the Player and its shot, five walking Undead, the Trap and
// its bomb, and as many Explosions (at most three). Sixteen updates later every
// one of them is still there: nothing is created or destroyed in between.
void makeBusyField(int explosions = 3);
inline constexpr int busyUpdates = 16;
