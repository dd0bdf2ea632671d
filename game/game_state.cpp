#include "game/game_state.h"

#include "game/sounds.h"

constinit int gameState = TitleScreen;
constinit bool quitRequested = false;

constinit std::unique_ptr<Player> thePlayer;
constinit std::unique_ptr<Trap> theTrap;
constinit std::vector<std::unique_ptr<Undead>> undeadList;
constinit std::vector<std::unique_ptr<Explosion>> explosionList;

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
}

bool gameIsOver() { return thePlayer->status == Finished || undeadList.empty(); }
