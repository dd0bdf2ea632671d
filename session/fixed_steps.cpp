#include "session/fixed_steps.h"

#include <algorithm>
#include <cmath>

namespace {

// How fast frames' having fallen late is forgotten, in steps a frame: slowly,
// so that the moment drawn moves on evenly.
constexpr double latestFading = 0.002;

} // namespace

int FixedSteps::due(double now) {
    if (started_ && paused_) {
        leaveOut(now);
        return 0;
    }
    const double sinceLast = now - last_;
    last_ = now;
    if (!started_) {
        started_ = true;
        origin_ = now;
    }
    // Step i falls due at origin_ + (i - 1/2) periods.
    const auto dueByNow = static_cast<long long>(std::floor((now - origin_) / period + 0.5)) + 1;
    long long steps = dueByNow - given_;
    if (steps <= 0 || paused_) {
        findMoment(now);
        return 0;
    }
    if (steps > mostPerFrame) { // the rest dropped: the next falls due half a period on
        steps = mostPerFrame;
        origin_ = now - static_cast<double>(given_ + steps - 1) * period;
    }
    given_ += steps;
    findMoment(now);
    centreBetweenFrames(now, sinceLast);
    return static_cast<int>(steps);
}

void FixedSteps::leaveOut(double now) {
    if (started_) {
        origin_ += now - last_;
        last_ = now;
    }
}

void FixedSteps::findMoment(double now) {
    // Step i falls due at origin_ + (i - 1/2) periods; the latest is given_ - 1.
    const double past = std::clamp((now - origin_) / period - static_cast<double>(given_) + 1.5, 0.0, 1.0);
    latest_ = std::max(past, latest_ - latestFading);
    // Sixty frames a second fall at one place between steps, give or take a
    // fraction of a millisecond: each shows its step exactly as it stands.
    along_ = sixtyFramesASecond() ? 1.0f : static_cast<float>(past + 1.0 - latest_);
}

bool FixedSteps::sixtyFramesASecond() const { return std::abs(frameInterval_ - period) < 0.005 * period; }

void FixedSteps::centreBetweenFrames(double now, double sinceLast) {
    if (sinceLast > 2 * period) {
        return; // a stall says nothing of the display
    }
    frameInterval_ += 0.1 * (sinceLast - frameInterval_);
    if (sixtyFramesASecond()) {
        // How far this frame is from the middle between two steps' falling
        // due, in steps; a tenth of it is taken back each frame.
        const double at = (now - origin_) / period;
        origin_ += 0.1 * (at - std::round(at)) * period;
    }
}
