#include "tests/support/game_test.h"

#include "game/controls.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <deque>
#include <filesystem>
#include <unistd.h>

double testClock = 0.0;
int randomDraws = 0;

namespace {

std::deque<int> script;

int scriptedRandom() {
    ++randomDraws;
    const int value = script.empty() ? 0 : script.front();
    if (!script.empty()) {
        script.pop_front();
    }
    return value;
}

} // namespace

void scriptRandom(std::initializer_list<int> values) { script.assign(values); }

GLFWwindow* testWindow() {
    static GLFWwindow* window = [] {
        glfwInit();
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
        GLFWwindow* w = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
        glfwMakeContextCurrent(w);
        return w && glewInit() == GLEW_OK ? w : nullptr;
    }();
    return window;
}

void GameTest::SetUp() {
    ASSERT_NE(testWindow(), nullptr) << "no GL 4.3 window (is there an X display?)";
    readClock = [] { return testClock; };
    drawRandom = scriptedRandom;
    TearDown();
}

void GameTest::TearDown() { resetGame(); }

void resetGame() {
    clearGame();
    testClock = 0.0;
    randomDraws = 0;
    script.clear();
}

std::pair<std::string, std::string> setUpScene(const std::string& directory) {
    EXPECT_EQ(chdir((std::string(GORVATH_SOURCE_DIR) + "/" + directory).c_str()), 0);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    initScene(testWindow());
    std::string out = testing::internal::GetCapturedStdout();
    return {out, testing::internal::GetCapturedStderr()};
}

void play(int mode) {
    resetGame();
    startGame(mode);
    undeadList.clear();
    randomDraws = 0;
}

Undead& addUndead(float x, float y, int status) {
    undeadList.push_back(std::make_unique<Undead>(x, y, 0.1f, 0.1f, 1, 0.0f, 0.11f, 0.135f, 0.11f));
    undeadList.back()->status = status;
    undeadList.back()->holdTime = testClock;
    return *undeadList.back();
}

void key(int key, int action, int mods) { keyCallback(nullptr, key, 0, action, mods); }

std::string scratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("gorvath-" + name + "-" + std::to_string(getpid())))
        .string();
}
