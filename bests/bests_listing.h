// The bests as a terminal shows them (--bests): for each mode, each best's
// place, time, date and the path of its recording, which --replay plays.
#pragma once

#include "bests/keeper.h"

#include <iosfwd>

void printBests(const Keeper& keeper, std::ostream& out);
