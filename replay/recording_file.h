// A recording being made: its file, written as the game is played, out of the
// game's way and always whole. It knows nothing of the game or of how its
// steps run: whoever runs them hands it the step count, the keys the game
// takes and, when one falls due, the game's checksum.
#pragma once

#include "files/file_writer.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class RecordingFile {
  public:
    // A checksum falls due every second of play, counted from the first game's start.
    static constexpr long long checkEvery = 60; // steps

    // Writes the file as it stands now, holding no game yet, at `step` with the
    // game's checksum `sum`: false, with errno set, if it cannot be written.
    bool open(const std::string& path, unsigned seed, long long step, std::uint32_t sum);
    // The first game begins at this step: the keys are kept from here on.
    void begin(long long step);
    bool begun() const { return start_.has_value(); }
    // A key the game takes, kept once the first game has begun if it is one of
    // the game's keys (replay_file.h's keyName).
    void key(long long step, int key, int action);
    // Whether a checksum falls due after the step that ends at `step`.
    bool checkDue(long long step) const { return start_ && (step - *start_) % checkEvery == 0; }
    // The checksum line, and the file written again out of the game's way, so
    // that a game cut short by a crash or a kill is kept whole up to here.
    void check(long long step, std::uint32_t sum);
    // The end line, and the file written for the last time, durably: false,
    // with errno set, if it could not be.
    bool finish(long long step, std::uint32_t sum);

  private:
    std::string text_; // the file's lines so far, all but the end
    std::unique_ptr<FileWriter> file_;
    std::optional<long long> start_; // the step of the first S or A
};
