#include "session/replay_check.h"

#include "game/checksum.h"
#include "game/sounds.h"
#include "session/session.h"

#include <cstdlib>
#include <iostream>
#include <variant>

int checkReplayFile(const std::string& path) {
    const std::variant<Replay, std::string> file = readReplayFile(path);
    if (const auto* error = std::get_if<std::string>(&file)) {
        std::cerr << "gorvath: " + *error + "\n" << std::flush;
        return EXIT_FAILURE;
    }
    Playback replayed(std::get<Replay>(file));
    startPlayback(replayed.replay());
    while (replayed.beforeStep(stepsRun, gameChecksum, takeRecordedKey)) {
        runOneStep();
        heardSounds.count = 0; // nobody to hear them
    }
    if (replayed.divergedAt()) {
        return EXIT_FAILURE;
    }
    std::cout << replayed.outcome() << std::endl;
    return EXIT_SUCCESS;
}
