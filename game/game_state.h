// The game floor: the rules, the states, setup, the keys, the steps and the
// sounds the game hears. It may use entity/ and nothing above it: it makes no
// GL or audio call, and what comes from outside (the clock, random draws, key
// events) reaches it through sources.h and keyCallback, from the floors above.
//
// The program-wide state of the game: which screen shows, whether the player
// asked to quit, and the holders that own every game object.
#pragma once

#include "entity/entity.h"

#include <memory>
#include <vector>

inline constexpr int TitleScreen = 0;
inline constexpr int Playing = 1;

extern int gameState; // TitleScreen until the first game starts, then Playing for good
extern bool quitRequested;

extern std::unique_ptr<Player> thePlayer;
extern std::unique_ptr<Trap> theTrap;
extern std::unique_ptr<Mascot> theMascot; // made before main runs, lives for the whole run
extern std::vector<std::unique_ptr<Undead>> undeadList;
extern std::vector<std::unique_ptr<Explosion>> explosionList;

// Counts the updates in which the self-steering Trap had a stunned Undead to chase.
extern int trapAutoCounter;

// Asked by the frame loop once per iteration.
bool shouldQuit();

// Back to how the program starts: the title screen, nothing in play, no quit
// asked for, no sound heard. (The Mascot walks on where it was.)
void clearGame();

// Lost (the Player was caught) or won (no Undead left). Only meaningful while Playing.
bool gameIsOver();
