// Writes recorded games again with the checksums the game gives today, the
// same keys at the same steps: for the kept test games in tests/replays after
// a change to the game that is meant to change how it plays (look at them
// with --replay first).
//
//   replay_refresh FILE...
#include "session/session.h"

#include <GLFW/glfw3.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <variant>

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::variant<Replay, std::string> file = readReplayFile(argv[i]);
        if (const auto* error = std::get_if<std::string>(&file)) {
            std::cerr << *error << "\n";
            return 1;
        }
        const Replay& replay = std::get<Replay>(file);
        startPlayback(replay);
        recorder = std::make_unique<Recorder>();
        if (!recorder->open(argv[i], stepsRun)) {
            std::cerr << argv[i] << ": " << std::strerror(errno) << "\n";
            return 1;
        }
        auto key = replay.keys.begin();
        for (;; runOneStep()) {
            for (; key != replay.keys.end() && key->step == stepsRun; ++key) {
                gameKey(key->key, key->action); // taken and recorded as a player's
            }
            if (stepsRun == replay.end.step) {
                break;
            }
        }
        if (!recorder->finish(stepsRun)) {
            std::cerr << argv[i] << ": " << std::strerror(errno) << "\n";
            return 1;
        }
        std::cout << argv[i] << ": " << stepsRun - replay.start() << " steps\n";
    }
    return 0;
}
