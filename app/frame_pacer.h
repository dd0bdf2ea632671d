// Holds the frame rate to the game's 60 steps a second where buffer swaps do
// not wait for the display (vsync ignored: Xvfb, VNC and remote desktops,
// drivers with it forced off), so that each frame shows exactly one step
// there and the loop does not spin drawing the same field again. Where swaps
// do wait, a frame already lasts a whole refresh, and no sleep is ever added.
#pragma once

class FramePacer {
  public:
    // The display's frames a second; 0 or less when it does not say: 60.
    void setRefreshRate(int refreshRate);
    // Given the clock right after a buffer swap, in seconds, how long to sleep
    // before the frame goes on to its events.
    double delayAfterSwap(double now);

  private:
    double refreshPeriod_ = 1.0 / 60;
    double frameStart_ = -1.0; // when the frame that is ending began
};
