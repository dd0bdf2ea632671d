// Every game played, recorded alone: from its own S or A to the step it is
// won or lost, its header saying what it took over from the game before it
// (where the random draws stood, the self-steering Trap's count, the
// Explosions still playing), so that it plays back by itself. Kept in memory,
// the game being played and the last one played; nothing is written. A
// playback on the screen plays no game of its own; a recording played through
// (the replay check, the board's judge) records its game alone as it goes.
#pragma once

#include "replay/replay_file.h"

#include <string>

struct PlayedGame {
    int mode = 0;        // KeyTrapMode (S) or SelfTrapMode (A)
    long long start = 0; // the step its S or A acted in
    long long steps = 0; // its length, to the step it was won or lost in
    bool won = false;
    std::string recording; // the whole of it
};

// What the game took over from the game before it, as a recording's header says it.
Replay takenOver();

// A key of the player's, before the game takes it: S or A that begins a game
// begins its recording (and true is said).
bool notePlayersKey(int key, int action);
// After each step of play: a checksum every second, and the end once the game
// is won or lost. The game that ended, if one did in this step.
const PlayedGame* noteStepPlayed();
// The game being played ends where it stands (a recording is to be shown instead).
void endGamePlayed();

// The game being played, as a recording ended now; else the last one played;
// empty before the first.
std::string gameSoFar();
