#include "app/window.h"

#include "input/pads.h"
#include "render/image_file.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

// The icon the package installs for the menu, on the window too: task bars and
// window switchers show it. Without the file the window has none.
void setIcon(GLFWwindow* window) {
    const DecodedImage image = decodeImageFile("./textures/gorvath.png");
    if (!image || image.channels != 4) {
        return;
    }
    // GLFW takes the top row first; the decoder gives the bottom row first.
    const auto row = static_cast<std::size_t>(image.width) * 4;
    std::vector<unsigned char> pixels(row * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
        const unsigned char* from = image.pixels.get() + row * static_cast<std::size_t>(image.height - 1 - y);
        std::copy(from, from + row, pixels.begin() + static_cast<std::ptrdiff_t>(row) * y);
    }
    const GLFWimage icon{image.width, image.height, pixels.data()};
    glfwSetWindowIcon(window, 1, &icon);
}

} // namespace

GLFWwindow* openWindow() {
    if (!glfwInit()) {
        std::exit(EXIT_FAILURE);
    }
    addPadMappingsFromEnvironment();
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    glfwWindowHint(GLFW_SCALE_TO_MONITOR, GLFW_TRUE); // not a postage stamp on a scaled screen
    glfwWindowHintString(GLFW_X11_CLASS_NAME, "Gorvath");
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, "gorvath");
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    // Without a window there is no current context, and glewInit fails below.
    glfwMakeContextCurrent(window);
    if (glewInit() != GLEW_OK) {
        std::exit(EXIT_FAILURE);
    }
    glfwSwapInterval(1); // the display's refresh paces the frames
    setIcon(window);
    return window;
}

void showPausedInTitle(GLFWwindow* window, bool paused) {
    glfwSetWindowTitle(window, paused ? "Gorvath (paused)" : "Gorvath");
}
