// A recording being made, as its text: the header as the game stood when the
// recording was opened (its seed and what its game took over), then, from
// the step its first game begins, every key the game takes and a checksum
// every second of play; ended whenever asked, as often as asked. It knows
// nothing of the game or of how its steps run: whoever runs them hands it the
// step count, the keys and, when one falls due, the game's checksum.
#pragma once

#include "replay/replay_file.h"

#include <cstdint>
#include <optional>
#include <string>

class Recording {
  public:
    // A checksum falls due every second of play, counted from the first game's start.
    static constexpr long long checkEvery = 60; // steps

    explicit Recording(const Replay& header) : text_(headerLines(header)) {}

    // The first game begins at this step: the keys are kept from here on.
    void begin(long long step);
    bool begun() const { return start_.has_value(); }
    // A key the game takes, kept once the first game has begun if it is one of
    // the game's keys (replay_file.h's keyName).
    void key(long long step, int key, int action);
    // Whether a checksum falls due after the step that ends at `step`.
    bool checkDue(long long step) const { return start_ && (step - *start_) % checkEvery == 0; }
    void check(long long step, std::uint32_t sum);
    // The whole recording, ended at `end`.
    std::string text(const ReplayCheck& end) const { return text_ + endLine(end); }

  private:
    std::string text_; // the lines so far, all but the end
    std::optional<long long> start_;
};
