#include "app/frame_pacer.h"

#include "session/fixed_steps.h"

void FramePacer::setRefreshRate(int refreshRate) {
    refreshPeriod_ = 1.0 / (refreshRate > 0 ? refreshRate : 60);
}

double FramePacer::delayAfterSwap(double now) {
    // A frame that took most of a refresh was held by its swap: vsync works.
    const double took = now - frameStart_;
    const bool swapWaited = took >= 0.8 * refreshPeriod_;
    const double delay =
        frameStart_ < 0.0 || swapWaited || took >= FixedSteps::period ? 0.0 : FixedSteps::period - took;
    // From when the sleep should end, so that a late wake-up shortens the next one.
    frameStart_ = now + delay;
    return delay;
}
