#include "tests/support/gl_window.h"

#include "render/scene.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

GameWindow::GameWindow() {
    // Say why, when a test cannot have its window.
    glfwSetErrorCallback(
        [](int code, const char* text) { std::fprintf(stderr, "GLFW error %d: %s\n", code, text); });
    if (!glfwInit()) {
        return;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    // Leave the keyboard focus to the real game windows other tests type into.
    glfwWindowHint(GLFW_FOCUSED, GLFW_FALSE);
    glfwWindowHint(GLFW_FOCUS_ON_SHOW, GLFW_FALSE);
    window_ = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    if (!window_) {
        return;
    }
    glfwMakeContextCurrent(window_);
    if (glewInit() != GLEW_OK) {
        glfwDestroyWindow(window_);
        window_ = nullptr;
    }
}

GameWindow::~GameWindow() {
    if (window_) {
        glfwDestroyWindow(window_);
    }
    glfwTerminate();
}

Pixels Pixels::read() {
    Pixels p;
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    p.width_ = viewport[2];
    p.height_ = viewport[3];
    p.rgba_.resize(static_cast<size_t>(p.width_ * p.height_ * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, p.width_, p.height_, GL_RGBA, GL_UNSIGNED_BYTE, p.rgba_.data());
    return p;
}

Rgb Pixels::at(int x, int yFromTop) const {
    const size_t i = static_cast<size_t>(((height_ - 1 - yFromTop) * width_ + x) * 4);
    return {rgba_[i], rgba_[i + 1], rgba_[i + 2]};
}

int Pixels::countNonWhite(int x0, int y0, int x1, int y1) const {
    int count = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, height_ - 1); ++y) {
        for (int x = std::max(x0, 0); x <= std::min(x1, width_ - 1); ++x) {
            Rgb c = at(x, y);
            count += !(c.r == 255 && c.g == 255 && c.b == 255);
        }
    }
    return count;
}

int worldToPixelX(float x) { return static_cast<int>((x + 1.0f) / 2.0f * 600.0f); }
int worldToPixelY(float y) { return static_cast<int>((2.0f / 3.0f - y) / (4.0f / 3.0f) * 400.0f); }

SetupOutput initSceneCapturingOutput(GLFWwindow* window) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    initScene(window);
    SetupOutput output;
    output.out = testing::internal::GetCapturedStdout();
    output.err = testing::internal::GetCapturedStderr();
    return output;
}
