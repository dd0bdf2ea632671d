#include "app/fixed_steps.h"

#include <cmath>

int FixedSteps::due(double now) {
    const double sinceLast = now - last_;
    last_ = now;
    if (!started_) {
        started_ = true;
        origin_ = now;
    } else if (paused_) {
        origin_ += sinceLast;
        return 0;
    }
    // Step i falls due at origin_ + (i - 1/2) periods.
    const auto dueByNow = static_cast<long long>(std::floor((now - origin_) / period + 0.5)) + 1;
    long long steps = dueByNow - given_;
    if (steps <= 0 || paused_) {
        return 0;
    }
    if (steps > mostPerFrame) {
        steps = mostPerFrame;
        origin_ =
            now - static_cast<double>(given_ + steps - 1) * period; // the next falls due half a period on
    }
    given_ += steps;
    return static_cast<int>(steps);
}
