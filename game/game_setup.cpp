#include "game/game_setup.h"

#include "entity/kinds.h"
#include "game/game_state.h"
#include "game/sounds.h"
#include "game/sources.h"

std::unique_ptr<Mascot> createMascot() {
    // Before main hands the game its clock it reads 0, so the first tile shows from time zero.
    const double now = readClock();
    auto mascot = std::make_unique<Mascot>(mascotStartX, mascotStartY, spriteSize, spriteSize,
                                           undeadSheetUnit, mascotFirstTile.left, mascotFirstTile.top,
                                           mascotFirstTile.width, mascotFirstTile.height);
    mascot->frameTimer = now;
    mascot->frameIndex = 0;
    return mascot;
}

// Made during static initialisation, from constants only, so the order in
// which files initialise cannot hand it a zero matrix.
std::unique_ptr<Mascot> theMascot = createMascot();

std::unique_ptr<Projectile> makeProjectile(float x, float y, const TileRect& look) {
    return std::make_unique<Projectile>(x, y, spriteSize, spriteSize, effectsSheetUnit, look.left, look.top,
                                        look.width, look.height);
}

std::unique_ptr<Trap> makeTrap(int mode) {
    auto trap = std::make_unique<Trap>(trapStartX, trapStartY, spriteSize, spriteSize, noTextureUnit,
                                       trapNoTile.left, trapNoTile.top, trapNoTile.width, trapNoTile.height);
    trap->makeTriangle(0.0f, 0.0f, 0.1f, 0.1f);
    trap->flag = mode;
    return trap;
}

void startGame(int mode) {
    thePlayer.reset();
    thePlayer =
        std::make_unique<Player>(playerStartX, playerStartY, spriteSize, spriteSize, playerTextureUnit,
                                 playerTile.left, playerTile.top, playerTile.width, playerTile.height);
    thePlayer->status = Active;

    theTrap = makeTrap(mode);

    spawnWave();
    gameState = Playing;
    noteSound(Sound::GameStarted);
}

void restartGame(int mode) {
    theTrap.reset(); // its bomb goes with it
    for (auto& undead : undeadList) {
        undead.reset(); // first to last
    }
    undeadList.clear();
    startGame(mode);
}

void spawnWave() {
    for (int i = 0; i < 5; ++i) {
        const TileCorner& look = undeadTileCorners[drawRandom() % 5];
        const float y = 0.6f - static_cast<float>(i) * 0.2f;
        auto undead = std::make_unique<Undead>(0.8f, y, spriteSize, spriteSize, undeadSheetUnit, look.left,
                                               look.top, undeadTileWidth, undeadTileHeight);
        undead->spinMatrix = identity;
        undead->spinAxis = i % 3;
        undeadList.push_back(std::move(undead));
    }
}

void trapFire() {
    if (theTrap->projectile) {
        return;
    }
    theTrap->projectile = makeProjectile(theTrap->position.x, theTrap->position.y + 0.05f, bombTile);
    noteSound(Sound::BombDropped);
}
