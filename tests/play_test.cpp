// The play field, update by update: a clock and random draws set by the test,
// so that every threshold is hit exactly and checked from both sides.
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/play_field.h"
#include "tests/support/game_test.h"

#include <cmath>

namespace {

using PlayField = GameTest;

TEST_F(PlayField, EveryHitCountsUpToExactlyTheHitDistance) {
    for (const float gap : {0.1f, std::nextafter(0.1f, 1.0f)}) {
        SCOPED_TRACE(gap);
        const bool hit = gap == 0.1f;
        play(KeyTrapMode); // an Undead, even a stunned one, reaches the Player
        addUndead(-0.9f, gap, Stunned);
        updatePlayField();
        EXPECT_EQ(thePlayer->status, hit ? Finished : Active);
        EXPECT_EQ(explosionList.size(), hit ? 1u : 0u);

        play(KeyTrapMode); // the shot moves 0.06, then is tested
        testClock = 2.0;
        addUndead(0.3f + 0.06f, gap, Stunned).holdTime = 1.0;
        thePlayer->projectile = makeProjectile(0.3f, 0.0f, shotTile);
        updatePlayField();
        EXPECT_EQ(thePlayer->projectile == nullptr, hit);
        EXPECT_EQ(undeadList[0]->holdTime, hit ? 2.0 : 1.0);

        play(KeyTrapMode); // the bomb is tested where it stands, then falls
        addUndead(0.5f, 0.0f, Stunned);
        theTrap->projectile = makeProjectile(0.5f, gap, bombTile);
        updatePlayField();
        EXPECT_EQ(undeadList[0]->status, hit ? Finished : Stunned);

        play(KeyTrapMode); // the bomb catches the Player
        theTrap->projectile = makeProjectile(-0.9f, gap, bombTile);
        updatePlayField();
        EXPECT_EQ(thePlayer->status, hit ? Finished : Active);
        EXPECT_EQ(theTrap->projectile == nullptr, hit);
    }
}

TEST_F(PlayField, ShotsAndBombsEndJustPastTheirLimits) {
    const float shotAt = 1.1f - 0.06f, shotPast = std::nextafter(1.1f, 2.0f) - 0.06f;
    const float bombAt = -0.64f, bombPast = std::nextafter(-0.64f, -1.0f);
    ASSERT_EQ(shotAt + 0.06f, 1.1f);
    ASSERT_EQ(bombAt - 0.06f, -0.7f);
    ASSERT_EQ(shotPast + 0.06f, std::nextafter(1.1f, 2.0f));
    ASSERT_EQ(bombPast - 0.06f, std::nextafter(-0.7f, -1.0f));
    for (bool past : {false, true}) {
        play(KeyTrapMode);
        thePlayer->projectile = makeProjectile(past ? shotPast : shotAt, 0.5f, shotTile);
        theTrap->projectile = makeProjectile(0.5f, past ? bombPast : bombAt, bombTile);
        updatePlayField();
        EXPECT_EQ(thePlayer->projectile == nullptr, past);
        EXPECT_EQ(theTrap->projectile == nullptr, past);
    }
}

TEST_F(PlayField, ShotAndBombHitTheFirstUndeadInReachThatIsNotDestroyed) {
    play(KeyTrapMode);
    testClock = 3.0;
    addUndead(0.36f, 0.02f, Finished);
    Undead& stunned = addUndead(0.36f, -0.02f, Stunned);
    stunned.holdTime = 1.0;
    stunned.spinAngle = 0.7f;
    addUndead(0.36f, 0.0f);
    thePlayer->projectile = makeProjectile(0.3f, 0.0f, shotTile);
    updatePlayField();
    EXPECT_EQ(thePlayer->projectile, nullptr);
    EXPECT_EQ(stunned.holdTime, 3.0) << "stunned afresh from now";
    EXPECT_FLOAT_EQ(stunned.spinAngle, 0.8f) << "its spin goes on";
    EXPECT_EQ(undeadList[0]->status, Finished);
    EXPECT_EQ(undeadList[2]->status, Active);

    explosionList.push_back(std::make_unique<Explosion>(-0.5f, -0.5f, 0.0));
    theTrap->projectile = makeProjectile(0.36f, 0.0f, bombTile);
    updatePlayField();
    EXPECT_EQ(theTrap->projectile, nullptr);
    EXPECT_EQ(stunned.status, Finished) << "a stunned Undead is destroyed like any";
    EXPECT_EQ(undeadList[2]->status, Active);
    ASSERT_EQ(explosionList.size(), 2u) << "appended at the end";
    EXPECT_EQ(explosionList[1]->position, stunned.position);
    EXPECT_EQ(explosionList[1]->frameTimer, 3.0);

    // Having hit an Undead, the bomb is not also tested against the Player.
    play(KeyTrapMode);
    addUndead(-0.9f, 0.15f, Stunned);
    theTrap->projectile = makeProjectile(-0.9f, 0.06f, bombTile);
    updatePlayField();
    EXPECT_EQ(undeadList[0]->status, Finished);
    EXPECT_EQ(thePlayer->status, Active);
}

TEST_F(PlayField, ACaughtPlayerFreezesItsShotAndTheTrapButTheBombFallsOn) {
    play(SelfTrapMode);
    testClock = 5.0;
    addUndead(-0.9f, 0.08f, Stunned);
    addUndead(-0.9f, -0.08f, Stunned); // two reach the Player: one Explosion
    addUndead(0.3f, -0.4f, Stunned);   // one for the self-steering Trap to chase
    addUndead(0.6f, 0.0f, Stunned);
    thePlayer->projectile = makeProjectile(0.0f, 0.3f, shotTile);
    theTrap->projectile = makeProjectile(0.6f, 0.15f, bombTile);
    trapAutoCounter = 3;
    updatePlayField();
    EXPECT_EQ(thePlayer->status, Finished);
    ASSERT_EQ(explosionList.size(), 1u);
    EXPECT_EQ(explosionList[0]->position, thePlayer->position);
    EXPECT_EQ(explosionList[0]->frameTimer, 5.0);
    EXPECT_EQ(thePlayer->projectile->position.x, 0.0f) << "the shot stops in the update that catches";
    EXPECT_EQ(trapAutoCounter, 3) << "and the Trap stops steering";
    EXPECT_EQ(theTrap->projectile->position.y, 0.15f - 0.06f);
    updatePlayField();
    EXPECT_EQ(undeadList[3]->status, Finished) << "the falling bomb still destroys";
    EXPECT_EQ(explosionList.size(), 2u);
    theTrap->projectile = makeProjectile(-0.81f, 0.0f, bombTile);
    updatePlayField();
    EXPECT_NE(theTrap->projectile, nullptr) << "a caught Player is no target";
}

TEST_F(PlayField, TheSelfSteeringTrapActsOnEverySeventhUpdateWithAStunnedUndead) {
    struct Row {
        const char* what;
        float trapX;
        std::vector<std::pair<float, int>> undead; // x, status
        float step;                                // how the Trap moves; 0: it drops its bomb
    };
    const float pastWindow = -1e-8f; // a hair left of x 0
    ASSERT_GT(0.03f - pastWindow, 0.03f);
    const Row rows[] = {
        {"nearest to the right", 0.0f, {{0.6f, Stunned}, {0.3f, Stunned}}, +0.03f},
        {"nearest to the left", 0.0f, {{-0.6f, Stunned}, {-0.3f, Stunned}}, -0.03f},
        {"a tie: the first wins, left", 0.0f, {{-0.3f, Stunned}, {0.3f, Stunned}}, -0.03f},
        {"a tie: the first wins, right", 0.0f, {{0.3f, Stunned}, {-0.3f, Stunned}}, +0.03f},
        {"active ones are not chased", 0.0f, {{-0.1f, Active}, {0.5f, Stunned}}, +0.03f},
        {"across the whole field", -1.0f, {{1.05f, Stunned}}, +0.03f},
        {"exactly 0.03 away: drop", 0.03f, {{0.0f, Stunned}}, 0.0f},
        {"just past 0.03: step", 0.03f, {{pastWindow, Stunned}}, -0.03f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        play(SelfTrapMode);
        theTrap->moveBy(row.trapX, 0.0f);
        for (auto [x, status] : row.undead) {
            addUndead(x, -0.3f, status);
        }
        for (int update = 1; update <= 6; ++update) {
            updatePlayField();
            ASSERT_EQ(trapAutoCounter, update);
        }
        EXPECT_EQ(theTrap->position.x, row.trapX);
        EXPECT_EQ(theTrap->projectile, nullptr);
        updatePlayField();
        EXPECT_EQ(trapAutoCounter, 0);
        EXPECT_EQ(theTrap->position.x, row.trapX + row.step);
        // Dropped 0.05 above the Trap, tested there, and fallen once already.
        EXPECT_EQ(theTrap->projectile ? theTrap->projectile->position.y : 0.0f,
                  row.step == 0.0f ? (0.68f + 0.05f) - 0.06f : 0.0f);
    }

    // Updates without a stunned Undead are not counted; the count outlives the game.
    play(SelfTrapMode);
    addUndead(0.2f, -0.3f);
    for (int i = 0; i < 20; ++i) {
        updatePlayField();
    }
    EXPECT_EQ(trapAutoCounter, 0);
    addUndead(0.5f, 0.3f, Stunned);
    updatePlayField();
    updatePlayField();
    thePlayer->status = Finished;
    restartGame(SelfTrapMode);
    EXPECT_EQ(trapAutoCounter, 2);
}

// The Undead's own steps, the first part of every update.
using UndeadSteps = GameTest;

TEST_F(UndeadSteps, AStunWearsOffOnlyOnceMoreThanThreeAndAHalfSecondsHavePassed) {
    play(KeyTrapMode);
    Undead& undead = addUndead(0.5f, 0.3f, Stunned);
    undead.holdTime = 10.0;
    testClock = 13.5;
    updatePlayField();
    EXPECT_EQ(undead.status, Stunned);
    testClock = std::nextafter(13.5, 14.0);
    scriptRandom({1});
    updatePlayField();
    EXPECT_EQ(undead.status, Active);
    EXPECT_EQ(undead.getModel(), undead.model) << "upright in the same frame";
    EXPECT_EQ(undead.spinAngle, 0.0f);
    EXPECT_EQ(undead.holdTime, 10.0);
    // and walking in the same update: one jitter (odd: down) and the march
    EXPECT_EQ(undead.position, (Vec4{0.5f - 0.01f, 0.3f - 0.005f, 0.5f, 1}));
}

TEST_F(UndeadSteps, UndeadWrapJustPastTheEdgesBeforeTheyMove) {
    struct Row {
        float x, y, dx, dy;
    };
    const Row rows[] = {
        {-1.1f, 0.0f, 0, 0},        {std::nextafter(-1.1f, -2.0f), 0.0f, 2.2f, 0},
        {0.0f, 0.7f, 0, 0},         {0.0f, std::nextafter(0.7f, 1.0f), 0, -1.4f},
        {0.0f, -0.7f, 0, 0},        {0.0f, std::nextafter(-0.7f, -1.0f), 0, 1.4f},
        {-1.3f, 0.8f, 2.2f, -1.4f},
    };
    for (const Row& row : rows) {
        play(KeyTrapMode);
        thePlayer->moveBy(0.0f, -0.6f); // out of every Undead's sight
        const Undead& undead = addUndead(row.x, row.y, Stunned);
        updatePlayField();
        EXPECT_EQ(undead.position, (Vec4{row.x + row.dx, row.y + row.dy, 0.5f, 1})) << row.x << ", " << row.y;
    }
    // Wrapped before the march: one at the edge walks past it, is drawn there
    // once, and comes back at the right in the next update.
    play(KeyTrapMode);
    thePlayer->moveBy(0.0f, -0.6f);
    const Undead& walker = addUndead(-1.1f, 0.0f);
    updatePlayField();
    EXPECT_EQ(walker.position.x, -1.1f - 0.01f);
    updatePlayField();
    EXPECT_EQ(walker.position.x, ((-1.1f - 0.01f) + 2.2f) - 0.01f);
}

TEST_F(UndeadSteps, AnUndeadSensesThePlayerOnlyWithinHalfAUnitAndBeforeItMarches) {
    // Stunned, it shows closing in by its spin: 0.1 a move, two moves when near.
    for (auto [y, near] : {std::pair{0.5f, false},
                           {std::nextafter(0.5f, 0.0f), true},
                           {-0.5f, false},
                           {std::nextafter(-0.5f, 0.0f), true}}) {
        play(KeyTrapMode);
        Undead& undead = addUndead(-0.9f, y, Stunned);
        undead.flag = 1;
        updatePlayField();
        EXPECT_EQ(undead.flag, near ? 1 : 0) << y;
        EXPECT_FLOAT_EQ(undead.spinAngle, near ? 0.2f : 0.1f) << y;
        EXPECT_EQ(randomDraws, 0);
    }
    // Just out of reach, it does not sense the Player in the update whose march brings it within.
    play(KeyTrapMode);
    const Undead& approaching = addUndead(-0.395f, 0.0f);
    updatePlayField();
    EXPECT_EQ(approaching.flag, 0);
    EXPECT_EQ(randomDraws, 1);
    updatePlayField();
    EXPECT_EQ(approaching.flag, 1);
    // A caught Player is sensed by no one.
    play(KeyTrapMode);
    const Undead& beside = addUndead(-0.6f, 0.3f);
    thePlayer->status = Finished;
    updatePlayField();
    EXPECT_EQ(beside.flag, 0);
    EXPECT_EQ(randomDraws, 1);
}

TEST_F(UndeadSteps, AnActiveUndeadJittersClosesInJittersAgainAndMarches) {
    struct Row {
        const char* what;
        float playerY, y;
        std::initializer_list<int> draws;
        int flag, drawsMade;
        float expectedY; // derived by hand, in single precision
    };
    const Row rows[] = {
        {"far: an even draw jitters up", -0.6f, 0.3f, {4}, 0, 1, 0.3f + 0.005f},
        {"far: an odd draw jitters down", -0.6f, 0.3f, {7}, 0, 1, 0.3f - 0.005f},
        {"level with the Player: no closing step", 0.3f, 0.3f, {1}, 1, 1, 0.3f - 0.005f},
        // Heights at which the order of the three 0.005 steps shows in the rounding.
        {"jitter up, close in down, jitter down", -0.3f, -0.0312044341f, {0, 1}, 1, 2, -0.0362044312f},
        {"jitter down, close in down, jitter up", -0.6f, -0.494975775f, {1, 0}, 1, 2, -0.499975801f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        play(KeyTrapMode);
        thePlayer->moveBy(0.0f, row.playerY);
        const Undead& undead = addUndead(-0.6f, row.y);
        scriptRandom(row.draws);
        updatePlayField();
        EXPECT_EQ(undead.flag, row.flag);
        EXPECT_EQ(randomDraws, row.drawsMade);
        EXPECT_EQ(undead.position, (Vec4{-0.6f - 0.01f, row.expectedY, 0.5f, 1}));
    }
}

} // namespace
