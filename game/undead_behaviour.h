// How the Undead behave each update: recover from a stun, wrap round the
// field's edges, sense a near Player and close in on it, march left with a
// random jitter, or spin in place while stunned.
#pragma once

#include "entity/entity.h"

// The first step of every play-field update. Needs thePlayer.
void updateUndead();

// The spin of a stunned Undead: turned by angle (radians) about its axis (0,
// 1, 2: x, y, z).
Mat4 spinMatrixAt(int axis, float angle);

// Moves e by distance d one way along an axis.
void moveInDirection(Entity& e, float distance, Direction direction);
