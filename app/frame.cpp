#include "app/frame.h"

#include "game/animation.h"
#include "game/game_state.h"
#include "game/play_field.h"
#include "render/sprites.h"

#include <GL/glew.h>

namespace {

// Update, then draw: later draws lie on top, from the Player and its shot,
// through the Undead, the Trap and its bomb, to the Explosions over all.
void playFrame(double currentTime) {
    updatePlayField();
    setChoice(ChoiceTextured);
    if (thePlayer->status == Active) {
        drawEntity(*thePlayer);
        if (thePlayer->projectile) {
            drawEntity(*thePlayer->projectile);
        }
    }
    for (const auto& undead : undeadList) {
        if (undead->status == Finished) {
            continue;
        }
        // Set for every Undead, so a tint never carries over to the next.
        setChoice(undead->flag == 1 && undead->status == Active ? ChoiceSensing : ChoiceTextured);
        drawEntity(*undead);
    }
    removeFinished(undeadList); // a destroyed Undead is never drawn
    drawTrap();
    for (const auto& explosion : explosionList) {
        animateExplosion(*explosion, currentTime);
        drawEntity(*explosion); // drawn once more in the frame it finishes
    }
    removeFinished(explosionList);
}

} // namespace

void drawFrame(double currentTime) {
    // Colour only: nothing ever tests depth, so clearing it would show nothing.
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (gameState == Playing) {
        playFrame(currentTime);
    } else if (gameState == TitleScreen) {
        animateMascot(*theMascot, currentTime);
        drawEntity(*theMascot);
    }
}
