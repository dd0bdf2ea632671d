#include "game/motion.h"

#include "game/game_state.h"
#include "game/undead_behaviour.h"

#include <cmath>

namespace {

// More than any step glides anything (the shot and the bomb go 0.06 a step):
// a jump, drawn where it lands.
constexpr float glideMost = 0.1f;
constexpr float spinGlideMost = 0.5f; // radians: a spin starting over jumps

// What each mover is in the game: a new one may take a gone one's memory.
enum class Role { Player, Shot, Trap, Bomb, Undead };

struct Placement {
    const Entity* entity = nullptr;
    Role role = Role::Player;
    bool stepped = false; // still there, in the same role, after the step
    Vec4 before, after;   // where the model places the sprite
    int spinAxis = -1;    // an Undead's; -1: no spin
    float spinBefore = 0.0f, spinAfter = 0.0f;
};

// Everything a step moves: at most the Player, the Trap, a shot, a bomb and a wave.
constexpr int most = 16;
Placement placements[most];
int count = 0;

template <class Visit> void eachMover(Visit visit) {
    if (thePlayer) {
        visit(*thePlayer, Role::Player, -1, 0.0f);
        if (thePlayer->projectile) {
            visit(*thePlayer->projectile, Role::Shot, -1, 0.0f);
        }
    }
    if (theTrap) {
        visit(*theTrap, Role::Trap, -1, 0.0f);
        if (theTrap->projectile) {
            visit(*theTrap->projectile, Role::Bomb, -1, 0.0f);
        }
    }
    for (const auto& undead : undeadList) {
        visit(*undead, Role::Undead, undead->spinAxis, undead->spinAngle);
    }
}

// The step's glide along one axis, or none where it jumped.
float glide(float before, float after, float along, float most) {
    return std::fabs(after - before) > most ? after : before + (after - before) * along;
}

} // namespace

void noteBeforeStep() {
    count = 0;
    eachMover([](const Entity& entity, Role role, int axis, float spin) {
        if (count < most) {
            placements[count++] = {&entity, role, false, entity.model[3], {}, axis, spin, 0.0f};
        }
    });
}

void noteAfterStep() {
    eachMover([](const Entity& entity, Role role, int, float spin) {
        for (int i = 0; i < count; ++i) {
            if (placements[i].entity == &entity && placements[i].role == role) {
                placements[i].stepped = true;
                placements[i].after = entity.model[3];
                placements[i].spinAfter = spin;
            }
        }
    });
}

void forgetSteps() { count = 0; }

Mat4 modelAlong(const Entity& entity, float along) {
    if (along >= 1.0f) {
        return entity.getModel();
    }
    for (int i = 0; i < count; ++i) {
        const Placement& p = placements[i];
        if (p.entity != &entity || !p.stepped || !(p.after == entity.model[3])) {
            continue; // not this one, gone, or moved since the step (only steps spin an Undead)
        }
        Mat4 model = entity.model;
        model[3].x = glide(p.before.x, p.after.x, along, glideMost);
        model[3].y = glide(p.before.y, p.after.y, along, glideMost);
        if (p.spinAxis >= 0) {
            model = model * spinMatrixAt(p.spinAxis, glide(p.spinBefore, p.spinAfter, along, spinGlideMost));
        }
        return model;
    }
    return entity.getModel();
}
