// Gorvath: open the window, set the scene up, run frames until the window is
// closed or the player presses Q.
#include "app/display.h"
#include "app/frame.h"
#include "app/frame_pacer.h"
#include "app/pads.h"
#include "app/session.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <thread>

namespace {

void startSounds() {
    std::optional<DecodedSound> sounds[soundCount];
    loadSoundFiles(sounds);
    if (soundFloor.openDevice()) {
        soundFloor.load(sounds);
    }
}

} // namespace

int main() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    if (!glfwInit()) {
        std::exit(EXIT_FAILURE);
    }
    addPadMappingsFromEnvironment();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    // Without a window there is no current context, and glewInit fails below.
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        std::exit(EXIT_FAILURE);
    }
    glfwSwapInterval(1); // the display's refresh paces the frames
    initScene(window);
    connectDisplay(window);
    readClock = gameClock; // the game's time runs by its steps

    FramePacer pacer; // and where the display ignores that, the pacer does
    PadInput pads;
    for (bool first = true; !glfwWindowShouldClose(window) && !shouldQuit(); first = false) {
        runSteps(glfwGetTime());
        playHeardSounds();
        drawField();
        glfwSwapBuffers(window);
        if (first) { // once the window shows: opening a sound device can take a while
            startSounds();
        }
        pacer.setRefreshRate(refreshRate());
        std::this_thread::sleep_for(std::chrono::duration<double>(pacer.delayAfterSwap(glfwGetTime())));
        glfwPollEvents();
        pads.update(readPads(), glfwGetTime(), gameKey);
        playHeardSounds();
    }

    soundFloor.close();
    glfwDestroyWindow(window);
    glfwTerminate();
    std::exit(EXIT_SUCCESS);
}
