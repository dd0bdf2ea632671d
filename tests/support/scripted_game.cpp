#include "tests/support/scripted_game.h"

#include "app/frame.h"
#include "game/controls.h"
#include "game/game_state.h"

#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

long randCalls = 0;

extern "C" int rand() noexcept {
    static auto* libcRand = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
    ++randCalls;
    return libcRand();
}

void resetGameState() {
    thePlayer.reset();
    theTrap.reset();
    undeadList.clear();
    explosionList.clear();
    gameState = TitleScreen;
    quitRequested = false;
    trapAutoCounter = 0;
}

ScriptedGame::ScriptedGame(unsigned seed, double secondsPerFrame) : secondsPerFrame_(secondsPerFrame) {
    resetGameState();
    if (!window_.ok() || chdir(GORVATH_SOURCE_DIR) != 0) {
        return;
    }
    SetupOutput output = initSceneCapturingOutput(window_.handle());
    std::srand(seed);
    randCalls = 0;
    setClock(0.0);
}

ScriptedGame::~ScriptedGame() { resetGameState(); }

void ScriptedGame::setClock(double seconds) {
    clock_ = seconds;
    glfwSetTime(seconds);
}

void ScriptedGame::frame() {
    clock_ += secondsPerFrame_;
    glfwSetTime(clock_);
    drawFrame(glfwGetTime());
}

void ScriptedGame::frames(int count) {
    for (int i = 0; i < count; ++i) {
        frame();
    }
}

void ScriptedGame::key(int key, int action, int mods) { keyCallback(window_.handle(), key, 0, action, mods); }

void ScriptedGame::tap(int key) {
    this->key(key, GLFW_PRESS);
    this->key(key, GLFW_RELEASE);
}
