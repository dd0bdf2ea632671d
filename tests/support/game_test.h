// What the in-process tests share: one real 600 x 400 window and GL context
// for the whole run, a clock and random numbers the test sets, the game put
// back at its start before each test, and a few ways to set a game up.
#pragma once

#include "entity/entity.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

struct GLFWwindow;

// The game's clock reads this.
extern double testClock;
// How often the game has drawn a random number since the test began.
extern int randomDraws;
// The game's next draws; once they run out, every draw is 0 (jitter up).
void scriptRandom(std::initializer_list<int> values);

class GameTest : public testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
};

GLFWwindow* testWindow();

// Builds the scene from a directory of the source tree holding shaders/ and
// textures/, and returns what setup printed on standard output and error.
std::pair<std::string, std::string> setUpScene(const std::string& directory);

// Back to how the program starts: the title screen, nothing in play, the
// clock at 0 and no random draws scripted or counted.
void resetGame();
// A game in the given mode with its wave cleared away: the Player at
// (-0.9, 0), the Trap at (0, 0.68), no random draws counted yet.
void play(int mode);
// Appends an Undead with the first look of the pick list at (x, y). A stunned
// one neither walks nor draws a random number: it stays where it is put, for
// 3.5 s from now.
Undead& addUndead(float x, float y, int status = 0);
// A key event, as GLFW hands it to the game.
void key(int key, int action = 1, int mods = 0);
// A path of this test process's own in the temporary directory.
std::string scratchPath(const std::string& name);
