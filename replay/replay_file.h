// The replay floor: recorded games, their format read and written, the
// recording made while playing (recording_file.h) and the playback
// (playback.h). It may use files/ and GLFW's key tokens, and knows nothing of
// the game itself or of how its steps run.
//
// Recorded games: a small text file, a line at a time, that a person can read
// and edit. After its version line, the seed of the game's random draws, then
// every key (or pad action, as its key) with the step it acted in, a checksum
// of the game every second of play, and the checksum at the end:
//
//   gorvath replay 1
//   seed 1765112591
//   step 143 key S press
//   step 150 key UP repeat
//   step 203 check 5f3a9c21
//   step 3600 end 8e01bb2c
//
// Steps are counted as the game counted them, from its start; a key line acts
// once that many steps have run, a check line holds before that step's keys.
// Blank lines and anything after a # are left out.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

inline constexpr int replayVersion = 1;
// A week of play, which no real recording reaches.
inline constexpr long long mostReplaySteps = 60LL * 60 * 60 * 24 * 7;
inline constexpr std::size_t maxReplayBytes = std::size_t{64} << 20; // 64 MiB

struct ReplayKey {
    long long step = 0;
    int key = 0, action = 0; // GLFW's key and action tokens
};

struct ReplayCheck {
    long long step = 0;
    std::uint32_t sum = 0;
};

struct Replay {
    unsigned seed = 0;
    std::vector<ReplayKey> keys;     // in step order
    std::vector<ReplayCheck> checks; // in step order
    ReplayCheck end;
    // The step the replay begins at: its first key's (the S or A that started
    // the first game), or its end when no game was started.
    long long start() const { return keys.empty() ? end.step : keys.front().step; }
};

// The replay in the file, or the one line that says what is wrong with it
// (the file's name, and the line's number where a line is at fault).
std::variant<Replay, std::string> readReplayFile(const std::string& path);

// The file's lines, each ended by a line feed: the version and the seed, a
// key, a checksum, the end.
std::string headerLines(unsigned seed);
std::string keyLine(const ReplayKey& key);
std::string checkLine(const ReplayCheck& check);
std::string endLine(const ReplayCheck& end);

// The whole file's text for a replay.
std::string replayText(const Replay& replay);

// The key's name in replays (S, A, UP, DOWN, LEFT, RIGHT, SPACE, F): the keys
// the game plays with. Null for any other.
const char* keyName(int key);
