// Scripted games: the real frame function and key callback, a seeded rand()
// and a clock the script sets.
#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "tests/support/scripted_game.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A stunned Undead neither moves nor draws on rand(), so it stays exactly where it is put.
std::unique_ptr<Undead> heldUndeadAt(float x, float y, double now) {
    auto undead = undeadAt(x, y, Stunned);
    undead->holdTime = now;
    return undead;
}

bool gameIsLost() { return thePlayer->status == Finished; }

} // namespace

TEST(Gameplay, TitleScreenStartsRestartsAndQuits) {
    ScriptedGame game(7);
    ASSERT_TRUE(game.ok());

    // On the title screen only Q, S and A act.
    for (int key : {GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_SPACE, GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_F}) {
        for (int action : {GLFW_PRESS, GLFW_REPEAT, GLFW_RELEASE}) {
            game.key(key, action);
        }
    }
    game.key(GLFW_KEY_S, GLFW_REPEAT);
    game.key(GLFW_KEY_A, GLFW_RELEASE);
    game.frames(3);
    EXPECT_EQ(gameState, TitleScreen);
    EXPECT_EQ(thePlayer, nullptr);
    EXPECT_EQ(theTrap, nullptr);
    EXPECT_TRUE(undeadList.empty());
    EXPECT_EQ(randCalls, 0);

    // Shift+A starts a game whose Trap steers itself.
    game.key(GLFW_KEY_A, GLFW_PRESS, GLFW_MOD_SHIFT);
    ASSERT_EQ(gameState, Playing);
    EXPECT_EQ(randCalls, 5) << "one rand() per Undead of the wave";
    EXPECT_EQ(theTrap->flag, SelfTrapMode);
    EXPECT_EQ(thePlayer->position, (Vec4{-0.9f, 0.0f, 0.5f, 1}));
    EXPECT_EQ(theTrap->position, (Vec4{0.0f, 0.68f, 0.5f, 1}));
    ASSERT_EQ(undeadList.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        const Undead& undead = *undeadList[static_cast<size_t>(i)];
        EXPECT_EQ(undead.position, (Vec4{0.8f, 0.6f - static_cast<float>(i) * 0.2f, 0.5f, 1})) << i;
        EXPECT_EQ(undead.spinAxis, i % 3);
        EXPECT_EQ(undead.status, Active);
    }

    // S or A while the game runs changes nothing.
    const Player* player = thePlayer.get();
    const Undead* first = undeadList[0].get();
    game.tap(GLFW_KEY_S);
    game.tap(GLFW_KEY_A);
    EXPECT_EQ(thePlayer.get(), player);
    EXPECT_EQ(undeadList[0].get(), first);
    EXPECT_EQ(theTrap->flag, SelfTrapMode);

    // Left alone, the Undead catch the Player: the game is lost.
    for (int i = 0; i < 2000 && !gameIsLost(); ++i) {
        game.frame();
    }
    ASSERT_TRUE(gameIsLost());
    ASSERT_EQ(explosionList.size(), 1u);
    // A caught Player answers no keys, but the field plays on.
    Vec4 caughtAt = thePlayer->position;
    game.tap(GLFW_KEY_UP);
    game.tap(GLFW_KEY_SPACE);
    EXPECT_EQ(thePlayer->position, caughtAt);
    EXPECT_EQ(thePlayer->projectile, nullptr);

    // S restarts in the other mode; the Explosion plays on into the new game.
    game.tap(GLFW_KEY_S);
    EXPECT_NE(thePlayer->status, Finished);
    EXPECT_EQ(theTrap->flag, KeyTrapMode);
    EXPECT_EQ(undeadList.size(), 5u);
    EXPECT_EQ(explosionList.size(), 1u);
    EXPECT_EQ(thePlayer->position, (Vec4{-0.9f, 0.0f, 0.5f, 1}));

    // Won: once the last Undead is destroyed and removed, A restarts in mode 1.
    for (auto& undead : undeadList) {
        undead->status = Finished;
    }
    game.frame();
    EXPECT_TRUE(undeadList.empty());
    game.tap(GLFW_KEY_RIGHT); // after a win the S-mode Trap still answers keys
    EXPECT_EQ(theTrap->position.x, 0.03f);
    game.tap(GLFW_KEY_A);
    EXPECT_EQ(theTrap->flag, SelfTrapMode);
    EXPECT_EQ(theTrap->position.x, 0.0f);
    EXPECT_EQ(undeadList.size(), 5u);
    EXPECT_FALSE(quitRequested);
}

