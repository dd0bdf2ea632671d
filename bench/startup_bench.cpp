// Start-up: from process start to the first frame shown, for the game's own
// start-up against a minimal program that opens the same window and context
// and shows one cleared frame. Each is run as a fresh process, many times.
//
//   startup_bench            runs both, prints their medians and the ratio
//   startup_bench game|bare  one start-up (what the measuring parent runs)
#include "app/frame.h"
#include "render/scene.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

// The window and context exactly as the game makes them.
GLFWwindow* openWindow() {
    if (!glfwInit()) {
        std::exit(1);
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        std::exit(1);
    }
    glfwSwapInterval(1);
    return window;
}

// One start-up, ending when the first frame has been handed to the display
// and drawn: then one byte goes to the parent on standard output.
int startOnce(bool game) {
    if (game) {
        std::srand(static_cast<unsigned>(std::time(nullptr)));
    }
    GLFWwindow* window = openWindow();
    if (game) {
        initScene(window);
        drawFrame(glfwGetTime());
    } else {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glfwSwapBuffers(window);
    glFinish();
    if (write(STDOUT_FILENO, "!", 1) != 1) {
        return 1;
    }
    glfwDestroyWindow(window);
    glfwTerminate();
    return 0;
}

// Milliseconds from fork to the child's first frame.
double measureOnce(const char* self, const char* mode) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return -1;
    }
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        execl(self, self, mode, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    char byte = 0;
    const bool shown = read(pipeFds[0], &byte, 1) == 1;
    const auto end = std::chrono::steady_clock::now();
    close(pipeFds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return shown ? std::chrono::duration<double, std::milli>(end - start).count() : -1;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2) {
        return startOnce(std::strcmp(argv[1], "game") == 0);
    }
    if (chdir(GORVATH_SOURCE_DIR) != 0) {
        return 1;
    }
    constexpr int runs = 15;
    std::vector<double> game, bare;
    for (int i = 0; i < runs; ++i) { // interleaved, so both see the same machine
        game.push_back(measureOnce(argv[0], "game"));
        bare.push_back(measureOnce(argv[0], "bare"));
    }
    if (std::min(*std::min_element(game.begin(), game.end()), *std::min_element(bare.begin(), bare.end())) <
        0) {
        std::printf("start-up: a run did not show its first frame (no display?)\n");
        return 1;
    }
    const double g = median(game), b = median(bare);
    std::printf(
        "start-up to the first frame, median of %d runs: game %.1f ms, bare window %.1f ms, ratio %.2f\n",
        runs, g, b, g / b);
    return 0;
}
