#include "game/game_state.h"

#include "game/motion.h"
#include "game/sounds.h"

constinit int gameState = TitleScreen;
constinit bool quitRequested = false;

constinit std::unique_ptr<Player> thePlayer;
constinit std::unique_ptr<Trap> theTrap;
// Not needed before main, and so not constinit: a browser's C++ library has no
// constant-initialised vector.
std::vector<std::unique_ptr<Undead>> undeadList;
std::vector<std::unique_ptr<Explosion>> explosionList;

constinit int trapAutoCounter = 0;

bool shouldQuit() { return quitRequested; }

void clearGame() {
    thePlayer.reset();
    theTrap.reset();
    undeadList.clear();
    explosionList.clear();
    gameState = TitleScreen;
    quitRequested = false;
    trapAutoCounter = 0;
    heardSounds.count = 0;
    forgetSteps();
}

bool gameIsOver() { return thePlayer->status == Finished || undeadList.empty(); }
