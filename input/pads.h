// The input floor: what the player's devices say, as the keys the game plays
// with. It uses GLFW alone and knows nothing of the game: the key actions it
// makes are handed to whoever feeds the game (the session's gameKey).
//
// Gamepads, read once a frame like the keyboard's events. Each button and
// direction acts as the key it stands for and goes the key's own way into the
// game (gameKey), so the keys' rules hold for the pads: which screen they act
// on, one shot and one bomb at a time. Any number of pads act as one.
//
//   D-pad up/down, left stick up/down       UP, DOWN (the Player)
//   D-pad left/right, left stick left/right LEFT, RIGHT (the Trap, in S games)
//   A                                       SPACE (fire)
//   B or X                                  F (drop the bomb, in S games)
//   Start                                   a console's Start: on the title
//                                           screen an S game, else pause
//   Back                                    A
//
// A held direction repeats as a held key does (held_key.h).
#pragma once

#include "input/held_key.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

// A pad's buttons and axes in the order of GLFW's gamepad mapping (and of its
// GLFW_GAMEPAD_ tokens), whichever way they were read.
enum PadButton {
    PadA,
    PadB,
    PadX,
    PadY,
    PadLeftBumper,
    PadRightBumper,
    PadBack,
    PadStart,
    PadGuide,
    PadLeftThumb,
    PadRightThumb,
    PadUp,
    PadRight,
    PadDown,
    PadLeft,
    padButtonCount
};
enum PadAxis { PadLeftX, PadLeftY, PadRightX, PadRightY, PadLeftTrigger, PadRightTrigger, padAxisCount };
struct PadState {
    unsigned char buttons[padButtonCount] = {}; // pressed: not 0
    float axes[padAxisCount] = {};              // sticks from -1 to 1, down and right positive
};

// The pads plugged in this frame, by joystick number.
struct PadFrame {
    bool present[GLFW_JOYSTICK_LAST + 1] = {};
    PadState state[GLFW_JOYSTICK_LAST + 1] = {};
};

// What the pads that are known as gamepads show now.
PadFrame readPads();

// On the desktop: the mappings of the environment's SDL_GAMECONTROLLERCONFIG
// (as Steam and many launchers set it) added to those GLFW knows; one that does not parse
// is left out, and nothing is printed.
void addPadMappingsFromEnvironment();

class PadInput {
  public:
    // A stick must lean past this to press a direction, and come back inside
    // the smaller one to release it: a stick at rest, or wobbling at either
    // line, sends nothing.
    static constexpr float stickPress = 0.5f, stickRelease = 0.3f;

    // Sends each key action this frame's pads make, at `now` on the real clock
    // (seconds), and each press of Start to start().
    void update(const PadFrame& frame, double now, SendKey send, void (*start)());

  private:
    enum Control { Up, Down, Left, Right, Fire, Bomb, StartSelf, Start, controlCount };
    HeldKey keys_[Start]; // the controls that act as keys
    bool startHeld_ = false;
    // Per pad and stick direction (up, down, left, right): leaning far enough.
    bool leaning_[GLFW_JOYSTICK_LAST + 1][4] = {};
};