TEST(Gameplay, QuitsFromEveryState) {
    ScriptedGame game(3);
    ASSERT_TRUE(game.ok());
    auto quitHere = [&](const char* state) {
        quitRequested = false;
        game.key(GLFW_KEY_Q, GLFW_REPEAT);
        game.key(GLFW_KEY_Q, GLFW_RELEASE);
        EXPECT_FALSE(shouldQuit()) << state << ": only a press quits";
        game.key(GLFW_KEY_Q, GLFW_PRESS, GLFW_MOD_CONTROL);
        EXPECT_TRUE(shouldQuit()) << state;
    };
    quitHere("title screen");
    game.tap(GLFW_KEY_S);
    quitHere("running");
    thePlayer->status = Finished;
    quitHere("lost");
    game.tap(GLFW_KEY_A);
    undeadList.clear();
    quitHere("won");
}

TEST(Gameplay, ThePlayerAndTheTrapWrapRoundTheField) {
    ScriptedGame game(5);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_S);

    for (int i = 0; i < 24; ++i) {
        EXPECT_LE(thePlayer->position.y, 0.7f);
        game.key(GLFW_KEY_UP, i == 0 ? GLFW_PRESS : GLFW_REPEAT); // a held key's repeats each step
    }
    EXPECT_NEAR(thePlayer->position.y, 0.72f, 1e-6f);
    game.key(GLFW_KEY_UP, GLFW_RELEASE); // a release does nothing
    EXPECT_NEAR(thePlayer->position.y, 0.72f, 1e-6f);
    game.tap(GLFW_KEY_UP); // the wrap replaces the step
    EXPECT_NEAR(thePlayer->position.y, -0.68f, 1e-6f);

    // Down from the start: 24 steps to about -0.72, then over to about 0.68.
    game.tap(GLFW_KEY_S);
    thePlayer->status = Finished; // restart: a game must be over for S to act
    game.tap(GLFW_KEY_S);
    for (int i = 0; i < 24; ++i) {
        game.tap(GLFW_KEY_DOWN);
    }
    EXPECT_NEAR(thePlayer->position.y, -0.72f, 1e-6f);
    game.tap(GLFW_KEY_DOWN);
    EXPECT_NEAR(thePlayer->position.y, 0.68f, 1e-6f);

    // The Trap: 37 steps right to about 1.11, the 38th over to about -1.09.
    for (int i = 0; i < 37; ++i) {
        EXPECT_LE(theTrap->position.x, 1.1f) << "wrapped early, at step " << i;
        game.key(GLFW_KEY_RIGHT, i == 0 ? GLFW_PRESS : GLFW_REPEAT);
    }
    EXPECT_NEAR(theTrap->position.x, 1.11f, 1e-6f);
    game.tap(GLFW_KEY_RIGHT);
    EXPECT_NEAR(theTrap->position.x, -1.09f, 1e-6f);
    game.tap(GLFW_KEY_LEFT);
    EXPECT_NEAR(theTrap->position.x, -1.12f, 1e-6f);
    game.tap(GLFW_KEY_LEFT);
    EXPECT_NEAR(theTrap->position.x, 1.08f, 1e-6f);
    EXPECT_EQ(thePlayer->position.x, -0.9f) << "keys move the Player only up and down";
    EXPECT_EQ(theTrap->position.y, 0.68f) << "and the Trap only sideways";
}

