// Games won: each one's time, and its place among the bests of its mode
// where the player keeps them (bests/), entered there with its recording.
// Only games played count: a playback or a replay check wins nothing.
#pragma once

#include "bests/keeper.h"
#include "play/played_games.h"

#include <memory>
#include <optional>

struct Win {
    int mode = 0;
    long long steps = 0;
    int place = 0; // among the bests of its mode, 1 to 5; 0 when not among them, or none are kept
};

extern std::unique_ptr<Keeper> keeper; // none when the player keeps no bests
extern std::optional<Win> lastWin;     // the last game won
extern int gamesWon;                   // since the program started

// A played game that ended: if it was won, its time and place, and the bests.
void noteGameEnded(const PlayedGame& game);

// The last game won, while its field still shows (until S or A begins the
// next game, or a recording is shown): what its picture tells.
const Win* winShown();
