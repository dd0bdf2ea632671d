// Fixed steps: 60 a second of game time on any display, the frame pacer, and
// pause. The real clock is set by the test, frame by frame.
#include "app/display.h"
#include "app/frame_pacer.h"
#include "app/session.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "tests/support/game_test.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>

namespace {

TEST(Steps, EveryDisplayRateGivesSixtyStepsASecondWithoutDrift) {
    struct Row {
        int hertz, fewest, most; // steps in any one frame
    };
    const Row rows[] = {{240, 0, 1}, {144, 0, 1}, {120, 0, 1}, {75, 0, 1},
                        {60, 1, 1},  {50, 1, 2},  {30, 2, 2}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.hertz);
        FixedSteps steps;
        std::minstd_rand jitter(row.hertz);
        const double start = 1234.5, frame = 1.0 / row.hertz;
        long long given = 0, frames = 0;
        int fewest = 100, most = 0;
        double now = start;
        for (; now < start + 600.0; ++frames) { // ten minutes
            now = start + static_cast<double>(frames) * frame +
                  (frames ? (static_cast<int>(jitter() % 2001) - 1000) * 1e-6 : 0);
            const int n = steps.due(now);
            if (frames == 0) {
                ASSERT_EQ(n, 1) << "the first frame runs a step";
            } else {
                fewest = std::min(fewest, n), most = std::max(most, n);
            }
            given += n;
        }
        EXPECT_EQ(given, std::llround((now - start) * 60) + 1) << "after " << frames << " frames";
        EXPECT_EQ(fewest, row.fewest);
        EXPECT_EQ(most, row.most);
    }
}

TEST(Steps, AStepFallsDueHalfAPeriodEarlyAndAStallRunsAtMostFive) {
    const double p = FixedSteps::period, hair = 1e-9;
    FixedSteps steps;
    EXPECT_EQ(steps.due(100.0), 1);
    EXPECT_EQ(steps.due(100.0 + 0.5 * p - hair), 0);
    EXPECT_EQ(steps.due(100.0 + 0.5 * p + hair), 1);
    EXPECT_EQ(steps.due(100.0 + 2.5 * p - hair), 1);
    EXPECT_EQ(steps.due(100.0 + 3.5 * p + hair), 2);
    // Ten seconds stalled: five steps, the rest dropped, and one a frame again.
    EXPECT_EQ(steps.due(110.0), 5);
    EXPECT_EQ(steps.due(110.0 + 0.5 * p - hair), 0);
    for (int frame = 1; frame <= 120; ++frame) {
        ASSERT_EQ(steps.due(110.0 + frame * p), 1) << frame;
    }
}

TEST(Steps, ThePacerSleepsOnlyWhereSwapsReturnAtOnceAndThenToSixtyFrames) {
    struct Row {
        int hertz;
        double took, delay; // the frame's time up to the end of its swap, and the sleep after it
    };
    const double p = FixedSteps::period, hair = 1e-9;
    const Row rows[] = {
        {0, 0.001, p - 0.001},
        {0, 0.8 * p - hair, 0.2 * p + hair},
        {0, 0.8 * p, 0.0},
        {144, 0.001, p - 0.001},
        {144, 0.8 / 144 - hair, p - (0.8 / 144 - hair)},
        {144, 0.8 / 144, 0.0},
        {50, 0.8 / 50 - hair, p - (0.8 / 50 - hair)},
        {50, 0.8 / 50, 0.0},
        {30, 0.02, 0.0}, // slower than a step, faster than the display
    };
    for (const Row& row : rows) {
        FramePacer pacer;
        pacer.setRefreshRate(row.hertz);
        EXPECT_EQ(pacer.delayAfterSwap(10.0), 0.0);
        EXPECT_NEAR(pacer.delayAfterSwap(10.0 + row.took), row.delay, 1e-12)
            << row.hertz << " Hz, " << row.took;
    }
    // Deadlines are absolute: a late wake-up shortens the next sleep.
    FramePacer pacer;
    pacer.delayAfterSwap(10.0);
    EXPECT_NEAR(pacer.delayAfterSwap(10.001), p - 0.001, 1e-12);
    EXPECT_NEAR(pacer.delayAfterSwap(10.0 + p + 0.002), p - 0.002, 1e-12);
}

TEST(Steps, TheMonitorsRateIsKnownFromTheFirstFrame) {
    ASSERT_NE(testWindow(), nullptr);
    // This display at 75 Hz (Xvfb's own mode says 0): a mode of 1024 x 768 at 100.4 MHz.
    ASSERT_EQ(
        std::system("xrandr --newmode gorvath-75 100.4 1024 1048 1184 1300 768 771 777 1030 2>/dev/null;"
                    "xrandr --addmode screen gorvath-75 && xrandr --output screen --mode gorvath-75"),
        0);
    connectDisplay(testWindow());
    EXPECT_EQ(refreshRate(), 75);
    EXPECT_EQ(std::system("xrandr --output screen --mode 1024x768"), 0);
}

using Pause = GameTest;

TEST_F(Pause, NothingMovesWhilePausedAndAStunLastsItsGameTimeAcrossAPause) {
    readClock = gameClock;
    steps = FixedSteps{};
    const double p = FixedSteps::period;
    double now = 50.0;
    const auto frames = [&now, p](int count) {
        for (int i = 0; i < count; ++i) {
            runSteps(now += p);
        }
    };
    runSteps(now);
    play(KeyTrapMode);
    Undead& stunned = addUndead(0.4f, 0.3f, Stunned);
    stunned.holdTime = gameTime;
    const double stunnedAt = gameTime;
    addUndead(0.6f, -0.3f);
    frames(60);
    togglePause();
    ASSERT_TRUE(steps.paused());
    const Vec4 walker = undeadList[1]->position;
    const float angle = stunned.spinAngle;
    const double pausedAt = gameTime;
    for (int key : {GLFW_KEY_UP, GLFW_KEY_SPACE, GLFW_KEY_F, GLFW_KEY_RIGHT}) {
        gameKey(key, GLFW_PRESS);
    }
    frames(600); // ten seconds on the clock
    EXPECT_EQ(gameTime, pausedAt);
    EXPECT_EQ(undeadList[1]->position, walker);
    EXPECT_EQ(stunned.spinAngle, angle);
    EXPECT_EQ(thePlayer->position, (Vec4{-0.9f, 0.0f, 0.5f, 1})) << "the game keys do nothing while paused";
    EXPECT_EQ(thePlayer->projectile, nullptr);
    EXPECT_EQ(theTrap->projectile, nullptr);
    gameKey(GLFW_KEY_Q, GLFW_PRESS);
    EXPECT_TRUE(shouldQuit());

    togglePause();
    int recovered = 0;
    while (stunned.status == Stunned && recovered < 1000) {
        frames(1);
        ++recovered;
    }
    EXPECT_GT(gameTime - stunnedAt, 3.5);
    EXPECT_LE(gameTime - stunnedAt, 3.5 + p) << "3.5 s of game time after the stun, the pause left out";
    EXPECT_EQ(recovered + 60, 211);
}

} // namespace
