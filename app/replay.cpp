#include "app/replay.h"

#include "app/session.h"
#include "game/controls.h"
#include "game/game_state.h"
#include "game/sounds.h"
#include "game/sources.h"

#include <GLFW/glfw3.h>

#include <array>
#include <bit>
#include <cstdlib>
#include <iostream>
#include <sys/stat.h>
#include <variant>

namespace {

// FNV-1a, 32 bits, over whole values.
struct Checksum {
    std::uint32_t sum = 2166136261u;
    template <class Value> void add(Value value) {
        const auto bytes = std::bit_cast<std::array<unsigned char, sizeof value>>(value);
        for (unsigned char byte : bytes) {
            sum = (sum ^ byte) * 16777619u;
        }
    }
    void addEntity(const Entity& e) { add(e.position.x), add(e.position.y), add(e.status), add(e.flag); }
};

constexpr long long checkEvery = 60; // steps: a second of play

} // namespace

std::uint32_t gameChecksum() {
    Checksum c;
    c.add(gameState), c.add(trapAutoCounter);
    if (thePlayer) {
        c.addEntity(*thePlayer), c.add(thePlayer->projectile != nullptr);
        if (thePlayer->projectile) {
            c.addEntity(*thePlayer->projectile);
        }
    }
    if (theTrap) {
        c.addEntity(*theTrap), c.add(theTrap->projectile != nullptr);
        if (theTrap->projectile) {
            c.addEntity(*theTrap->projectile);
        }
    }
    c.add(undeadList.size());
    for (const auto& undead : undeadList) {
        c.addEntity(*undead), c.add(undead->holdTime), c.add(undead->spinAngle), c.add(undead->spinAxis);
    }
    c.add(explosionList.size());
    for (const auto& explosion : explosionList) {
        c.addEntity(*explosion), c.add(explosion->frameIndex), c.add(explosion->frameTimer);
    }
    return c.sum;
}

bool Recorder::open(const std::string& path, unsigned seed, long long stepsRun) {
    const mode_t mask = umask(0); // new files as the player's umask makes them
    umask(mask);
    file_ = std::make_unique<FileWriter>(path, 0666 & ~mask);
    text_ = headerLines(seed);
    return file_->writeNow(text_ + endLine({stepsRun, gameChecksum()}));
}

void Recorder::key(long long stepsRun, int key, int action) {
    if (!start_ && gameState == TitleScreen && action == GLFW_PRESS &&
        (key == GLFW_KEY_S || key == GLFW_KEY_A)) {
        start_ = stepsRun;
    }
    if (start_ && keyName(key)) {
        text_ += keyLine({stepsRun, key, action});
    }
}

void Recorder::afterStep(long long stepsRun) {
    if (start_ && (stepsRun - *start_) % checkEvery == 0) {
        const std::uint32_t sum = gameChecksum();
        text_ += checkLine({stepsRun, sum});
        file_->post(text_ + endLine({stepsRun, sum}));
    }
}

bool Recorder::finish(long long stepsRun) {
    return file_->writeNow(text_ + endLine({stepsRun, gameChecksum()}));
}

void Playback::compare(long long step, std::uint32_t sum) {
    if (!diverged_ && sum != gameChecksum()) {
        diverged_ = step;
        std::cerr << "replay diverged at step " + std::to_string(step) + "\n" << std::flush;
    }
}

bool Playback::beforeStep(long long stepsRun) {
    if (ended_) {
        return false;
    }
    for (; nextCheck_ < replay_.checks.size() && replay_.checks[nextCheck_].step <= stepsRun; ++nextCheck_) {
        compare(replay_.checks[nextCheck_].step, replay_.checks[nextCheck_].sum);
    }
    for (; nextKey_ < replay_.keys.size() && replay_.keys[nextKey_].step <= stepsRun; ++nextKey_) {
        keyCallback(nullptr, replay_.keys[nextKey_].key, 0, replay_.keys[nextKey_].action, 0);
    }
    if (stepsRun < replay_.end.step) {
        return true;
    }
    compare(replay_.end.step, replay_.end.sum);
    ended_ = true;
    return false;
}

void startPlayback(const Replay& replay) {
    clearGame();
    std::srand(replay.seed);
    drawRandom = std::rand;
    readClock = gameClock;
    stepsRun = replay.start();
    gameTime = static_cast<double>(stepsRun) / 60.0;
}

int checkReplayFile(const std::string& path) {
    const std::variant<Replay, std::string> file = readReplayFile(path);
    if (const auto* error = std::get_if<std::string>(&file)) {
        std::cerr << "gorvath: " + *error + "\n" << std::flush;
        return EXIT_FAILURE;
    }
    Playback replayed(std::get<Replay>(file));
    startPlayback(replayed.replay());
    while (replayed.beforeStep(stepsRun)) {
        runOneStep();
        heardSounds.count = 0; // nobody to hear them
    }
    if (replayed.divergedAt()) {
        return EXIT_FAILURE;
    }
    std::cout << "replay matches: " << replayed.replay().end.step - replayed.replay().start() << " steps"
              << std::endl;
    return EXIT_SUCCESS;
}
