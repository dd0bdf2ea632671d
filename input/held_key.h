// A key held down by something that is not a keyboard (a pad's button, a
// finger on a touch control), as a held key acts: pressed once, repeating
// while held as the X server's defaults repeat a key (the first repeat after
// 660 ms, then 25 a second), let go once.
#pragma once

using SendKey = void (*)(int key, int action);

class HeldKey {
  public:
    static constexpr double repeatDelay = 0.66, repeatInterval = 1.0 / 25;

    // Whether the key is held at `now` on the real clock (seconds): sends its
    // press when it is first held, a repeat whenever one falls due while it
    // stays held (if `repeats`), its release when it is let go.
    void update(bool held, double now, int key, bool repeats, SendKey send);
    bool held() const { return held_; }

  private:
    bool held_ = false;
    double nextRepeat_ = 0.0;
};
