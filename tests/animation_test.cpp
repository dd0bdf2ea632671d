#include "entity/kinds.h"
#include "game/animation.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

float us(const Entity& e, int vertex) { return e.texCoords[static_cast<size_t>(2 * vertex)]; }
float vs(const Entity& e, int vertex) { return e.texCoords[static_cast<size_t>(2 * vertex + 1)]; }

} // namespace

TEST(Animation, ExplosionPlaysElevenTilesByRepeatedFloatSteps) {
    Explosion explosion(0.3f, -0.2f, 10.0);
    ASSERT_EQ(explosion.texCoords, (std::vector<float>{0.0f, 0.75f, 0.24f, 0.75f, 0.0f, 1.0f, 0.24f, 1.0f}));

    // Exactly one period after the timer is not yet due; the float period is
    // a little above 0.1, so 0.1 past is not due either.
    animateExplosion(explosion, 10.0 + static_cast<double>(0.1f));
    animateExplosion(explosion, 10.1);
    EXPECT_EQ(explosion.frameIndex, 0);
    EXPECT_EQ(explosion.frameTimer, 10.0);

    // Follow the steps with the same float arithmetic the sheet layout implies.
    float left = 0.0f, right = 0.24f, top = 1.0f;
    double t = 10.0;
    for (int step = 1; step <= 10; ++step) {
        t += 0.15;
        animateExplosion(explosion, t);
        if (step == 4 || step == 8) {
            left -= 0.71999997f;
            right -= 0.71999997f;
            top -= 0.25f;
        } else {
            left += 0.24f;
            right += 0.24f;
        }
        ASSERT_EQ(explosion.frameIndex, step);
        ASSERT_EQ(explosion.frameTimer, t);
        ASSERT_EQ(explosion.status, Active);
        ASSERT_EQ(us(explosion, 2), left) << "step " << step;
        ASSERT_EQ(vs(explosion, 2), top) << "step " << step;
        ASSERT_EQ(us(explosion, 1), right) << "step " << step;
        if (step == 4 || step == 8) {
            EXPECT_EQ(us(explosion, 0), 0.0f) << "rows start exactly at the left edge again";
        }
    }
    EXPECT_EQ(vs(explosion, 0), 0.25f); // third row: v 0.25 to 0.5
    EXPECT_EQ(vs(explosion, 2), 0.5f);

    std::vector<float> lastTile = explosion.texCoords;
    animateExplosion(explosion, t + 0.15);
    EXPECT_EQ(explosion.status, Finished);
    EXPECT_EQ(explosion.frameIndex, 10);
    EXPECT_EQ(explosion.texCoords, lastTile);
}

TEST(Animation, MascotWalksOutAndBackThenResetsExactly) {
    Mascot mascot(0, 0, 0.1f, 0.1f, 1, 0.0f, 0.555f, 0.144f, 0.11f);
    const std::vector<float> firstTile = mascot.texCoords;

    animateMascot(mascot, static_cast<double>(0.2f)); // exactly one period: not due
    EXPECT_EQ(mascot.frameIndex, 0);

    double t = 0.0;
    std::vector<int> columns;
    for (int cycle = 0; cycle < 50; ++cycle) {
        for (int step = 0; step < 12; ++step) {
            // The reset step (after index 11) keeps the timer, so the walk goes on next frame.
            t += (step == 0 && cycle > 0) ? 0.001 : 0.25;
            animateMascot(mascot, t);
            ASSERT_LE(mascot.frameIndex, 11);
            if (cycle == 0) {
                columns.push_back(static_cast<int>(std::lround(us(mascot, 0) / 0.144f)));
            }
        }
        ASSERT_EQ(mascot.frameIndex, 0);
        ASSERT_EQ(mascot.texCoords, firstTile) << "cycle " << cycle; // no drift, ever
    }
    EXPECT_EQ(columns, (std::vector<int>{1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0}));
}

TEST(Animation, MascotResetLeavesTheTimerSoTheNextFrameSteps) {
    Mascot mascot(0, 0, 0.1f, 0.1f, 1, 0.0f, 0.555f, 0.144f, 0.11f);
    mascot.frameIndex = 11;
    mascot.frameTimer = 5.0;
    animateMascot(mascot, 5.5);
    EXPECT_EQ(mascot.frameIndex, 0);
    EXPECT_EQ(mascot.frameTimer, 5.0);
    EXPECT_EQ(us(mascot, 1), 0.144f);
    animateMascot(mascot, 5.51);
    EXPECT_EQ(mascot.frameIndex, 1);
    EXPECT_EQ(mascot.frameTimer, 5.51);
}