TEST(Gameplay, FiringIsOneShotAtATime) {
    ScriptedGame game(11);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_S);
    game.tap(GLFW_KEY_UP);
    game.key(GLFW_KEY_SPACE, GLFW_PRESS);
    ASSERT_NE(thePlayer->projectile, nullptr);
    const Projectile* shot = thePlayer->projectile.get();
    EXPECT_EQ(shot->position, (Vec4{-0.9f + 0.05f, 0.03f, 0.5f, 1}));
    game.key(GLFW_KEY_SPACE, GLFW_REPEAT);
    game.key(GLFW_KEY_SPACE, GLFW_RELEASE);
    game.tap(GLFW_KEY_SPACE); // lost, not remembered
    EXPECT_EQ(thePlayer->projectile.get(), shot);

    // The bomb: F drops it 0.05 above the Trap; a second F while it falls does nothing.
    game.tap(GLFW_KEY_RIGHT);
    game.tap(GLFW_KEY_F);
    ASSERT_NE(theTrap->projectile, nullptr);
    const Projectile* bomb = theTrap->projectile.get();
    EXPECT_EQ(bomb->position, (Vec4{0.03f, 0.68f + 0.05f, 0.5f, 1}));
    game.tap(GLFW_KEY_F);
    EXPECT_EQ(theTrap->projectile.get(), bomb);

    // Both end at the field's edges; then the next may go.
    for (int i = 0; i < 60; ++i) {
        game.frame();
        game.key(GLFW_KEY_SPACE, GLFW_REPEAT);
    }
    EXPECT_EQ(theTrap->projectile, nullptr);
    ASSERT_EQ(thePlayer->status, Active);
    EXPECT_EQ(thePlayer->projectile, nullptr) << "repeats never fire";
    game.tap(GLFW_KEY_SPACE);
    EXPECT_NE(thePlayer->projectile, nullptr);

    // In an A game the Trap's keys do nothing.
    thePlayer->status = Finished;
    game.tap(GLFW_KEY_A);
    for (int key : {GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_F}) {
        game.tap(key);
    }
    EXPECT_EQ(theTrap->position.x, 0.0f);
    EXPECT_EQ(theTrap->projectile, nullptr);
}

TEST(Gameplay, ShotsStunAndStunsWearOff) {
    ScriptedGame game(13, 0.001);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_S);
    undeadList.clear();
    // Two Undead within reach of where the shot will be: the first in the list is stunned.
    undeadList.push_back(undeadAt(0.12f, 0.04f));
    undeadList.push_back(undeadAt(0.12f, -0.04f));
    thePlayer->projectile = makeProjectile(0.0f, 0.0f, bombTile);
    game.frame();
    EXPECT_EQ(thePlayer->projectile, nullptr);
    EXPECT_EQ(undeadList[0]->status, Stunned);
    EXPECT_EQ(undeadList[1]->status, Active);
    const double firstStun = undeadList[0]->holdTime;
    EXPECT_NEAR(firstStun, game.clock(), 1e-3);

    // A stunned Undead spins 0.1 rad an update and stays put.
    const Vec4 heldAt = undeadList[0]->position;
    game.frames(5);
    EXPECT_EQ(undeadList[0]->position, heldAt);
    EXPECT_NEAR(undeadList[0]->spinAngle, 0.5f, 1e-5f);
    EXPECT_NE(undeadList[0]->getModel(), undeadList[0]->model);

    // Shot again: the hold restarts from now, the spin carries on.
    thePlayer->projectile =
        makeProjectile(undeadList[0]->position.x - 0.06f, undeadList[0]->position.y, bombTile);
    game.setClock(2.0);
    game.frame();
    const double secondStun = undeadList[0]->holdTime;
    EXPECT_NEAR(secondStun, 2.001, 1e-3);
    EXPECT_GT(secondStun, firstStun);
    EXPECT_NEAR(undeadList[0]->spinAngle, 0.6f, 1e-5f);

    // Recovery needs more than 3.5 s since the hold.
    game.setClock(secondStun + 3.5 - 0.002);
    game.frame(); // the clock now reads just under 3.5 s after the hold
    EXPECT_EQ(undeadList[0]->status, Stunned);
    game.setClock(secondStun + 3.5);
    game.frame();
    EXPECT_EQ(undeadList[0]->status, Active);
    EXPECT_EQ(undeadList[0]->spinAngle, 0.0f);
    EXPECT_EQ(undeadList[0]->spinMatrix, identity);
    EXPECT_EQ(undeadList[0]->getModel(), undeadList[0]->model) << "drawn upright in the same frame";
}

