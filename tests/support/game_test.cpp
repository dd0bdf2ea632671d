#include "tests/support/game_test.h"

#include "game/controls.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <filesystem>
#include <unistd.h>

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
    useScriptedSources();
    resetGame();
}

// A GL error left pending would be blamed on whatever the next test draws.
void GameTest::TearDown() {
    resetGame();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "a GL error left pending";
}

std::pair<std::string, std::string> setUpScene(const std::string& directory) {
    EXPECT_EQ(chdir((std::string(GORVATH_SOURCE_DIR) + "/" + directory).c_str()), 0);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    initScene(testWindow());
    std::string out = testing::internal::GetCapturedStdout();
    return {out, testing::internal::GetCapturedStderr()};
}

void key(int key, int action, int mods) { keyCallback(nullptr, key, 0, action, mods); }

std::string scratchPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("gorvath-" + name + "-" + std::to_string(getpid())))
        .string();
}
