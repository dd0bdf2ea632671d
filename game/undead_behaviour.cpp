#include "game/undead_behaviour.h"

#include "game/game_state.h"
#include "game/sources.h"

#include <cmath>

namespace {

constexpr double stunDuration = 3.5;
constexpr float leftEdge = -1.1f, topEdge = 0.7f, bottomEdge = -0.7f;
constexpr float fieldWidth = 2.2f, fieldHeight = 1.4f;
constexpr float nearDistance = 0.5f;
constexpr float jitterStep = 0.005f;
constexpr float marchStep = 0.01f;
constexpr float closingStep = 0.005f;
constexpr float spinStep = 0.1f;

constexpr Vec3 spinAxes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};

void wrap(Undead& undead) {
    if (undead.position.x < leftEdge) {
        undead.moveBy(fieldWidth, 0.0f);
    }
    if (undead.position.y > topEdge) {
        undead.moveBy(0.0f, -fieldHeight);
    }
    if (undead.position.y < bottomEdge) {
        undead.moveBy(0.0f, fieldHeight);
    }
}

// Senses the Player and steps towards its height. True when the Player is near.
bool closeIn(Undead& undead) {
    if (thePlayer->status != Active) {
        return false;
    }
    const float dx = thePlayer->position.x - undead.position.x;
    const float dy = thePlayer->position.y - undead.position.y;
    if (!(std::sqrt(dx * dx + dy * dy) < nearDistance)) {
        return false;
    }
    if (dy > 0) {
        undead.move(Up);
    } else if (dy < 0) {
        undead.move(Down);
    }
    return true;
}

} // namespace

void Undead::move(Direction direction) {
    if (status == Active) {
        moveBy(0.0f, drawRandom() % 2 == 0 ? jitterStep : -jitterStep);
        moveInDirection(*this, direction == Left ? marchStep : closingStep, direction);
    } else if (status == Stunned) {
        spinAngle += spinStep;
        spinMatrix = spinMatrixAt(spinAxis, spinAngle);
    }
}

Mat4 spinMatrixAt(int axis, float angle) { return axisRotation(identity, angle, spinAxes[axis]); }

void moveInDirection(Entity& e, float distance, Direction direction) {
    switch (direction) {
    case Up: e.moveBy(0.0f, distance); break;
    case Down: e.moveBy(0.0f, -distance); break;
    case Left: e.moveBy(-distance, 0.0f); break;
    case Right: e.moveBy(distance, 0.0f); break;
    }
}

void updateUndead() {
    for (const auto& undead : undeadList) {
        if (undead->status == Stunned && readClock() - undead->holdTime > stunDuration) {
            undead->spinMatrix = identity;
            undead->spinAngle = 0.0f;
            undead->status = Active;
        }
        wrap(*undead);
        undead->flag = closeIn(*undead) ? 1 : 0;
        undead->move(Left);
    }
}
