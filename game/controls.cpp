#include "game/controls.h"

#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sounds.h"

#include <GLFW/glfw3.h>

namespace {

constexpr float playerStep = 0.03f, trapStep = 0.03f;
// Past these the keys wrap the Player and the Trap round to the other side.
constexpr float playerTop = 0.7f, playerBottom = -0.7f, fieldHeight = 1.4f;
constexpr float trapLeft = -1.1f, trapRight = 1.1f, fieldWidth = 2.2f;
constexpr float shotOffset = 0.05f;

bool pressOrRepeat(int action) { return action == GLFW_PRESS || action == GLFW_REPEAT; }

void playerKeys(int key, int action) {
    const float y = thePlayer->position.y;
    if (key == GLFW_KEY_UP && pressOrRepeat(action)) {
        thePlayer->moveBy(0.0f, y > playerTop ? -fieldHeight : playerStep);
    } else if (key == GLFW_KEY_DOWN && pressOrRepeat(action)) {
        thePlayer->moveBy(0.0f, y < playerBottom ? fieldHeight : -playerStep);
    } else if (key == GLFW_KEY_SPACE && action == GLFW_PRESS && !thePlayer->projectile) {
        thePlayer->projectile = makeProjectile(thePlayer->position.x + shotOffset, y, shotTile);
        noteSound(Sound::ShotFired);
    }
}

void trapKeys(int key, int action) {
    const float x = theTrap->position.x;
    if (key == GLFW_KEY_LEFT && pressOrRepeat(action)) {
        theTrap->moveBy(x < trapLeft ? fieldWidth : -trapStep, 0.0f);
    } else if (key == GLFW_KEY_RIGHT && pressOrRepeat(action)) {
        theTrap->moveBy(x > trapRight ? -fieldWidth : trapStep, 0.0f);
    } else if (key == GLFW_KEY_F && action == GLFW_PRESS) {
        trapFire();
    }
}

} // namespace

// Only the key and the action matter: modifiers are ignored, so Shift+S is S.
void keyCallback(GLFWwindow*, int key, int, int action, int) {
    const bool pressed = action == GLFW_PRESS;
    if (key == GLFW_KEY_Q && pressed) {
        quitRequested = true;
    } else if (key == GLFW_KEY_S && pressed && gameState == TitleScreen) {
        startGame(KeyTrapMode);
    } else if (key == GLFW_KEY_A && pressed && gameState == TitleScreen) {
        startGame(SelfTrapMode);
    }
    // Read afresh: the press that just started a game carries on into it,
    // where the game is running and so it changes nothing more.
    if (gameState != Playing) {
        return;
    }
    if (thePlayer->status == Active) {
        playerKeys(key, action);
        if (theTrap->flag == KeyTrapMode) {
            trapKeys(key, action);
        }
    }
    if (gameIsOver()) {
        if (key == GLFW_KEY_S && pressed) {
            restartGame(KeyTrapMode);
        } else if (key == GLFW_KEY_A && pressed) {
            restartGame(SelfTrapMode);
        }
    }
}
