// The game's own random generator: for every seed, exactly the numbers that
// Debian's C library's rand() gives after srand(seed). A browser's C library
// draws others; drawing these instead, a recording made on the desktop plays
// the same game in a browser, and one made in a browser on the desktop.
#pragma once

#include <cstdint>

class DebianRandom {
  public:
    explicit DebianRandom(unsigned seed = 1) { reseed(seed); }
    void reseed(unsigned seed);
    int next(); // 0 to 2^31 - 1

  private:
    // glibc's additive feedback generator: 31 words, each draw the sum of the
    // words three and thirty-one back.
    static constexpr int words = 31, lag = 3;
    std::uint32_t state_[words] = {};
    int front_ = lag, rear_ = 0;
};
