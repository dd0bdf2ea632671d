// Never a late frame for a best: a kept won game (tests/replays/s-won.txt)
// played through the session's own keys and steps, one step a frame, drawn
// and shown, with its best kept in a folder of its own; the longest frame
// around the win (the frame it is won in, and half a second either side)
// against an ordinary frame (the median of those before), over five rounds;
// and the same with no bests kept (--no-bests), where only the sign is new.
#include "app/frame.h"
#include "bench/busy_field.h"
#include "bests/directory_store.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "replay/replay_file.h"
#include "play/draws.h"
#include "session/session.h"
#include "session/wins.h"

#include <GL/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <variant>
#include <vector>

namespace {

const auto folder = std::filesystem::temp_directory_path() / "gorvath-won-frame-bench";

// Each frame's time in µs, and the frame the game is won in (-1 if it is not won as expected).
long long playRound(GLFWwindow* window, const Replay& replay, bool kept, std::vector<double>& times) {
    std::filesystem::remove_all(folder); // so that each round's win is a new best
    if (kept) {
        keeper = std::make_unique<Keeper>(std::make_unique<DirectoryStore>(folder.string()),
                                          [](const std::string&) {});
        keeper->readAtStart();
    }
    clearGame();
    seedDraws(replay.seed);
    stepsRun = 0;
    steps = FixedSteps{};
    long long wonAt = -1;
    auto key = replay.keys.begin();
    for (int frame = 0; stepsRun < replay.end.step + 30; ++frame) {
        const auto start = std::chrono::steady_clock::now();
        stepAndDraw(frame / 60.0, false, false);
        glfwSwapBuffers(window);
        glFinish();
        for (; key != replay.keys.end() && key->step <= stepsRun; ++key) {
            gameKey(key->key, key->action); // as the player's own
        }
        times.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        if (wonAt < 0 && lastWin) {
            wonAt = frame;
        }
    }
    const bool asExpected = wonAt >= 30 && lastWin->place == (kept ? 1 : 0);
    keeper.reset(); // its best kept, off the frames measured
    lastWin.reset();
    return asExpected ? wonAt : -1;
}

} // namespace

int main() {
    GLFWwindow* window = openGameWindow();
    const auto file = readReplayFile(GORVATH_SOURCE_DIR "/tests/replays/s-won.txt");
    if (!window || !std::holds_alternative<Replay>(file)) {
        std::puts("won frame: no display, or no kept game");
        return 1;
    }
    readClock = gameClock;
    for (const bool kept : {true, false}) {
        std::vector<double> ordinary, around;
        for (int round = 0; round < 5; ++round) {
            std::vector<double> times;
            const long long wonAt = playRound(window, std::get<Replay>(file), kept, times);
            if (wonAt < 0) {
                std::puts("won frame: the kept game was not won as it should be");
                return 1;
            }
            ordinary.insert(ordinary.end(), times.begin() + 30, times.begin() + wonAt - 30);
            around.insert(around.end(), times.begin() + wonAt - 30, times.end());
        }
        std::nth_element(ordinary.begin(), ordinary.begin() + ordinary.size() / 2, ordinary.end());
        std::printf("a frame around a won game %s (the frame it is won in, half a second either side; five "
                    "rounds): the longest %.0f µs, against an ordinary frame's %.0f µs (median)\n",
                    kept ? "that sets a best" : "with no bests kept",
                    *std::max_element(around.begin(), around.end()), ordinary[ordinary.size() / 2]);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
