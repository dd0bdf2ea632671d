#include "game/step.h"

#include "game/animation.h"
#include "game/game_state.h"
#include "game/motion.h"
#include "game/play_field.h"
#include "game/sounds.h"

void stepGame(double time) {
    if (gameState == TitleScreen) {
        animateMascot(*theMascot, time);
        return;
    }
    if (gameState != Playing) {
        return;
    }
    removeFinished(explosionList); // shown once in the step that finished them
    const bool waveLeft = !undeadList.empty();
    noteBeforeStep();
    updatePlayField();
    removeFinished(undeadList); // a destroyed Undead is never drawn
    noteAfterStep();
    if (waveLeft && undeadList.empty()) {
        noteSound(Sound::WaveCleared);
    }
    for (const auto& explosion : explosionList) {
        animateExplosion(*explosion, time);
    }
}
