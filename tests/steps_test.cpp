// Fixed steps: 60 a second of game time on any display, the frame pacer, and
// pause. The real clock is set by the test, frame by frame.
#include "app/display.h"
#include "app/frame_pacer.h"
#include "game/checksum.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/play_field.h"
#include "game/sources.h"
#include "input/pads.h"
#include "session/session.h"
#include "tests/support/game_test.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <tuple>

namespace {

TEST(Steps, EveryDisplayRateGivesSixtyStepsASecondWithoutDrift) {
    // The display's rate, and the fewest and the most steps a frame after the first.
    for (auto [hertz, fewest, most] :
         {std::tuple{240, 0, 1}, {144, 0, 1}, {120, 0, 1}, {75, 0, 1}, {60, 1, 1}, {50, 1, 2}, {30, 2, 2}}) {
        SCOPED_TRACE(hertz);
        FixedSteps steps;
        ASSERT_EQ(steps.due(0.0), 1) << "the first frame runs a step";
        std::minstd_rand jitter(hertz);
        std::set<int> perFrame;
        long long given = 1;
        double now = 0.0;
        for (long long frame = 1; now < 600.0; ++frame) { // ten minutes, each frame up to 1 ms early or late
            now = static_cast<double>(frame) / hertz + (static_cast<int>(jitter() % 2001) - 1000) * 1e-6;
            const int n = steps.due(now);
            perFrame.insert(n);
            given += n;
        }
        EXPECT_EQ(given, std::llround(now * 60) + 1);
        EXPECT_EQ(*perFrame.begin(), fewest);
        EXPECT_EQ(*perFrame.rbegin(), most);
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
    // Ten seconds waited out (paused, hidden) and left out: no backlog at all, and the same phase.
    steps.leaveOut(112.0 + 0.25 * p);
    steps.leaveOut(122.0 + 0.25 * p);
    EXPECT_EQ(steps.due(122.0 + 0.5 * p - hair), 0);
    EXPECT_EQ(steps.due(122.0 + p), 1);
}

TEST(Steps, SixtyFramesASecondFallingHalfAStepAfterTheFirstSoonGetOneStepEach) {
    FixedSteps steps;
    steps.due(0.0);
    std::minstd_rand jitter(1);
    std::set<int> perFrame;
    for (int frame = 1; frame <= 600; ++frame) { // as when the first frame took longer than the rest
        const int n = steps.due((frame + 0.5) / 60 + (static_cast<int>(jitter() % 2001) - 1000) * 1e-6);
        if (frame > 120) {
            perFrame.insert(n);
        }
    }
    EXPECT_EQ(perFrame, std::set<int>{1}) << "from the third second on";
}

TEST(Steps, ThePacerSleepsOnlyWhereSwapsReturnAtOnceAndThenToSixtyFrames) {
    struct Row {
        int hertz;
        double took, delay; // the frame's time up to the end of its swap, and the sleep after it
    };
    const double p = FixedSteps::period, hair = 1e-9;
    // clang-format off
    const Row rows[] = {
        {0, 0.001, p - 0.001}, {0, 0.8 * p - hair, 0.2 * p + hair}, {0, 0.8 * p, 0.0},
        {144, 0.001, p - 0.001}, {144, 0.8 / 144 - hair, p - (0.8 / 144 - hair)}, {144, 0.8 / 144, 0.0},
        {50, 0.8 / 50 - hair, p - (0.8 / 50 - hair)}, {50, 0.8 / 50, 0.0},
        {30, 0.02, 0.0}, // slower than a step, faster than the display
    };
    // clang-format on
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

using Pause = GameTest;

// A stun lasts its 3.5 s of game time across ten seconds paused; Q still quits.
TEST_F(Pause, AStunLastsItsGameTimeAcrossAPause) {
    readClock = gameClock;
    steps = FixedSteps{};
    double now = 50.0;
    runSteps(now);
    play(KeyTrapMode);
    addUndead(0.4f, 0.3f, Stunned).holdTime = gameTime;
    int stunned = 0;
    for (; undeadList[0]->status == Stunned && stunned < 1000; ++stunned) {
        if (stunned == 60) {
            togglePause();
            for (int frame = 0; frame < 600; ++frame) {
                runSteps(now += FixedSteps::period);
            }
            gameKey(GLFW_KEY_Q, GLFW_PRESS);
            togglePause();
        }
        runSteps(now += FixedSteps::period);
    }
    EXPECT_EQ(stunned, 211) << "steps: 3.5 s of game time after the stun, the pause left out";
    EXPECT_TRUE(shouldQuit());
}

// Focus lost and regained, and a pad's Start, in each state of the game.
TEST_F(Pause, FocusLostPausesAGameThatOnlyPOrStartResumesAndStartBeginsAGameFromTheTitle) {
    enum State { Title, Running, Won, Lost, InReplay };
    PadInput pads;
    double now = 0;
    const auto start = [&pads, &now] {
        PadFrame frame;
        frame.present[0] = true, frame.state[0].buttons[PadStart] = 1;
        pads.update(frame, now += 0.1, gameKey, pressStart);
        pads.update(PadFrame{}, now += 0.1, gameKey, pressStart);
    };
    for (auto [state, pauses] :
         {std::pair{Title, false}, {Running, true}, {Won, true}, {Lost, true}, {InReplay, false}}) {
        SCOPED_TRACE(state);
        resetGame();
        steps = FixedSteps{};
        if (state != Title) {
            play(KeyTrapMode);
            addUndead(0.6f, 0.3f, state == Won ? Finished : Active);
            removeFinished(undeadList);
            thePlayer->status = state == Lost ? Finished : Active;
        }
        playback = state == InReplay ? std::make_unique<Playback>(Replay{}) : nullptr;
        focusChanged(false);
        EXPECT_EQ(steps.paused(), pauses);
        focusChanged(true);
        EXPECT_EQ(steps.paused(), pauses) << "the focus back does not resume";
        focusChanged(false);
        EXPECT_EQ(steps.paused(), pauses) << "lost again while paused: still paused";
        gameKey(GLFW_KEY_SPACE, GLFW_PRESS);
        EXPECT_FALSE(thePlayer && thePlayer->projectile) << "paused or in a replay: the keys do nothing";
        start();
        EXPECT_FALSE(steps.paused()) << "Start resumes";
        EXPECT_TRUE(state != Title || (theTrap && theTrap->flag == KeyTrapMode)) << "or begins an S game";
        start();
        EXPECT_EQ(steps.paused(), state != InReplay) << "and pauses";
    }
    playback.reset();
    steps = FixedSteps{};
}

} // namespace
