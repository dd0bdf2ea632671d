#include "tests/support/scripted_game.h"

#include "app/frame.h"
#include "entity/kinds.h"
#include "game/controls.h"
#include "game/game_state.h"

#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

long randCalls = 0;

namespace {

// The game's calls of rand() and srand() get a generator of their own, the C
// library's own algorithm on a private state, so that the GL driver's calls
// (on threads of its own, at times of their own) cannot shift the game's
// sequence. Calls from anywhere else go to the C library as usual.
random_data gameRandom{};
char gameRandomState[128]; // the size glibc's rand() uses

bool calledByTheGame(const void* caller) {
    static const void* program = [] {
        Dl_info self{};
        dladdr(reinterpret_cast<const void*>(&resetGameState), &self);
        return self.dli_fbase;
    }();
    Dl_info info{};
    return dladdr(caller, &info) && info.dli_fbase == program;
}

} // namespace

extern "C" void srand(unsigned seed) noexcept {
    if (calledByTheGame(__builtin_return_address(0))) {
        initstate_r(seed, gameRandomState, sizeof gameRandomState, &gameRandom);
        return;
    }
    static auto* libcSrand = reinterpret_cast<void (*)(unsigned)>(dlsym(RTLD_NEXT, "srand"));
    libcSrand(seed);
}

extern "C" int rand() noexcept {
    if (calledByTheGame(__builtin_return_address(0))) {
        if (!gameRandom.state) {
            initstate_r(1, gameRandomState, sizeof gameRandomState, &gameRandom); // as if srand(1)
        }
        ++randCalls;
        int32_t value = 0;
        random_r(&gameRandom, &value);
        return value;
    }
    static auto* libcRand = reinterpret_cast<int (*)()>(dlsym(RTLD_NEXT, "rand"));
    return libcRand();
}

std::unique_ptr<Undead> undeadAt(float x, float y, int status) {
    auto undead =
        std::make_unique<Undead>(x, y, spriteSize, spriteSize, undeadSheetUnit, undeadTileCorners[0].left,
                                 undeadTileCorners[0].top, undeadTileWidth, undeadTileHeight);
    undead->status = status;
    return undead;
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
