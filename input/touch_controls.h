// Touch controls: buttons on the screen, each standing for a key of the
// keyboard by its place's name (KeyboardEvent.code: "KeyS", "ArrowUp",
// "Space"). A control held is its key held: pressed at once, the directions
// repeating as a held key repeats (held_key.h), released when let go.
#pragma once

#include "input/held_key.h"

class TouchControls {
  public:
    // The control of that key's place held or let go, at `now` on the real
    // clock (seconds). The game's keys but Q: S, A, the arrows, SPACE, F, P
    // and M; any other does nothing.
    void set(const char* code, bool held, double now, SendKey send);
    // Once a frame: the repeats of the directions held.
    void update(double now, SendKey send);

  private:
    static constexpr int controlCount = 10;
    HeldKey keys_[controlCount];
};
