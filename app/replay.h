// Recording a game and playing one back exactly. Both sit on the session's
// steps and keys (app/session.h): a recording notes every key the game takes
// with the step it acted in, and a checksum of the game every second of
// play; a playback hands the game the same keys at the same steps, from the
// same random seed and the same clock, and compares the checksums.
#pragma once

#include "app/file_writer.h"
#include "app/replay_file.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// A short checksum of everything the game's next steps depend on.
std::uint32_t gameChecksum();

class Recorder {
  public:
    // Writes the file as it stands now, with no game in it yet: false, with
    // errno set, if it cannot be written.
    bool open(const std::string& path, unsigned seed, long long stepsRun);
    // A key the game takes; kept from the first S or A that starts a game on.
    void key(long long stepsRun, int key, int action);
    // After each step: every second of play, a checksum, and the file written
    // again (out of the game's way), so that a game cut short by a crash or a
    // kill is kept whole up to there.
    void afterStep(long long stepsRun);
    // The end line, and the file written for the last time: false, with errno
    // set, if it could not be.
    bool finish(long long stepsRun);

  private:
    std::string text_; // the file's lines so far, all but the end
    std::unique_ptr<FileWriter> file_;
    std::optional<long long> start_; // the step of the first S or A
};

class Playback {
  public:
    explicit Playback(Replay replay) : replay_(std::move(replay)) {}
    const Replay& replay() const { return replay_; }

    // Before each step, and at the end: checks this step's checksum, then
    // hands the game this step's keys. False once the replay has ended.
    bool beforeStep(long long stepsRun);
    // The step of the first checksum that did not match; said on standard
    // error as it is found.
    std::optional<long long> divergedAt() const { return diverged_; }

  private:
    void compare(long long step, std::uint32_t sum);

    Replay replay_;
    std::size_t nextKey_ = 0, nextCheck_ = 0;
    bool ended_ = false;
    std::optional<long long> diverged_;
};

// Starts the session at the replay's beginning: the seed, the step count and
// the clock as they were when its first game began.
void startPlayback(const Replay& replay);

// Plays the file back with no window and no display, as fast as it goes, and
// says whether it matched: the exit status (0 matched, 1 diverged or unreadable).
int checkReplayFile(const std::string& path);
