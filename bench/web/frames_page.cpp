// The scripted frames of tests/frames_test.cpp, drawn by the game in a
// browser's WebGL 2, each compared with the desktop's reference picture.
// Prints a line a frame, "NAME: N pixels differ by more than 8, K at all, the
// most by M" (of its 240 000 pixels, N those where any channel differs by more
// than 8 of 255, K those where one differs at all, M the largest difference
// of any channel), then "done".
#include "render/gl.h"
#include "render/image_file.h"
#include "render/scene.h"
#include "tests/support/scripted_game.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

void compare(const std::string& name) {
    std::vector<unsigned char> shown(600 * 400 * 4);
    glReadPixels(0, 0, 600, 400, GL_RGBA, GL_UNSIGNED_BYTE, shown.data()); // bottom row first,
    const DecodedImage reference = decodeImageFile(("./frames/" + name + ".png").c_str()); // as here
    int differing = 0, atAll = 0, most = 0;
    for (int pixel = 0; reference && pixel < 600 * 400; ++pixel) {
        int largest = 0;
        for (int c = 0; c < 3; ++c) {
            largest =
                std::max(largest, std::abs(shown[pixel * 4 + c] - reference.pixels.get()[pixel * 3 + c]));
        }
        differing += largest > 8, atAll += largest > 0, most = std::max(most, largest);
    }
    std::printf(reference ? "%s: %d pixels differ by more than 8, %d at all, the most by %d\n"
                          : "%s: no reference\n",
                name.c_str(), differing, atAll, most);
}

} // namespace

int main() {
    glfwInit();
    GLFWwindow* window = glfwCreateWindow(600, 400, "frames", nullptr, nullptr);
    glfwMakeContextCurrent(window);
    initScene(window);
    useScriptedSources();
    drawScriptedFrames(compare);
    std::printf("done\n");
}
