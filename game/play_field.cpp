#include "game/play_field.h"

#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sounds.h"
#include "game/sources.h"
#include "game/undead_behaviour.h"

#include <cmath>

namespace {

constexpr float hitDistance = 0.1f;
constexpr float shotStep = 0.06f, shotLimit = 1.1f;
constexpr float bombStep = 0.06f, bombLimit = -0.7f;
constexpr int trapPeriod = 7;
constexpr float trapStep = 0.03f, trapFireWindow = 0.03f;
constexpr float farAway = 5.0f;

float distance(const Entity& a, const Entity& b) {
    const float dx = a.position.x - b.position.x;
    const float dy = a.position.y - b.position.y;
    return std::sqrt(dx * dx + dy * dy);
}

bool touches(const Entity& a, const Entity& b) { return distance(a, b) <= hitDistance; }

void catchPlayerIfReached() {
    for (const auto& undead : undeadList) {
        if (touches(*thePlayer, *undead)) {
            explodePlayer();
            return;
        }
    }
}

// The shot moves first, then tests: it never hits at the point it was fired from.
void flyShot() {
    std::unique_ptr<Projectile>& shot = thePlayer->projectile;
    shot->moveBy(shotStep, 0.0f);
    for (const auto& undead : undeadList) {
        if (undead->status != Finished && touches(*shot, *undead)) {
            undead->holdTime = readClock();
            undead->status = Stunned;
            shot.reset();
            noteSound(Sound::UndeadStunned);
            return;
        }
    }
    if (shot->position.x > shotLimit) {
        shot.reset();
    }
}

// The bomb tests where it stands, then falls.
void dropBomb() {
    std::unique_ptr<Projectile>& bomb = theTrap->projectile;
    for (const auto& undead : undeadList) {
        if (undead->status != Finished && touches(*bomb, *undead)) {
            explosionList.push_back(
                std::make_unique<Explosion>(undead->position.x, undead->position.y, readClock()));
            undead->status = Finished;
            bomb.reset();
            noteSound(Sound::UndeadDestroyed);
            return;
        }
    }
    if (thePlayer->status == Active && touches(*bomb, *thePlayer)) {
        explodePlayer();
        bomb.reset();
        return;
    }
    bomb->moveBy(0.0f, -bombStep);
    if (bomb->position.y < bombLimit) {
        bomb.reset();
    }
}

} // namespace

void updatePlayField() {
    updateUndead();
    catchPlayerIfReached();
    if (thePlayer->status == Active && thePlayer->projectile) {
        flyShot();
    }
    if (theTrap->flag == SelfTrapMode && thePlayer->status == Active) {
        steerTrap();
    }
    if (theTrap->projectile) {
        dropBomb();
    }
}

void explodePlayer() {
    if (thePlayer->status != Active) {
        return;
    }
    explosionList.push_back(
        std::make_unique<Explosion>(thePlayer->position.x, thePlayer->position.y, readClock()));
    thePlayer->status = Finished;
    noteSound(Sound::PlayerCaught);
}

void steerTrap() {
    // Signed: positive when the chosen Undead lies left of the Trap. The
    // first of equally near ones wins.
    float best = farAway;
    bool found = false;
    for (const auto& undead : undeadList) {
        if (undead->status == Stunned) {
            found = true;
            const float d = theTrap->position.x - undead->position.x;
            if (std::fabs(d) < std::fabs(best)) {
                best = d;
            }
        }
    }
    if (!found) {
        return;
    }
    if (++trapAutoCounter != trapPeriod) {
        return;
    }
    if (std::fabs(best) <= trapFireWindow) {
        trapFire();
    } else if (best > 0) {
        theTrap->moveBy(-trapStep, 0.0f);
    } else {
        theTrap->moveBy(trapStep, 0.0f);
    }
    trapAutoCounter = 0;
}
