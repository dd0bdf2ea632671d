#include "tests/support/scripted_game.h"

#include "app/frame.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "session/session.h"
#include "session/wins.h"

#include <deque>
#include <utility>

double testClock = 0.0;
int randomDraws = 0;

namespace {

std::deque<int> script;

int scriptedRandom() {
    ++randomDraws;
    const int value = script.empty() ? 0 : script.front();
    if (!script.empty()) {
        script.pop_front();
    }
    return value;
}

} // namespace

void scriptGame(int mode) {
    resetGame();
    scriptRandom({0, 1, 2, 3, 4});
    startGame(mode);
    addUndead(-0.6f, 0.25f);          // senses the Player: tinted
    addUndead(-0.6f, -0.3f, Stunned); // senses it too, but stunned: not tinted
    addUndead(0.5f, 0.1f, Finished);  // never drawn
    addUndead(0.2f, -0.2f, Stunned).spinAxis = 2;
    thePlayer->projectile = makeProjectile(-0.6f, 0.0f, shotTile);
    theTrap->moveBy(0.3f, 0.0f);
    trapFire();
    explosionList.push_back(std::make_unique<Explosion>(-0.2f, 0.4f, 0.0));
    explosionList.push_back(std::make_unique<Explosion>(0.3f, -0.45f, 0.0));
    explosionList.back()->frameIndex = 10; // its next step, in the second frame, is its last
}

void scriptRandom(std::initializer_list<int> values) { script.assign(values); }

void useScriptedSources() {
    readClock = [] { return testClock; };
    drawRandom = scriptedRandom;
}

void resetGame() {
    clearGame();
    lastWin.reset();
    testClock = 0.0;
    randomDraws = 0;
    script.clear();
}

void play(int mode) {
    resetGame();
    startGame(mode);
    undeadList.clear();
    randomDraws = 0;
}

Undead& addUndead(float x, float y, int status) {
    undeadList.push_back(std::make_unique<Undead>(x, y, 0.1f, 0.1f, 1, 0.0f, 0.11f, 0.135f, 0.11f));
    undeadList.back()->status = status;
    undeadList.back()->holdTime = testClock;
    return *undeadList.back();
}

void drawScriptedFrames(void (*check)(const std::string& name)) {
    theMascot = createMascot(); // its first tile, whatever came before
    drawFrame(0.0);
    check("title");
    drawFrame(0.25);
    check("title-walk");
    for (int mode : {KeyTrapMode, SelfTrapMode}) {
        scriptGame(mode);
        for (int frame = 0; frame < 3; ++frame) {
            testClock = 0.3 * frame;
            drawFrame(testClock);
            check((mode ? "A-" : "S-") + std::to_string(frame));
        }
    }
    steps.setPaused(true); // the last field, dimmed under the pause sign
    drawField();
    check("paused");
    steps.setPaused(false);
    // A won game, its time shown: among the bests, a new best, and neither.
    for (const auto& [name, place] :
         {std::pair("won-third", 3), std::pair("won-best", 1), std::pair("won", 0)}) {
        play(KeyTrapMode);
        explosionList.push_back(std::make_unique<Explosion>(0.3f, -0.45f, 0.0));
        lastWin = Win{KeyTrapMode, 2283, place};
        drawField();
        check(name);
    }
    lastWin.reset();
}
