// A recording being made into its file, written as the game is played, out
// of the game's way and always whole. It knows nothing of the game or of how
// its steps run: whoever runs them hands it the step count, the keys the game
// takes and, when one falls due, the game's checksum.
#pragma once

#include "files/file_writer.h"
#include "replay/recording.h"

#include <memory>
#include <optional>
#include <string>

class RecordingFile {
  public:
    // Writes the file as it stands now, holding no game yet, at `step` with the
    // game's checksum `sum`: false, with errno set, if it cannot be written.
    bool open(const std::string& path, const Replay& header, long long step, std::uint32_t sum);
    // The first game begins at this step: the keys are kept from here on.
    void begin(long long step) { recording_->begin(step); }
    bool begun() const { return recording_->begun(); }
    void key(long long step, int key, int action) { recording_->key(step, key, action); }
    bool checkDue(long long step) const { return recording_->checkDue(step); }
    // The checksum line, and the file written again out of the game's way, so
    // that a game cut short by a crash or a kill is kept whole up to here.
    void check(long long step, std::uint32_t sum);
    // The end line, and the file written for the last time, durably: false,
    // with errno set, if it could not be.
    bool finish(long long step, std::uint32_t sum);

  private:
    std::optional<Recording> recording_;
    std::unique_ptr<FileWriter> file_;
};
