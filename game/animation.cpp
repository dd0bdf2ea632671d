#include "game/animation.h"

#include "entity/kinds.h"

namespace {

// The periods as the single-precision constants they are, widened for the
// comparison with the clock.
constexpr double explosionPeriod = static_cast<double>(0.1f);
constexpr double mascotPeriod = static_cast<double>(0.2f);

constexpr float explosionColumn = 0.24f;
constexpr float explosionRow = 0.25f;
// Back from the fourth column to the first: three columns, rounded to a float.
constexpr float explosionRowReturn = 3 * explosionColumn;
constexpr int explosionLastStep = 10;

constexpr float mascotColumn = 0.144f;

void shiftU(Entity& e, float du) {
    for (size_t i = 0; i < e.texCoords.size(); i += 2) {
        e.texCoords[i] += du;
    }
}

void shiftV(Entity& e, float dv) {
    for (size_t i = 1; i < e.texCoords.size(); i += 2) {
        e.texCoords[i] += dv;
    }
}

} // namespace

void animateExplosion(Explosion& explosion, double t) {
    if (!(t - explosion.frameTimer > explosionPeriod)) {
        return;
    }
    explosion.frameTimer = t;
    const int k = explosion.frameIndex;
    if (k >= explosionLastStep) {
        explosion.status = Finished;
    } else if (k == 3 || k == 7) {
        explosion.frameIndex = k + 1;
        shiftU(explosion, -explosionRowReturn);
        shiftV(explosion, -explosionRow);
    } else {
        explosion.frameIndex = k + 1;
        shiftU(explosion, explosionColumn);
    }
}

void animateMascot(Mascot& mascot, double t) {
    if (!(t - mascot.frameTimer > mascotPeriod)) {
        return;
    }
    const int n = mascot.frameIndex + 1;
    mascot.frameIndex = n;
    if (n >= 12) {
        // Back to the first tile, written exactly so rounding never builds up.
        // The timer is left alone: the walk resumes in the very next frame.
        mascot.frameIndex = 0;
        mascot.texCoords[0] = mascot.texCoords[4] = mascotTileLeft;
        mascot.texCoords[2] = mascot.texCoords[6] = mascotTileLeft + mascotColumn;
    } else if (n >= 7) {
        mascot.frameTimer = t;
        shiftU(mascot, -mascotColumn);
    } else {
        mascot.frameTimer = t;
        shiftU(mascot, mascotColumn);
    }
}

std::unique_ptr<Explosion> explosionAsItStood(float x, float y, int tile, double lastStep) {
    auto explosion = std::make_unique<Explosion>(x, y, 0.0);
    for (int step = 1; step <= tile; ++step) { // its tiles, one by one, as it played them
        animateExplosion(*explosion, static_cast<double>(step));
    }
    explosion->frameTimer = lastStep;
    return explosion;
}
