#include "app/frame_pacer.h"

void FramePacer::setRefreshRate(int refreshRate) { period_ = 1.0 / (refreshRate > 0 ? refreshRate : 60); }

double FramePacer::delayAfterSwap(double now) {
    // A frame that took most of a refresh was held by its swap: vsync works.
    const double took = now - frameStart_;
    const double delay = frameStart_ < 0.0 || took >= 0.8 * period_ ? 0.0 : period_ - took;
    // From when the sleep should end, so that a late wake-up shortens the next one.
    frameStart_ = now + delay;
    return delay;
}
