#include "app/frame.h"

#include "bests/bests.h"
#include "game/game_state.h"
#include "game/step.h"
#include "render/pause_sign.h"
#include "render/sprites.h"
#include "render/viewport.h"
#include "render/won_sign.h"
#include "session/session.h"
#include "session/wins.h"

namespace {

bool drawnPaused = false; // what the last picture shows

// Later draws lie on top, from the Player and its shot, through the Undead,
// the Trap and its bomb, to the Explosions over all.
void drawPlay(float along) {
    setChoice(ChoiceTextured);
    if (thePlayer->status == Active) {
        drawEntity(*thePlayer, along);
        if (thePlayer->projectile) {
            drawEntity(*thePlayer->projectile, along);
        }
    }
    for (const auto& undead : undeadList) {
        if (undead->status == Finished) {
            continue;
        }
        // Set for every Undead, so a tint never carries over to the next.
        setChoice(undead->flag == 1 && undead->status == Active ? ChoiceSensing : ChoiceTextured);
        drawEntity(*undead, along);
    }
    drawTrap(along);
    for (const auto& explosion : explosionList) {
        drawEntity(*explosion); // drawn once more after the step it finishes in
    }
}

} // namespace

void drawFrame(double currentTime) {
    stepGame(currentTime);
    drawField();
}

bool stepAndDraw(double now, bool still, bool redraw) {
    if (!still) {
        runSteps(now);
        playHeardSounds();
    } else {
        steps.leaveOut(now);
        if (!redraw && drawnPaused == steps.paused()) {
            return false;
        }
    }
    drawnPaused = steps.paused();
    drawField(frameAlong());
    return true;
}

void drawField(float along) {
    clearField();
    if (gameState == Playing) {
        drawPlay(along);
        if (const Win* win = winShown()) {
            drawWonSign(secondsOf(win->steps), win->place);
        }
    } else if (gameState == TitleScreen) {
        drawEntity(*theMascot);
    }
    if (steps.paused()) {
        drawPauseSign();
    }
}
