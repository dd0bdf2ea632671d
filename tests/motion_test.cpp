// Motion between steps, on displays of every rate: the game's frames at a set
// clock, one refresh apart, each picture read back and the wave found in it.
#include "app/frame.h"
#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "game/undead_behaviour.h"
#include "session/session.h"
#include "tests/support/game_test.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

std::vector<unsigned char> picture() {
    std::vector<unsigned char> shown(600 * 400 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 600, 400, GL_RGB, GL_UNSIGNED_BYTE, shown.data());
    return shown;
}

// How much is drawn (how far from the field's white, or its grey when dimmed
// under the pause sign) in the field's columns x0 to x1, and where its middle
// lies: where the marching wave or the Player stands, to a fraction of a pixel.
struct Ink {
    double amount = 0, x = 0, y = 0;
};
constexpr double white = 3 * 255, dimmed = 3 * 140;
Ink inkIn(int x0, int x1 = 600, double field = white, int y0 = 0, int y1 = 400) {
    const std::vector<unsigned char> shown = picture();
    Ink ink;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const unsigned char* c = &shown[(y * 600 + x) * 3];
            const double dark = field - c[0] - c[1] - c[2];
            ink.amount += dark, ink.x += dark * x, ink.y += dark * y;
        }
    }
    ink.x /= ink.amount > 0 ? ink.amount : 1, ink.y /= ink.amount > 0 ? ink.amount : 1;
    return ink;
}

class Motion : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(setUpScene(".").first, "");
        readClock = gameClock;
        drawRandom = [] { return static_cast<int>(++randomDraws % 2); }; // jitter up, down, up: no drift
        steps = FixedSteps{};
        stepAndDraw(now, false, false);
    }
    // An S game with its Trap out of sight, so that only the wave is drawn right of the Player.
    void startGame() {
        gameKey(GLFW_KEY_S, GLFW_PRESS);
        theTrap->moveBy(-5.0f, 0.0f);
    }
    void frame(int hertz) { stepAndDraw(now += 1.0 / hertz, false, false); }
    double now = 100.0;
};

// The wave advances evenly at every rate; at sixty frames a second each frame is a step, as it stands.
TEST_F(Motion, TheWaveAdvancesEvenlyFrameByFrameOnEveryDisplay) {
    for (const int hertz : {144, 120, 90, 75, 50, 60}) {
        SCOPED_TRACE(hertz);
        SetUp();
        startGame();
        const double mean = 3.0 * 60 / hertz; // 3 pixels a step
        int even = 0, frames = 0;
        for (double was = (frame(hertz), inkIn(120).x); frames < hertz; ++frames) { // a second
            frame(hertz);
            const double at = inkIn(120).x, advance = was - at; // right of the Player
            was = at;
            ASSERT_GT(advance, 0.2) << "the wave stands still in frame " << frames;
            even += std::fabs(advance - mean) <= 1.0;
            if (hertz == 60) { // each picture the latest step as it stands, as ever
                const std::vector<unsigned char> shown = picture();
                drawField();
                ASSERT_EQ(picture(), shown) << "frame " << frames;
            }
        }
        EXPECT_GE(even, frames * 95 / 100) << "frames within a pixel of " << mean;
    }
}

// The shot glides right and the bomb down, each frame its share of a step on
// (7.5 pixels at 144 Hz), never standing still or running ahead; a stunned
// Undead spins through the frame's own moment between its steps, turned once.
TEST_F(Motion, TheShotTheBombAndASpinAreDrawnAtEachFramesMoment) {
    play(KeyTrapMode); // the Player at (-0.9, 0), the Trap at (0, 0.68), no wave
    Undead& stunned = addUndead(0.6f, -0.4f, Stunned);
    stunned.spinAxis = 2; // in the picture's plane
    stunned.holdTime = gameClock();
    float spinBefore = stunned.spinAngle, spinAfter = stunned.spinAngle;
    // Where the shot is along the Player's row, right of it, and how far the bomb has fallen down the
    // Trap's column, under it (picture rows count up from the bottom), in pixels.
    struct Mover {
        int key;
        double (*at)();
        double from, to; // whole in the picture
        std::unique_ptr<Projectile>& flying;
    };
    const Mover movers[] = {
        {GLFW_KEY_SPACE, [] { return inkIn(60, 440, white, 185, 215).x; }, 75, 420, thePlayer->projectile},
        {GLFW_KEY_F, [] { return 400 - inkIn(285, 315, white, 0, 370).y; }, 45, 360, theTrap->projectile}};
    for (const Mover& mover : movers) {
        SCOPED_TRACE(mover.key);
        gameKey(mover.key, GLFW_PRESS);
        gameKey(mover.key, GLFW_RELEASE);
        int even = 0, whole = 0, frames = 0;
        for (double was = (frame(144), mover.at()); mover.flying; ++frames) {
            if (stunned.spinAngle != spinAfter) {
                spinBefore = std::exchange(spinAfter, stunned.spinAngle);
            }
            const std::vector<unsigned char> shown = picture();
            const Mat4 spin = stunned.spinMatrix; // drawn as it stands at the frame's moment
            stunned.spinMatrix = spinMatrixAt(2, spinBefore + (spinAfter - spinBefore) * steps.along());
            drawField();
            stunned.spinMatrix = spin;
            const std::vector<unsigned char> expected = picture();
            for (int y = 50; y < 110; ++y) {
                ASSERT_TRUE(std::equal(&shown[(y * 600 + 450) * 3], &shown[(y * 600 + 510) * 3],
                                       &expected[(y * 600 + 450) * 3]))
                    << "the spin in frame " << frames << ", row " << y;
            }
            frame(144);
            const double at = mover.at(), advance = at - was;
            was = at;
            if (at > mover.from && at < mover.to) { // whole in the picture
                ASSERT_GT(advance, 1.5) << "frame " << frames;
                ASSERT_LT(advance, 13.5) << "frame " << frames;
                even += std::fabs(advance - 7.5) <= 1.0;
                ++whole;
            }
        }
        EXPECT_GT(whole, 40);
        EXPECT_GE(even, whole * 9 / 10) << "frames within a pixel of 7.5";
    }
    EXPECT_EQ(stunned.status, Stunned);
}

