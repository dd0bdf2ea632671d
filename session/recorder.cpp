#include "session/recorder.h"

#include "game/checksum.h"
#include "game/game_state.h"
#include "play/played_games.h"

#include <GLFW/glfw3.h>

// Its header is the game's as it stands: on the title screen, where nothing
// draws a random number, as it will stand when the first game begins.
bool Recorder::open(const std::string& path, long long stepsRun) {
    return file_.open(path, takenOver(), stepsRun, gameChecksum());
}

void Recorder::key(long long stepsRun, int key, int action) {
    if (!file_.begun() && gameState == TitleScreen && action == GLFW_PRESS &&
        (key == GLFW_KEY_S || key == GLFW_KEY_A)) {
        file_.begin(stepsRun);
    }
    file_.key(stepsRun, key, action);
}

void Recorder::afterStep(long long stepsRun) {
    if (file_.checkDue(stepsRun)) {
        file_.check(stepsRun, gameChecksum());
    }
}

bool Recorder::finish(long long stepsRun) { return file_.finish(stepsRun, gameChecksum()); }
