// A recorded game played back: before each step, the checksums due by then
// compared with the game's, and the step's keys handed over, exactly as they
// were taken. It knows nothing of how the steps run: it is handed the step
// count, a way to read the game's checksum and a way to give the game a key.
#pragma once

#include "replay/replay_file.h"

#include <cstdint>
#include <optional>
#include <string>

class Playback {
  public:
    enum Saying { SaysDivergence, Quiet };
    explicit Playback(Replay replay, Saying saying = SaysDivergence)
        : replay_(std::move(replay)), quiet_(saying == Quiet) {}
    const Replay& replay() const { return replay_; }

    // Before each step, and at the end: compares the checksums due by this
    // step with checksum(), then hands take() this step's keys. False once the
    // replay has ended.
    bool beforeStep(long long stepsRun, std::uint32_t (*checksum)(), void (*take)(int key, int action));
    // The step of the first checksum that did not match; said on standard
    // error as it is found, unless Quiet.
    std::optional<long long> divergedAt() const { return diverged_; }
    bool ended() const { return ended_; }
    // What is said of it so far: "replay diverged at step N" once it has,
    // else "replay matches: N steps" once it has ended; else nothing.
    std::string outcome() const;

  private:
    void compare(long long step, std::uint32_t recorded, std::uint32_t now);

    Replay replay_;
    std::size_t nextKey_ = 0, nextCheck_ = 0;
    bool ended_ = false;
    bool quiet_;
    std::optional<long long> diverged_;
};
