#include "game/controls.h"

#include "game/game_state.h"

#include <GLFW/glfw3.h>

void keyCallback(GLFWwindow*, int key, int, int action, int) {
    if (key == GLFW_KEY_Q && action == GLFW_PRESS) {
        quitRequested = true;
    }
}
