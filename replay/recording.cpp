#include "replay/recording.h"

void Recording::begin(long long step) {
    if (!start_) {
        start_ = step;
    }
}

void Recording::key(long long step, int key, int action) {
    if (start_ && keyName(key)) {
        text_ += keyLine({step, key, action});
    }
}

void Recording::check(long long step, std::uint32_t sum) { text_ += checkLine({step, sum}); }
