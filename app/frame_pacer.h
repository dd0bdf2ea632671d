// Holds the frame rate to the display's refresh rate where buffer swaps do
// not wait for the display (vsync ignored: Xvfb, VNC and remote desktops,
// drivers with it forced off). The game moves a fixed step a frame, so there
// it would otherwise play as fast as the machine can draw. Where swaps do wait,
// a frame already lasts a whole refresh, and no sleep is ever added.
#pragma once

class FramePacer {
  public:
    // Frames a second; 0 or less when the display does not say: 60.
    void setRefreshRate(int refreshRate);
    // Given the clock right after a buffer swap, in seconds, how long to sleep
    // before the frame goes on to its events.
    double delayAfterSwap(double now);

  private:
    double period_ = 1.0 / 60;
    double frameStart_ = -1.0; // when the frame that is ending began
};