TEST_F(Motion, AKeysMoveShowsWholeInTheNextFrameAndAWrapJumps) {
    startGame();
    frame(144);
    for (int presses = 1; presses <= 5; ++presses) { // after frames with a step and without
        const double player = inkIn(0, 60).y;
        gameKey(GLFW_KEY_UP, GLFW_PRESS);
        frame(144);
        EXPECT_NEAR(inkIn(0, 60).y, player + 9, 0.01) << "0.03 of the field, press " << presses;
    }

    // An Undead that wraps from the left edge to the right, both out of sight: nothing crosses the field.
    play(KeyTrapMode);
    theTrap->moveBy(-5.0f, 0.0f);
    addUndead(-1.095f, -0.6f);                    // the second step wraps it
    for (int frames = 0; frames < 24; ++frames) { // ten steps
        frame(144);
        ASSERT_EQ(inkIn(60, 580).amount, 0) << "frame " << frames;
    }
    EXPECT_GT(undeadList[0]->position.x, 1.0f);
}

// Paused for a second (as hidden, still): the picture stands exactly where the
// wave stood, and the frame after goes on a frame's worth, no backlog of steps.
TEST_F(Motion, PausedThePictureStandsStillAndTheWaveGoesOnWhereItStood) {
    startGame();
    for (int frames = 0; frames < 30 || steps.along() > 0.9f; ++frames) { // stopped between two steps
        frame(144);
    }
    const double stood = inkIn(400).x; // clear of the pause sign
    togglePause();
    stepAndDraw(now += 0.01, true, false);
    EXPECT_NEAR(inkIn(400, 600, dimmed).x, stood, 0.1) << "paused where it stood";
    const std::vector<unsigned char> still = picture();
    for (int wake = 0; wake < 20; ++wake) { // a second of waiting, asked to draw again each time
        stepAndDraw(now += 0.05, true, true);
        ASSERT_EQ(picture(), still);
    }
    togglePause();
    frame(144);
    EXPECT_NEAR(stood - inkIn(400).x, 1.25, 1.0) << "a frame's worth on";
}

// A playback that has played through keeps its last picture, its last step as
// it stands, at every rate, however many frames follow.
TEST_F(Motion, APlaybackAtItsEndStandsStillOnEveryDisplay) {
    Replay replay;
    replay.seed = 1;
    replay.keys = {{10, GLFW_KEY_S, GLFW_PRESS}, {12, GLFW_KEY_SPACE, GLFW_PRESS}};
    replay.end = {50, 0};
    for (const int hertz : {144, 120, 90, 75, 50, 60}) {
        SCOPED_TRACE(hertz);
        SetUp();
        testing::internal::CaptureStderr(); // its end's checksum is not the game's
        playback = std::make_unique<Playback>(replay);
        startPlayback(replay);
        while (!playback->ended()) {
            frame(hertz);
        }
        testing::internal::GetCapturedStderr();
        const std::vector<unsigned char> last = picture();
        drawField();
        ASSERT_EQ(picture(), last) << "the last step, not as it stands";
        for (int frames = 0; frames < hertz / 4; ++frames) {
            frame(hertz);
            ASSERT_EQ(picture(), last) << "frame " << frames;
        }
    }
    playback.reset();
}

} // namespace
