#include "replay/playback.h"

#include "files/console_line.h"

#include <string>

void Playback::compare(long long step, std::uint32_t recorded, std::uint32_t now) {
    if (!diverged_ && recorded != now) {
        diverged_ = step;
        if (!quiet_) {
            sayLine(stderr, outcome());
        }
    }
}

std::string Playback::outcome() const {
    if (diverged_) {
        return "replay diverged at step " + std::to_string(*diverged_);
    }
    return ended_ ? "replay matches: " + std::to_string(replay_.end.step - replay_.start()) + " steps" : "";
}

bool Playback::beforeStep(long long stepsRun, std::uint32_t (*checksum)(),
                          void (*take)(int key, int action)) {
    if (ended_) {
        return false;
    }
    for (; nextCheck_ < replay_.checks.size() && replay_.checks[nextCheck_].step <= stepsRun; ++nextCheck_) {
        compare(replay_.checks[nextCheck_].step, replay_.checks[nextCheck_].sum, checksum());
    }
    for (; nextKey_ < replay_.keys.size() && replay_.keys[nextKey_].step <= stepsRun; ++nextKey_) {
        take(replay_.keys[nextKey_].key, replay_.keys[nextKey_].action);
    }
    if (stepsRun < replay_.end.step) {
        return true;
    }
    compare(replay_.end.step, replay_.end.sum, checksum());
    ended_ = true;
    return false;
}