TEST(Gameplay, HitsAtExactlyTheHitDistanceAndLimitsAtExactlyTheEdge) {
    ScriptedGame game(17, 0.001);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_S);
    ASSERT_EQ(std::sqrt(0.1f * 0.1f), 0.1f);

    // The shot moves, then is tested: it will stand exactly 0.1 below this Undead.
    undeadList.clear();
    const float shotX = 0.34f + 0.06f;
    undeadList.push_back(heldUndeadAt(shotX, 0.0f, 0.0));
    thePlayer->projectile = makeProjectile(0.34f, 0.1f, bombTile);
    game.frame();
    EXPECT_EQ(thePlayer->projectile, nullptr) << "a distance of exactly 0.1 is a hit";

    // Just beyond 0.1 is a miss.
    thePlayer->projectile = makeProjectile(0.34f, std::nextafter(0.1f, 1.0f), bombTile);
    game.frame();
    EXPECT_NE(thePlayer->projectile, nullptr);

    // A shot at exactly x = 1.1 survives the update; past it, it is gone.
    undeadList.clear();
    thePlayer->projectile = makeProjectile(1.1f - 0.06f, 0.5f, bombTile);
    ASSERT_EQ(1.1f - 0.06f + 0.06f, 1.1f);
    game.frame();
    ASSERT_NE(thePlayer->projectile, nullptr);
    EXPECT_EQ(thePlayer->projectile->position.x, 1.1f);
    game.frame();
    EXPECT_EQ(thePlayer->projectile, nullptr);

    // The bomb is tested, then falls: at exactly y = -0.7 it survives.
    theTrap->projectile = makeProjectile(0.5f, -0.64f, bombTile);
    ASSERT_EQ(-0.64f + -0.06f, -0.7f);
    game.frame();
    ASSERT_NE(theTrap->projectile, nullptr);
    EXPECT_EQ(theTrap->projectile->position.y, -0.7f);
    game.frame();
    EXPECT_EQ(theTrap->projectile, nullptr);

    // An Undead exactly 0.1 from the Player catches it.
    undeadList.push_back(heldUndeadAt(-0.9f, 0.1f, game.clock()));
    game.frame();
    EXPECT_TRUE(gameIsLost());
}

