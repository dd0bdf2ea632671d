// A recorded game played through by its steps with no window and no display,
// as fast as it goes: the replay check (--check), and the board's judge of a
// game sent to it.
#pragma once

#include "play/played_games.h"
#include "replay/replay_file.h"

#include <optional>
#include <string>

struct ReplayPlayed {
    bool matched = false; // every checksum, the end's too
    std::string outcome;  // "replay matches: N steps", or "replay diverged at step N"
    int gamesBegun = 0;   // by its keys
    // Its first game, once it had ended: recorded alone, as the game itself
    // records every game played.
    std::optional<PlayedGame> firstGame;
};

// Plays the replay through to its end, saying nothing.
ReplayPlayed playThrough(const Replay& replay);

// Plays the file back and says whether it matched, on standard output
// ("replay matches: N steps") or standard error: the exit status (0 matched,
// 1 diverged or unreadable).
int checkReplayFile(const std::string& path);
