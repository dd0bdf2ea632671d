#include "game/random.h"

void DebianRandom::reseed(unsigned seed) {
    // As glibc's srandom_r: a zero seed counts as one, and the words are filled
    // by the minimal standard generator, 16807 * word mod 2^31 - 1, worked in
    // signed 32 bits (a seed over 2^31 starts negative) without overflow.
    std::int32_t word = static_cast<std::int32_t>(seed == 0 ? 1 : seed);
    state_[0] = static_cast<std::uint32_t>(word);
    for (int i = 1; i < words; ++i) {
        const std::int32_t hi = word / 127773, lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) {
            word += 2147483647;
        }
        state_[i] = static_cast<std::uint32_t>(word);
    }
    front_ = lag, rear_ = 0;
    for (int i = 0; i < 10 * words; ++i) { // the first 310 draws are thrown away
        next();
    }
}

int DebianRandom::next() {
    state_[front_] += state_[rear_];
    const int drawn = static_cast<int>(state_[front_] >> 1);
    front_ = front_ + 1 == words ? 0 : front_ + 1;
    rear_ = rear_ + 1 == words ? 0 : rear_ + 1;
    return drawn;
}
