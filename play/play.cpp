#include "play/play.h"

#include "game/animation.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "game/step.h"
#include "play/draws.h"

long long stepsRun = 0;
double gameTime = 0.0;

double gameClock() { return gameTime; }

const PlayedGame* playOneStep() {
    gameTime = static_cast<double>(stepsRun) / 60.0;
    stepGame(gameTime);
    ++stepsRun;
    return noteStepPlayed();
}

void startPlayback(const Replay& replay) {
    endGamePlayed();
    clearGame();
    seedDraws(replay.seed);
    skipDraws(replay.draws);
    trapAutoCounter = replay.trapCount;
    for (const ReplayExplosion& e : replay.explosions) {
        explosionList.push_back(explosionAsItStood(e.x, e.y, e.tile, e.lastStep));
    }
    readClock = gameClock;
    stepsRun = replay.start();
    gameTime = static_cast<double>(stepsRun) / 60.0;
}
