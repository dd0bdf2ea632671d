// A long run of frames under a storm of random key events, across many games
// in both modes: after every frame the field must still make sense.
#include "game/game_setup.h"
#include "game/game_state.h"
#include "tests/support/scripted_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

bool finite(const Entity& e) {
    const Mat4 model = e.getModel();
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            if (!std::isfinite(model[c][r])) {
                return false;
            }
        }
    }
    return std::isfinite(e.position.x) && std::isfinite(e.position.y) && e.position.z == 0.5f &&
           e.position.w == 1.0f;
}

// The keys can take the Player one step past 0.7 before wrapping it, and the
// Trap one step past 1.1; the self-steering Trap never goes further than the
// Undead it chases, who wrap at 1.1.
constexpr float playerBound = 0.73f + 1e-5f;
constexpr float trapBound = 1.13f + 1e-5f;

struct Tally {
    int won = 0, lost = 0, restarted = 0, gamesInMode[2] = {0, 0};
};

void checkInvariants() {
    ASSERT_TRUE(gameState == TitleScreen || gameState == Playing);
    if (gameState == TitleScreen) {
        ASSERT_EQ(thePlayer, nullptr);
        return;
    }
    ASSERT_NE(thePlayer, nullptr);
    ASSERT_NE(theTrap, nullptr);
    ASSERT_TRUE(thePlayer->status == Active || thePlayer->status == Finished);
    ASSERT_TRUE(theTrap->flag == KeyTrapMode || theTrap->flag == SelfTrapMode);
    ASSERT_LE(undeadList.size(), 5u);
    ASSERT_TRUE(finite(*thePlayer) && finite(*theTrap));
    ASSERT_LE(std::fabs(thePlayer->position.y), playerBound);
    ASSERT_EQ(thePlayer->position.x, -0.9f);
    ASSERT_LE(std::fabs(theTrap->position.x), trapBound);
    ASSERT_EQ(theTrap->position.y, 0.68f);
    for (const Projectile* shot : {thePlayer->projectile.get(), theTrap->projectile.get()}) {
        ASSERT_TRUE(!shot || finite(*shot));
    }
    for (const auto& undead : undeadList) {
        ASSERT_NE(undead, nullptr);
        ASSERT_NE(undead->status, Finished) << "a destroyed Undead left in the list";
        ASSERT_TRUE(finite(*undead));
        ASSERT_LE(std::fabs(undead->position.x), 1.2f);
        ASSERT_LE(std::fabs(undead->position.y), 0.75f);
    }
    for (const auto& explosion : explosionList) {
        ASSERT_NE(explosion->status, Finished) << "a played-out Explosion left in the list";
        ASSERT_TRUE(finite(*explosion));
    }
}

} // namespace

TEST(KeyStorm, TwoHundredThousandFramesOfRandomKeysKeepTheFieldSound) {
    ScriptedGame game(31337, 0.0013);
    ASSERT_TRUE(game.ok());
    std::mt19937 random(2718);
    const int keys[] = {GLFW_KEY_Q,     GLFW_KEY_S,    GLFW_KEY_A,     GLFW_KEY_UP, GLFW_KEY_DOWN,
                        GLFW_KEY_SPACE, GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_F,  GLFW_KEY_X};
    const int actions[] = {GLFW_PRESS, GLFW_REPEAT, GLFW_RELEASE};
    const int mods[] = {0, GLFW_MOD_SHIFT, GLFW_MOD_CONTROL, GLFW_MOD_ALT};

    Tally tally;
    const Player* player = nullptr;
    bool counted = false; // this game's end is tallied
    for (int frame = 0; frame < 200000; ++frame) {
        for (int events = static_cast<int>(random() % 5); events > 0; --events) {
            // One draw at a time: argument order is up to the compiler.
            const int key = keys[random() % 10];
            const int action = actions[random() % 3];
            game.key(key, action, mods[random() % 4]);
        }
        // Now and then the storm plays with some sense: it lines up on a
        // walking Undead and fires, so that games are won as well as lost.
        if (gameState == Playing && thePlayer->status == Active && random() % 2 == 0) {
            for (const auto& undead : undeadList) {
                if (undead->status == Active) {
                    const float dy = undead->position.y - thePlayer->position.y;
                    game.tap(std::fabs(dy) <= 0.03f ? GLFW_KEY_SPACE : dy > 0 ? GLFW_KEY_UP : GLFW_KEY_DOWN);
                    break;
                }
            }
        }
        if (quitRequested) {
            quitRequested = false; // the loop would end here; the storm carries on
        }
        if (gameState == Playing && thePlayer.get() != player) {
            tally.restarted += player != nullptr;
            ++tally.gamesInMode[theTrap->flag];
            player = thePlayer.get();
            counted = false;
        }
        game.frame();
        ASSERT_NO_FATAL_FAILURE(checkInvariants()) << "after frame " << frame;
        if (gameState == Playing && !counted && gameIsOver()) {
            counted = true;
            (undeadList.empty() ? tally.won : tally.lost) += 1;
        }
    }
    RecordProperty("won", tally.won);
    RecordProperty("lost", tally.lost);
    RecordProperty("restarted", tally.restarted);
    std::cout << "key storm: " << tally.won << " games won, " << tally.lost << " lost, " << tally.restarted
              << " restarts; " << tally.gamesInMode[0] << " S games, " << tally.gamesInMode[1]
              << " A games\n";
    EXPECT_GT(tally.won, 0);
    EXPECT_GT(tally.lost, 0);
    EXPECT_GT(tally.restarted, 0);
    EXPECT_GT(tally.gamesInMode[0], 0);
    EXPECT_GT(tally.gamesInMode[1], 0);
}
