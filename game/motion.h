// Where the latest step moved what it moves, so that a frame that falls
// between two steps can draw the field at its own moment between them. Each
// step notes where the Player, the Trap, their shot and bomb and the Undead
// stand before it and where it leaves them (one snapshot of their places, and
// of the stunned Undead's spin). Drawn `along` its latest step, each of them
// is that far on its way from before the step to after it. What the step did
// not glide is drawn where it stands: what it made or took away, a move of
// more than a step's worth (an Undead wrapping round the field), and anything
// moved since, as the keys move the Player and the Trap. Nothing the game
// decides reads it.
#pragma once

#include "entity/entity.h"

// Around each step of play (stepGame).
void noteBeforeStep();
void noteAfterStep();
// Back to no step noted (a game cleared away).
void forgetSteps();

// The entity's model `along` (0 to 1) its latest step's move from where it
// stood before it; at 1, or for anything that step did not glide, its model
// as it stands.
Mat4 modelAlong(const Entity& entity, float along);
