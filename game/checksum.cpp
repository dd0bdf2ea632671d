#include "game/checksum.h"

#include "game/game_state.h"

#include <cstring>

namespace {

// FNV-1a, 32 bits, over whole values.
struct Checksum {
    std::uint32_t sum = 2166136261u;
    template <class Value> void add(Value value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (unsigned char byte : bytes) {
            sum = (sum ^ byte) * 16777619u;
        }
    }
    void addEntity(const Entity& e) { add(e.position.x), add(e.position.y), add(e.status), add(e.flag); }
};

} // namespace

std::uint32_t gameChecksum() {
    Checksum c;
    c.add(gameState), c.add(trapAutoCounter);
    if (thePlayer) {
        c.addEntity(*thePlayer), c.add(thePlayer->projectile != nullptr);
        if (thePlayer->projectile) {
            c.addEntity(*thePlayer->projectile);
        }
    }
    if (theTrap) {
        c.addEntity(*theTrap), c.add(theTrap->projectile != nullptr);
        if (theTrap->projectile) {
            c.addEntity(*theTrap->projectile);
        }
    }
    c.add(std::uint64_t{undeadList.size()}); // as wide on every platform: a browser's size_t is narrower
    for (const auto& undead : undeadList) {
        c.addEntity(*undead), c.add(undead->holdTime), c.add(undead->spinAngle), c.add(undead->spinAxis);
    }
    c.add(std::uint64_t{explosionList.size()});
    for (const auto& explosion : explosionList) {
        c.addEntity(*explosion), c.add(explosion->frameIndex), c.add(explosion->frameTimer);
    }
    return c.sum;
}
