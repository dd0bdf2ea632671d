// Plays the game as the program does, frame by frame, in a real window: a
// seeded rand(), a clock the script sets, and key events delivered to the
// game's own callback between frames.
#pragma once

#include "entity/entity.h"
#include "tests/support/gl_window.h"

#include <memory>

// How often the game has called rand(). In this test program the game's
// rand() and srand() run the C library's algorithm on a state of their own
// and count the calls.
extern long randCalls;

// An Undead with the first look of the pick list, at (x, y) with the given status.
std::unique_ptr<Undead> undeadAt(float x, float y, int status = Active);

// Back to how the program starts: the title screen, nothing in play.
void resetGameState();

class ScriptedGame {
  public:
    // Scene set up from the source tree, rand seeded, the clock at zero.
    explicit ScriptedGame(unsigned seed, double secondsPerFrame = 0.017);
    ~ScriptedGame();

    bool ok() const { return window_.ok(); }
    void frame();
    void frames(int count);
    double clock() const { return clock_; }
    void setClock(double seconds);

    // Events as GLFW hands them to the callback.
    void key(int key, int action, int mods = 0);
    void tap(int key); // press and release

  private:
    GameWindow window_;
    double clock_ = 0.0;
    double secondsPerFrame_;
};
