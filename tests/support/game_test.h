// What the in-process tests share: one real 600 x 400 window and GL context
// for the whole run, a clock and random numbers the test sets, the game put
// back at its start before each test, and a few ways to set a game up.
#pragma once

#include "tests/support/scripted_game.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

struct GLFWwindow;

class GameTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

GLFWwindow* testWindow();

// Builds the scene from a directory of the source tree holding shaders/ and
// textures/, and returns what setup printed on standard output and error.
std::pair<std::string, std::string> setUpScene(const std::string& directory);

// A key event, as GLFW hands it to the game.
void key(int key, int action = 1, int mods = 0);
// A path of this test process's own in the temporary directory.
std::string scratchPath(const std::string& name);
