#include "play/played_games.h"

#include "game/checksum.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "play/draws.h"
#include "play/play.h"
#include "replay/recording.h"

#include <GLFW/glfw3.h>

#include <optional>

namespace {

std::optional<Recording> playing; // the game being played
PlayedGame current, last;

void end() {
    current.steps = stepsRun - current.start;
    current.recording = playing->text({stepsRun, gameChecksum()});
    last = current;
    playing.reset();
}

} // namespace

Replay takenOver() {
    Replay header;
    header.seed = drawsSeed();
    header.draws = drawsMade();
    header.trapCount = trapAutoCounter;
    for (const auto& explosion : explosionList) {
        if (explosion->status != Finished) { // one that has finished is gone before the next step
            header.explosions.push_back(
                {explosion->position.x, explosion->position.y, explosion->frameIndex, explosion->frameTimer});
        }
    }
    return header;
}

bool notePlayersKey(int key, int action) {
    const bool begins = action == GLFW_PRESS && (key == GLFW_KEY_S || key == GLFW_KEY_A) &&
                        (gameState == TitleScreen || gameIsOver());
    if (begins) {
        playing.emplace(takenOver());
        playing->begin(stepsRun);
        current = {key == GLFW_KEY_S ? KeyTrapMode : SelfTrapMode, stepsRun, 0, false, {}};
    }
    if (playing) {
        playing->key(stepsRun, key, action);
    }
    return begins;
}

const PlayedGame* noteStepPlayed() {
    if (playing && gameState != Playing) { // the game was cleared away unfinished
        playing.reset();
    }
    if (!playing) {
        return nullptr;
    }
    if (playing->checkDue(stepsRun)) {
        playing->check(stepsRun, gameChecksum());
    }
    if (!gameIsOver()) {
        return nullptr;
    }
    current.won = thePlayer->status != Finished;
    end();
    return &last;
}

void endGamePlayed() {
    if (playing) {
        end();
    }
}

std::string gameSoFar() { return playing ? playing->text({stepsRun, gameChecksum()}) : last.recording; }
