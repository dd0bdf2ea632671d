#include "session/session.h"

#include "game/checksum.h"
#include "game/controls.h"
#include "game/game_state.h"
#include "play/draws.h"
#include "session/wins.h"

#include <GLFW/glfw3.h>

#include <optional>

FixedSteps steps;
SoundFloor soundFloor;
std::unique_ptr<Recorder> recorder;
std::unique_ptr<Playback> playback;

void runSteps(double now) {
    for (int due = steps.due(now); due > 0; --due) {
        if (playback && !playback->beforeStep(stepsRun, gameChecksum, takeRecordedKey)) {
            break;
        }
        runOneStep();
    }
}

float frameAlong() { return playback && playback->ended() ? 1.0f : steps.along(); }

void runOneStep() {
    const PlayedGame* ended = playOneStep();
    if (recorder) {
        recorder->afterStep(stepsRun);
    }
    if (ended) {
        noteGameEnded(*ended);
    }
}

void showRecording(Replay replay) {
    playback = std::make_unique<Playback>(std::move(replay));
    startPlayback(playback->replay());
    steps.setPaused(false);
}

void stopShowing(unsigned seed) {
    playback.reset();
    clearGame();
    seedDraws(seed);
}

void takeRecordedKey(int key, int action) { keyCallback(nullptr, key, 0, action, 0); }

namespace {

bool pauseWorks() { return gameState == Playing && !playback; }

} // namespace

void togglePause() {
    if (pauseWorks()) {
        steps.setPaused(!steps.paused());
    }
}

void pauseGame() {
    if (pauseWorks()) {
        steps.setPaused(true);
    }
}

void pressStart() {
    if (gameState != TitleScreen) {
        togglePause();
    } else {
        gameKey(GLFW_KEY_S, GLFW_PRESS);
        gameKey(GLFW_KEY_S, GLFW_RELEASE);
    }
}

void startSounds() {
    std::optional<DecodedSound> sounds[soundCount];
    loadSoundFiles(sounds);
    if (soundFloor.openDevice()) {
        soundFloor.load(sounds);
    }
}

void playHeardSounds() {
    for (int i = 0; i < heardSounds.count; ++i) {
        soundFloor.play(heardSounds.sounds[i]);
    }
    heardSounds.count = 0;
}

void toggleMute() { soundFloor.setMuted(!soundFloor.muted()); }

void gameKey(int key, int action) {
    if ((steps.paused() || playback) && key != GLFW_KEY_Q) {
        return;
    }
    notePlayersKey(key, action);
    if (recorder) {
        recorder->key(stepsRun, key, action);
    }
    keyCallback(nullptr, key, 0, action, 0);
}

void playerKey(int key, int action) {
    if (key != GLFW_KEY_P && key != GLFW_KEY_M) {
        gameKey(key, action);
    } else if (action == GLFW_PRESS) {
        key == GLFW_KEY_P ? togglePause() : toggleMute();
    }
}
