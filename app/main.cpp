// Gorvath: open the window, set the scene up, run frames until the window is
// closed or the player presses Q.
#include "app/frame.h"
#include "game/game_state.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <ctime>

int main() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!glfwInit()) {
        std::exit(EXIT_FAILURE);
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    // Without a window there is no current context, and glewInit fails below.
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        std::exit(EXIT_FAILURE);
    }
    glfwSwapInterval(1); // the display's refresh paces the game
    initScene(window);

    while (!glfwWindowShouldClose(window) && !shouldQuit()) {
        drawFrame(glfwGetTime());
        glfwSwapBuffers(window);
        glfwPollEvents();
    }

    glfwDestroyWindow(window);
    glfwTerminate();
    std::exit(EXIT_SUCCESS);
}
