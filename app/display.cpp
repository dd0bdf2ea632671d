#include "app/display.h"

#include "input/key_labels.h"
#include "render/viewport.h"
#include "session/session.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <utility>

namespace {

struct Place {
    int x = 0, y = 0, width = 0, height = 0;
} windowed; // where the window was before it went full screen

int monitorRefreshRate = 0; // of the monitor under the window, 0 if unknown
bool minimised = false;
bool visible = true; // mapped on the display, as last asked
double visibleLookedAt = -1.0;
bool redraw = false; // the picture shown is no longer whole

// The monitor that holds most of the window, if any.
GLFWmonitor* monitorUnder(GLFWwindow* window) {
    if (GLFWmonitor* filled = glfwGetWindowMonitor(window)) {
        return filled;
    }
    Place w;
    glfwGetWindowPos(window, &w.x, &w.y);
    glfwGetWindowSize(window, &w.width, &w.height);
    int count = 0;
    GLFWmonitor** monitors = glfwGetMonitors(&count);
    GLFWmonitor* best = nullptr;
    long bestArea = -1;
    for (int i = 0; i < count; ++i) {
        int x = 0, y = 0;
        glfwGetMonitorPos(monitors[i], &x, &y);
        if (const GLFWvidmode* mode = glfwGetVideoMode(monitors[i])) {
            const long across = std::max(0, std::min(w.x + w.width, x + mode->width) - std::max(w.x, x));
            const long down = std::max(0, std::min(w.y + w.height, y + mode->height) - std::max(w.y, y));
            if (across * down > bestArea) {
                best = monitors[i], bestArea = across * down;
            }
        }
    }
    return best;
}

void findRefreshRate(GLFWwindow* window) {
    GLFWmonitor* monitor = monitorUnder(window);
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    monitorRefreshRate = mode ? mode->refreshRate : 0;
}

// F11 belongs to the window, and the game never sees it. Letters go by what
// the layout prints on the key.
void windowKeys(GLFWwindow* window, int key, int scancode, int action, int) {
    key = keyByLabel(key, scancode);
    if (key != GLFW_KEY_F11) {
        playerKey(key, action);
    } else if (action == GLFW_PRESS) {
        toggleFullScreen(window);
    }
}

} // namespace

void connectDisplay(GLFWwindow* window) {
    glfwSetFramebufferSizeCallback(window, [](GLFWwindow*, int width, int height) {
        fitFieldToFramebuffer(width, height);
        redraw = true;
    });
    glfwSetWindowPosCallback(window, [](GLFWwindow* moved, int, int) { findRefreshRate(moved); });
    glfwSetKeyCallback(window, windowKeys);
    glfwSetWindowFocusCallback(window, [](GLFWwindow*, int focused) { focusChanged(focused == GLFW_TRUE); });
    glfwSetWindowRefreshCallback(window, [](GLFWwindow*) { redraw = true; });
    glfwSetWindowIconifyCallback(window,
                                 [](GLFWwindow*, int iconified) { minimised = iconified == GLFW_TRUE; });
    findRefreshRate(window);
    int width = 0, height = 0;
    glfwGetFramebufferSize(window, &width, &height);
    fitFieldToFramebuffer(width, height);
}

void toggleFullScreen(GLFWwindow* window) {
    if (glfwGetWindowMonitor(window)) {
        glfwSetWindowMonitor(window, nullptr, windowed.x, windowed.y, windowed.width, windowed.height,
                             GLFW_DONT_CARE);
    } else if (GLFWmonitor* monitor = monitorUnder(window)) {
        glfwGetWindowPos(window, &windowed.x, &windowed.y);
        glfwGetWindowSize(window, &windowed.width, &windowed.height);
        const GLFWvidmode* mode = glfwGetVideoMode(monitor);
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    }
    glfwSwapInterval(1); // some systems forget it when the window changes monitor
    findRefreshRate(window);
}

void focusChanged(bool focused) {
    if (!focused) {
        pauseGame();
    }
}

bool windowShows(GLFWwindow* window) {
    // Asking the display is a round trip: four times a second is soon enough.
    if (const double now = glfwGetTime(); now - visibleLookedAt >= 0.25 || now < visibleLookedAt) {
        visibleLookedAt = now;
        visible = glfwGetWindowAttrib(window, GLFW_VISIBLE) == GLFW_TRUE;
    }
    return visible && !minimised;
}

bool takeRedraw() { return std::exchange(redraw, false); }

int refreshRate() { return monitorRefreshRate; }
