#include "bench/busy_field.h"

#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <unistd.h>

GLFWwindow* openGameWindow() {
    if (!glfwInit()) {
        return nullptr;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    if (!window) {
        return nullptr;
    }
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK || chdir(GORVATH_SOURCE_DIR) != 0) {
        return nullptr;
    }
    glfwSwapInterval(0); // measure the work, not the display
    initScene(window);
    return window;
}

void makeBusyField(int explosions) {
    undeadList.clear();
    explosionList.clear();
    std::srand(1);
    startGame(KeyTrapMode);
    thePlayer->projectile = makeProjectile(-0.85f, 0.0f, shotTile);
    theTrap->moveBy(-0.4f, 0.0f);
    trapFire();
    for (int i = 0; i < explosions; ++i) {
        explosionList.push_back(
            std::make_unique<Explosion>(-0.5f + 0.5f * static_cast<float>(i), -0.4f, 0.0));
    }
}
