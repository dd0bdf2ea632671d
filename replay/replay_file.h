// The replay floor: recorded games, their format read and written, the
// recording made while playing (recording.h, recording_file.h) and the
// playback (playback.h). It may use files/ and GLFW's key tokens, and knows
// nothing of the game itself or of how its steps run.
//
// Recorded games: a small text file, a line at a time, that a person can read
// and edit. After its version line, the seed of the game's random draws and
// how many had been drawn when its game began, then every key (or pad action,
// or touch, as its key) with the step it acted in, a checksum of the game
// every second of play, and the checksum at the end:
//
//   gorvath replay 2
//   seed 1765112591
//   draws 0
//   step 143 key S press
//   step 150 key UP repeat
//   step 203 check 5f3a9c21
//   step 3600 end 8e01bb2c
//
// A game recorded alone after others says what it took over from the game
// before it: the draws made, the self-steering Trap's count of its steps
// (`trapcount 3`), and each Explosion still playing, where it stands, the tile
// it shows and the game time it last stepped at
// (`explosion 0.45 -0.2 4 12.483333333333333`).
//
// Steps are counted as the game counted them, from its start; a key line acts
// once that many steps have run, a check line holds before that step's keys.
// Blank lines and anything after a # are left out. Version 1, the same but for
// the draws and what a game takes over (none), is read as ever.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

inline constexpr int replayVersion = 2;
// A week of play, which no real recording reaches, and ten draws a step of it.
inline constexpr long long mostReplaySteps = 60LL * 60 * 60 * 24 * 7;
inline constexpr long long mostReplayDraws = 10 * mostReplaySteps;
// A game ends with six at most (five Undead and the Player); twice that, to spare.
inline constexpr std::size_t mostReplayExplosions = 12;
inline constexpr std::size_t maxReplayBytes = std::size_t{64} << 20; // 64 MiB

struct ReplayKey {
    long long step = 0;
    int key = 0, action = 0; // GLFW's key and action tokens
};

struct ReplayCheck {
    long long step = 0;
    std::uint32_t sum = 0;
};

// An Explosion a game took over from the game before it.
struct ReplayExplosion {
    float x = 0, y = 0;
    int tile = 0;        // 0 to 10
    double lastStep = 0; // the game time its tile last stepped at, in seconds
};

struct Replay {
    int version = replayVersion; // as read; written always as today's
    unsigned seed = 0;
    long long draws = 0; // made since the seed when its game began
    int trapCount = 0;   // the self-steering Trap's, taken over
    std::vector<ReplayExplosion> explosions;
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
// The same for a recording's text handed over whole (a page's file or link),
// named `name` in what it says.
std::variant<Replay, std::string> readReplay(const std::string& text, const std::string& name);
// What is said of a recording too large to be one.
std::string tooLargeForAReplay(const std::string& name);

// The file's lines, each ended by a line feed: the version, the seed and what
// the game took over (all of the replay but its keys, checks and end); an
// Explosion taken over, a key, a checksum, the end.
std::string headerLines(const Replay& replay);
std::string explosionLine(const ReplayExplosion& explosion);
std::string keyLine(const ReplayKey& key);
std::string checkLine(const ReplayCheck& check);
std::string endLine(const ReplayCheck& end);

// The whole file's text for a replay, in today's version.
std::string replayText(const Replay& replay);

// The key's name in replays (S, A, UP, DOWN, LEFT, RIGHT, SPACE, F): the keys
// the game plays with. Null for any other.
const char* keyName(int key);
