// Drawing one sprite with the shared program and buffers, and the Trap, which
// is an untextured triangle in a flat colour chosen by its game mode. Each is
// drawn `along` its latest step's move (game/motion.h): at 1, as it stands.
#pragma once

#include "entity/entity.h"

#include "render/gl.h"

// Values of the "choice" uniform: how the fragment shader colours a draw.
inline constexpr int ChoiceTextured = 0;
inline constexpr int ChoiceKeyTrap = 1;  // flat colour: the Trap steered by keys
inline constexpr int ChoiceSensing = 2;  // textured and tinted: an Undead near the Player
inline constexpr int ChoiceSelfTrap = 3; // flat colour: the Trap that steers itself

// Forgets all that drawing knew of the buffers and the program: called by each
// scene setup, whose objects are new though they may have the old ones' names.
void resetSpriteStream();

// Draws nothing if the shared buffers cannot be written.
void drawEntity(const Entity& entity, float along = 1.0f);
// Copies the entity's vertices and texture coordinates into the shared buffers
// (attributes 0 and 1); returns the first vertex of the copy, or -1 if the
// buffers could not be written.
GLint uploadQuad(const Entity& entity);
// Draws theTrap, then its bomb if one is falling.
void drawTrap(float along = 1.0f);
// Sets the "choice" uniform of the current program.
void setChoice(int choice);
