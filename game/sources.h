// The game's two outside sources: the clock and random numbers (the C
// library's rand(), seeded by main, or by a replay with its recorded seed).
// The clock stands at zero until main hands the game its own, which runs by
// the game's fixed steps (play/play.h). The game reads both only through
// these, so a replay gives it exactly what it had, and a test can set the
// time to the exact value it wants and choose every random draw.
#pragma once

#include <cstdlib>

// Constant-initialised: the title Mascot reads the clock before main runs.
using Clock = double (*)();
using RandomSource = int (*)();
inline double clockAtStart() { return 0.0; }
inline constinit Clock readClock = clockAtStart;
inline constinit RandomSource drawRandom = std::rand;
