// Tile-stepping animations: the Explosion plays its eleven tiles once, the
// title Mascot walks back and forth along its row for as long as it shows.
// A step shifts the sprite's texture coordinates in place.
#pragma once

#include "entity/entity.h"

#include <memory>

// t is the frame's clock reading. A step is due once more than a period has passed.
void animateExplosion(Explosion& explosion, double t);
void animateMascot(Mascot& mascot, double t);

// An Explosion as one stood when a game took it over from the game before
// (a recording says so): at (x, y), stepped on to its tile, last at lastStep.
std::unique_ptr<Explosion> explosionAsItStood(float x, float y, int tile, double lastStep);
