#include "play/draws.h"

#include "game/random.h"
#include "game/sources.h"

#include <cstdlib>

#ifndef __EMSCRIPTEN__
#include <dlfcn.h>
#include <mutex>
#endif

namespace {

#ifdef __EMSCRIPTEN__
constexpr bool ownGenerator = true; // the browser's C library draws other numbers than Debian's
int (*libraryRand)() = std::rand;
void (*librarySrand)(unsigned) = std::srand;
#else
constexpr bool ownGenerator = false;
// The C library's rand() and srand(), or whatever a tester placed in front of
// them: the next of those names after this program's own, below.
int (*libraryRand)() = nullptr;
void (*librarySrand)(unsigned) = nullptr;
#endif

unsigned seeded = 1; // as the C library is before any srand
long long made = 0;
DebianRandom own;

int countedDraw() {
    ++made;
    return ownGenerator ? own.next() : libraryRand();
}

} // namespace

void seedDraws(unsigned seed) {
    if (ownGenerator) {
        own.reseed(seed);
    } else {
#ifndef __EMSCRIPTEN__
        if (!libraryRand) { // dlsym's answer stored as POSIX has it
            *reinterpret_cast<void**>(&libraryRand) = dlsym(RTLD_NEXT, "rand");
            *reinterpret_cast<void**>(&librarySrand) = dlsym(RTLD_NEXT, "srand");
        }
#endif
        librarySrand(seed);
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

#ifndef __EMSCRIPTEN__
// Everyone else's rand(). The program's own definitions come before the C
// library's for every library in the process (the linker exports them: see
// CMakeLists.txt), so these are what a sound server's client or a driver
// reaches when it draws: the C library's own generator, but on a state of
// their own, locked, as glibc's is, for any thread.
namespace {

std::mutex othersLock;
char othersBuffer[128]; // glibc's default size: the same additive generator
random_data others{};
char* othersState = nullptr;

void seedOthers(unsigned seed) {
    if (!othersState) {
        othersState = othersBuffer;
        initstate_r(seed, othersBuffer, sizeof othersBuffer, &others);
    } else {
        srandom_r(seed, &others);
    }
}

long drawForOthers() {
    const std::lock_guard lock(othersLock);
    if (!othersState) {
        seedOthers(1); // as the C library is before any srand
    }
    std::int32_t n = 0;
    random_r(&others, &n);
    return n;
}

} // namespace

extern "C" {

int rand() noexcept { return static_cast<int>(drawForOthers()); }
long random() noexcept { return drawForOthers(); }

void srand(unsigned seed) noexcept {
    const std::lock_guard lock(othersLock);
    seedOthers(seed);
}
void srandom(unsigned seed) noexcept { srand(seed); }

char* initstate(unsigned seed, char* state, std::size_t size) noexcept {
    const std::lock_guard lock(othersLock);
    char* before = othersState;
    if (initstate_r(seed, state, size, &others) != 0) {
        return nullptr;
    }
    othersState = state;
    return before ? before : othersBuffer;
}

char* setstate(char* state) noexcept {
    const std::lock_guard lock(othersLock);
    char* before = othersState ? othersState : othersBuffer;
    if (!othersState) {
        seedOthers(1);
    }
    if (setstate_r(state, &others) != 0) {
        return nullptr;
    }
    othersState = state;
    return before;
}

} // extern "C"
#endif
