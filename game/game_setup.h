// Building games: the title Mascot, a new game with its Player, Trap and wave,
// the restart that clears the old one away, and the Trap's bomb drop.
#pragma once

#include "entity/entity.h"
#include "entity/kinds.h"

#include <memory>

inline constexpr int KeyTrapMode = 0;  // S: the keys steer the Trap
inline constexpr int SelfTrapMode = 1; // A: the Trap steers and bombs by itself

// The title screen's Mascot as the program starts: first tile, clock at zero.
std::unique_ptr<Mascot> createMascot();

// A shot or a bomb at (x, y), with the look of the given tile of the effects sheet.
std::unique_ptr<Projectile> makeProjectile(float x, float y, const TileRect& look);
// The Trap at its start: an untextured downward triangle, in the given mode.
std::unique_ptr<Trap> makeTrap(int mode);

// A new Player, a Trap in the given mode and a fresh wave; then play begins.
void startGame(int mode);
// Clears away the last game's Trap and Undead, then starts a new one.
// Explosions still playing carry on into it.
void restartGame(int mode);
// Five Undead in a column at the right, top to bottom, one rand() each for their look.
void spawnWave();
// Drops the Trap's bomb, unless one is already falling.
void trapFire();
