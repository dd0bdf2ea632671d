// A real 600 x 400 game window with its GL context, as main makes it, for
// tests that draw and read the pixels back.
#pragma once

#include "tests/support/files.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <string>
#include <vector>

class GameWindow {
  public:
    GameWindow(); // the window and context; the scene is not set up
    ~GameWindow();
    GameWindow(const GameWindow&) = delete;
    GameWindow& operator=(const GameWindow&) = delete;

    GLFWwindow* handle() const { return window_; }
    bool ok() const { return window_ != nullptr; }

  private:
    GLFWwindow* window_ = nullptr;
};

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// The back buffer as it stands, top row first.
class Pixels {
  public:
    static Pixels read();
    Rgb at(int x, int yFromTop) const;
    int width() const { return width_; }
    int height() const { return height_; }
    // Pixels in the box (inclusive) that are not pure white.
    int countNonWhite(int x0, int y0, int x1, int y1) const;

  private:
    int width_ = 0, height_ = 0;
    std::vector<unsigned char> rgba_;
};

// Window pixel coordinates (from the top-left) of a world point.
int worldToPixelX(float x);
int worldToPixelY(float y);

// Runs the current directory's scene setup with the output streams captured.
struct SetupOutput {
    std::string out, err;
};
SetupOutput initSceneCapturingOutput(GLFWwindow* window);
