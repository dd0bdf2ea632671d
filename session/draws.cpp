#include "session/draws.h"

#include "game/random.h"
#include "game/sources.h"

#include <cstdlib>

namespace {

#ifdef __EMSCRIPTEN__
constexpr bool ownGenerator = true; // the browser's C library draws other numbers than Debian's
#else
constexpr bool ownGenerator = false;
#endif

unsigned seeded = 1; // as the C library is before any srand
long long made = 0;
DebianRandom own;

int countedDraw() {
    ++made;
    return ownGenerator ? own.next() : std::rand();
}

} // namespace

void seedDraws(unsigned seed) {
    if (ownGenerator) {
        own.reseed(seed);
    } else {
        std::srand(seed);
    }
    seeded = seed;
    made = 0;
    drawRandom = countedDraw;
}

void skipDraws(long long count) {
    for (long long i = 0; i < count; ++i) {
        countedDraw();
    }
}

unsigned drawsSeed() { return seeded; }

long long drawsMade() { return made; }
