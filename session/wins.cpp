#include "session/wins.h"

#include "game/game_state.h"
#include "session/session.h"

std::unique_ptr<Keeper> keeper;
std::optional<Win> lastWin;
int gamesWon = 0;

void noteGameEnded(const PlayedGame& game) {
    if (!game.won) {
        return;
    }
    lastWin = Win{game.mode, game.steps,
                  keeper ? keeper->enter(game.mode, game.steps, dateNow(), game.recording) : 0};
    ++gamesWon;
}

const Win* winShown() {
    const bool won = gameState == Playing && undeadList.empty() && thePlayer->status == Active;
    return lastWin && won && !playback ? &*lastWin : nullptr;
}
