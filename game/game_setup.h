// Building games: the title Mascot, a new game with its Player, Trap and wave,
// the restart that clears the old one away, and the Trap's bomb drop.
#pragma once

#include "entity/entity.h"

#include <memory>

// The title screen's Mascot as the program starts: first tile, clock at zero.
std::unique_ptr<Mascot> createMascot();
