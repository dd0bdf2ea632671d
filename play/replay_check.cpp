#include "play/replay_check.h"

#include "game/checksum.h"
#include "game/controls.h"
#include "game/sounds.h"
#include "play/play.h"
#include "replay/playback.h"

#include <cstdlib>
#include <iostream>
#include <variant>

namespace {

int gamesBegun = 0;

// A recorded key, taken as the player's was: noted in the game played alone, then handed to the game.
void takeKey(int key, int action) {
    gamesBegun += notePlayersKey(key, action) ? 1 : 0;
    keyCallback(nullptr, key, 0, action, 0);
}

} // namespace

ReplayPlayed playThrough(const Replay& replay) {
    Playback replayed(replay, Playback::Quiet);
    startPlayback(replay);
    gamesBegun = 0;
    ReplayPlayed played;
    while (replayed.beforeStep(stepsRun, gameChecksum, takeKey)) {
        const PlayedGame* ended = playOneStep();
        if (ended && !played.firstGame) {
            played.firstGame = *ended;
        }
        heardSounds.count = 0; // nobody to hear them
    }
    endGamePlayed(); // the next one played starts afresh
    played.matched = !replayed.divergedAt();
    played.outcome = replayed.outcome();
    played.gamesBegun = gamesBegun;
    return played;
}

int checkReplayFile(const std::string& path) {
    const std::variant<Replay, std::string> file = readReplayFile(path);
    if (const auto* error = std::get_if<std::string>(&file)) {
        std::cerr << "gorvath: " + *error + "\n" << std::flush;
        return EXIT_FAILURE;
    }
    const ReplayPlayed played = playThrough(std::get<Replay>(file));
    (played.matched ? std::cout : std::cerr) << played.outcome << std::endl;
    return played.matched ? EXIT_SUCCESS : EXIT_FAILURE;
}