TEST(Gameplay, BombsDestroyUndeadAndCatchThePlayer) {
    ScriptedGame game(19, 0.001);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_S);
    undeadList.clear();
    undeadList.push_back(undeadAt(0.6f, -0.5f));
    undeadList.push_back(heldUndeadAt(0.5f, 0.1f, 0.0));
    undeadList.push_back(undeadAt(0.6f, 0.5f));
    const Undead* survivor = undeadList[2].get();
    theTrap->projectile = makeProjectile(0.5f, 0.2f, bombTile); // exactly 0.1 above the stunned one
    game.frame();
    EXPECT_EQ(theTrap->projectile, nullptr);
    ASSERT_EQ(explosionList.size(), 1u);
    EXPECT_EQ(explosionList[0]->position, (Vec4{0.5f, 0.1f, 0.5f, 1}));
    ASSERT_EQ(undeadList.size(), 2u) << "gone from the list in the same frame";
    EXPECT_EQ(undeadList[1].get(), survivor) << "the others keep their order";

    // A bomb that reaches the Player catches it, and is used up.
    theTrap->projectile = makeProjectile(-0.9f, 0.1f, bombTile);
    game.frame();
    EXPECT_TRUE(gameIsLost());
    EXPECT_EQ(theTrap->projectile, nullptr);
    EXPECT_EQ(explosionList.size(), 2u);
    EXPECT_EQ(explosionList[1]->position, (Vec4{-0.9f, 0.0f, 0.5f, 1}));

    // Two Undead reaching the Player in one update: one Explosion.
    game.tap(GLFW_KEY_S);
    explosionList.clear();
    undeadList.clear();
    undeadList.push_back(heldUndeadAt(-0.9f, 0.05f, game.clock()));
    undeadList.push_back(heldUndeadAt(-0.9f, -0.05f, game.clock()));
    game.frame();
    EXPECT_TRUE(gameIsLost());
    EXPECT_EQ(explosionList.size(), 1u);

    // The Explosion plays eleven tiles, 0.1 s each, and is then removed.
    game.setClock(10.0);
    for (int i = 0; i < 10; ++i) {
        game.setClock(game.clock() + 0.11);
        game.frame();
    }
    EXPECT_EQ(explosionList.size(), 1u);
    game.setClock(game.clock() + 0.11);
    game.frame();
    EXPECT_TRUE(explosionList.empty());
}

TEST(Gameplay, TheSelfSteeringTrapHuntsStunnedUndead) {
    ScriptedGame game(23, 0.001);
    ASSERT_TRUE(game.ok());
    game.tap(GLFW_KEY_A);
    undeadList.clear();
    undeadList.push_back(undeadAt(-0.2f, 0.6f)); // active: ignored by the Trap
    game.frames(20);
    EXPECT_EQ(trapAutoCounter, 0) << "no stunned Undead, no count";
    EXPECT_EQ(theTrap->position.x, 0.0f);

    // A stunned Undead at x 0.2: the Trap steps 0.03 on every 7th update.
    undeadList.push_back(heldUndeadAt(0.2f, -0.3f, game.clock()));
    float x = 0.0f;
    for (int step = 1; step <= 6; ++step) {
        game.frames(6);
        EXPECT_EQ(theTrap->position.x, x);
        game.frame();
        x += 0.03f;
        EXPECT_EQ(theTrap->position.x, x) << "step " << step;
        EXPECT_EQ(trapAutoCounter, 0);
    }
    // Within 0.03 in x: the next 7th update drops the bomb instead of stepping.
    game.frames(6);
    EXPECT_EQ(theTrap->projectile, nullptr);
    game.frame();
    ASSERT_NE(theTrap->projectile, nullptr);
    EXPECT_EQ(theTrap->position.x, x);
    // Dropped and tested in the same update, it has already fallen one step.
    EXPECT_NEAR(theTrap->projectile->position.y, 0.68f + 0.05f - 0.06f, 1e-6f);
    for (int i = 0; i < 20 && undeadList.size() == 2; ++i) {
        game.frame();
    }
    EXPECT_EQ(undeadList.size(), 1u) << "the bomb destroyed the stunned Undead";

    // The count carries over into the next game.
    trapAutoCounter = 0;
    undeadList.push_back(heldUndeadAt(0.5f, -0.3f, game.clock()));
    game.frames(4);
    EXPECT_EQ(trapAutoCounter, 4);
    thePlayer->status = Finished;
    game.tap(GLFW_KEY_A);
    EXPECT_EQ(trapAutoCounter, 4);
    undeadList.push_back(heldUndeadAt(0.5f, 0.3f, game.clock()));
    game.frames(2);
    EXPECT_EQ(theTrap->position.x, 0.0f);
    game.frame(); // the 3rd counted update of this game is the 7th of the count
    EXPECT_EQ(theTrap->position.x, 0.03f);
}
