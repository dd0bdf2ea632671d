// Whole games from the first key to the restart, played by a script. A seeded
// game replays identically, because every rand() call is where the rules put it.
#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "tests/support/scripted_game.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

float distanceToPlayer(const Undead& undead) {
    const float dx = thePlayer->position.x - undead.position.x,
                dy = thePlayer->position.y - undead.position.y;
    return std::sqrt(dx * dx + dy * dy);
}

// rand() calls the coming update will make, where that can be told without
// playing it: one per active Undead when none is anywhere near the Player
// or an edge. Otherwise -1: between one and two per active Undead.
int expectedRandCalls() {
    int active = 0;
    for (const auto& undead : undeadList) {
        if (undead->status == Stunned) {
            continue; // may recover this update; then it counts as active
        }
        if (distanceToPlayer(*undead) < 0.6f || undead->position.x < -1.05f ||
            std::fabs(undead->position.y) > 0.66f) {
            return -1;
        }
        ++active;
    }
    for (const auto& undead : undeadList) {
        if (undead->status == Stunned) {
            return -1;
        }
    }
    return active;
}

int activeUndead() {
    int active = 0;
    for (const auto& undead : undeadList) {
        active += undead->status != Finished;
    }
    return active;
}

// One frame, checking the rand() calls it made against the rules.
void frameCountingRand(ScriptedGame& game) {
    const int expected = expectedRandCalls();
    const int atMost = 2 * activeUndead();
    const long before = randCalls;
    game.frame();
    const long made = randCalls - before;
    if (expected >= 0) {
        ASSERT_EQ(made, expected);
    } else {
        ASSERT_LE(made, atMost);
    }
}

// Everything a player could see, to compare two plays of one script.
std::vector<float> snapshot() {
    std::vector<float> state = {thePlayer->position.x, thePlayer->position.y,
                                static_cast<float>(thePlayer->status), theTrap->position.x,
                                static_cast<float>(explosionList.size())};
    for (const auto& undead : undeadList) {
        state.insert(state.end(), {undead->position.x, undead->position.y, static_cast<float>(undead->status),
                                   undead->spinAngle, static_cast<float>(undead->flag)});
    }
    return state;
}

// Left alone, an S game is lost; then A starts the next.
std::vector<std::vector<float>> playALostGame(unsigned seed, int& framesPlayed) {
    ScriptedGame game(seed);
    EXPECT_TRUE(game.ok());
    std::vector<std::vector<float>> trace;
    game.frames(10); // the title screen draws on no rand()
    EXPECT_EQ(randCalls, 0);
    game.tap(GLFW_KEY_S);
    EXPECT_EQ(randCalls, 5);
    framesPlayed = 0;
    while (thePlayer->status == Active && framesPlayed < 3000) {
        frameCountingRand(game);
        trace.push_back(snapshot());
        ++framesPlayed;
    }
    EXPECT_EQ(thePlayer->status, Finished);
    EXPECT_FALSE(undeadList.empty());
    EXPECT_EQ(explosionList.size(), 1u);

    // The field plays on without the Player: no Undead senses it any more.
    game.frames(5);
    for (const auto& undead : undeadList) {
        EXPECT_EQ(undead->flag, 0);
    }
    game.tap(GLFW_KEY_A);
    EXPECT_EQ(theTrap->flag, SelfTrapMode);
    EXPECT_EQ(thePlayer->status, Active);
    EXPECT_EQ(undeadList.size(), 5u);
    trace.push_back(snapshot());
    return trace;
}

// An A game won by a script that stuns whatever walks, while the Trap bombs
// what is stunned. Stuns last 3.5 s on the script's clock of 1.3 ms a frame.
std::vector<std::vector<float>> playAWonGame(unsigned seed, int& framesPlayed, int& bombsSeen) {
    ScriptedGame game(seed, 0.0013);
    EXPECT_TRUE(game.ok());
    std::vector<std::vector<float>> trace;
    game.tap(GLFW_KEY_A);
    framesPlayed = 0;
    bombsSeen = 0;
    bool bombFalling = false;
    while (!undeadList.empty() && thePlayer->status == Active && framesPlayed < 20000) {
        // Aim at the first Undead still walking: line up, then fire.
        const Undead* target = nullptr;
        for (const auto& undead : undeadList) {
            if (undead->status == Active) {
                target = undead.get();
                break;
            }
        }
        if (target && !thePlayer->projectile) {
            const float dy = target->position.y - thePlayer->position.y;
            if (std::fabs(dy) <= 0.03f) {
                game.tap(GLFW_KEY_SPACE);
            } else {
                const int key = dy > 0 ? GLFW_KEY_UP : GLFW_KEY_DOWN;
                game.key(key, GLFW_PRESS);
                game.key(key, GLFW_REPEAT);
                game.key(key, GLFW_RELEASE);
            }
        }
        frameCountingRand(game);
        if (theTrap->projectile && !bombFalling) {
            ++bombsSeen;
        }
        bombFalling = theTrap->projectile != nullptr;
        trace.push_back(snapshot());
        ++framesPlayed;
    }
    EXPECT_TRUE(undeadList.empty()) << "the game was not won";
    EXPECT_EQ(thePlayer->status, Active);
    EXPECT_GE(explosionList.size(), 1u);

    // Won: the Player still moves; S starts the next game, now steered by keys.
    const float y = thePlayer->position.y;
    game.tap(GLFW_KEY_UP);
    EXPECT_NE(thePlayer->position.y, y);
    game.tap(GLFW_KEY_S);
    EXPECT_EQ(theTrap->flag, KeyTrapMode);
    EXPECT_EQ(undeadList.size(), 5u);
    trace.push_back(snapshot());
    return trace;
}

} // namespace

TEST(WholeGame, ALostGameReplaysIdenticallyFromItsSeed) {
    int frames = 0, framesAgain = 0;
    const auto first = playALostGame(2026, frames);
    const long calls = randCalls;
    const auto second = playALostGame(2026, framesAgain);
    EXPECT_EQ(frames, framesAgain);
    EXPECT_EQ(randCalls, calls);
    EXPECT_TRUE(first == second) << "the same seed and keys must give the same game";
    // The wave marches about 1.7 units at 0.01 an update before it reaches the Player.
    EXPECT_GT(frames, 100);
    EXPECT_LT(frames, 400);

    int otherFrames = 0;
    EXPECT_FALSE(playALostGame(99, otherFrames) == first) << "another seed, another game";
}

TEST(WholeGame, AnAGameIsWonByStunningWhileTheTrapBombs) {
    int frames = 0, bombs = 0, framesAgain = 0, bombsAgain = 0;
    const auto first = playAWonGame(4242, frames, bombs);
    const auto second = playAWonGame(4242, framesAgain, bombsAgain);
    EXPECT_GE(bombs, 5) << "at least one bomb per Undead";
    EXPECT_EQ(frames, framesAgain);
    EXPECT_TRUE(first == second);
}
