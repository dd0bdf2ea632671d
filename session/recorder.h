// The session's recording of its game: the recording file handed the step
// count, the keys the game takes and the game's checksum, from the key that
// starts the first game on.
#pragma once

#include "replay/recording_file.h"

#include <string>

class Recorder {
  public:
    // Writes the file as it stands now, with no game in it yet: false, with
    // errno set, if it cannot be written.
    bool open(const std::string& path, long long stepsRun);
    // A key the game takes; kept from the first S or A that starts a game on.
    void key(long long stepsRun, int key, int action);
    // After each step: every second of play, a checksum, and the file written
    // again (out of the game's way).
    void afterStep(long long stepsRun);
    // The end line, and the file written for the last time: false, with errno
    // set, if it could not be.
    bool finish(long long stepsRun);

  private:
    RecordingFile file_;
};
