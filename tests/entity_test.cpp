#include "entity/entity.h"
#include "entity/kinds.h"
#include "game/game_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

std::vector<float> floats(std::initializer_list<float> values) { return values; }

} // namespace

TEST(Entity, ConstructionPlacesTheQuadAndItsTile) {
    Player player(-0.9f, 0.0f, 0.1f, 0.1f, 0, 0.25f, 0.6392f, 0.12f, 0.1f);
    EXPECT_EQ(player.vertices,
              floats({-0.05f, -0.05f, 0, 0.05f, -0.05f, 0, -0.05f, 0.05f, 0, 0.05f, 0.05f, 0}));
    EXPECT_EQ(player.position, (Vec4{-0.9f, 0.0f, 0.5f, 1}));
    EXPECT_EQ(player.model, translate(identity, {-0.9f, 0.0f, 0.5f}));
    EXPECT_EQ(player.model[3], player.position);
    EXPECT_EQ(player.origin, (Vec4{0, 0, 0, 1}));
    // Each corner is computed in single precision, not from the decimal.
    float bottom = 0.6392f - 0.1f, right = 0.25f + 0.12f;
    EXPECT_EQ(player.texCoords, floats({0.25f, bottom, right, bottom, 0.25f, 0.6392f, right, 0.6392f}));
    EXPECT_NE(bottom, 0.5392f); // the decimal would round to a different float
    EXPECT_EQ(player.flag, 0);
    EXPECT_EQ(player.status, Active);
    EXPECT_EQ(player.textureUnit, 0);
    EXPECT_EQ(player.projectile, nullptr);

    Undead undead(0.8f, 0.6f, 0.1f, 0.1f, 1, 0.72f, 0.44f, 0.135f, 0.11f);
    EXPECT_EQ(undead.holdTime, 0.0);
    EXPECT_EQ(undead.spinAngle, 0.0f);
    EXPECT_EQ(undead.spinMatrix, identity);
    EXPECT_EQ(undead.getModel(), undead.model);
}

TEST(Entity, TheTrapIsATriangleHangingBelowItsPosition) {
    Trap trap(0.0f, 0.68f, 0.1f, 0.1f, -100, -1, -1, -1, -1);
    EXPECT_EQ(trap.texCoords, floats({-1, 0, -2, 0, -1, -1, -2, -1}));
    trap.makeTriangle(0, 0, 0.1f, 0.1f);
    EXPECT_EQ(trap.vertices, floats({0.05f, -0.1f, 0, 0, 0, 0, 0.1f, 0, 0}));
    EXPECT_EQ(trap.texCoords, std::vector<float>(6, 0.0f));
    EXPECT_EQ(trap.position, (Vec4{0.0f, 0.68f, 0.5f, 1}));
}

TEST(Entity, MoveByKeepsPositionOnTheModelTranslation) {
    Projectile shot(-0.85f, 0.2f, 0.1f, 0.1f, 2, 0.164f, 0.265f, 0.08f, 0.08f);
    float x = -0.85f, y = 0.2f;
    for (int i = 0; i < 1000; ++i) {
        float dx = (i % 3 == 0) ? 0.06f : -0.03f;
        float dy = (i % 7 == 0) ? -1.4f : 0.005f;
        shot.moveBy(dx, dy);
        x += dx; // rounded to float at every step, as the game adds
        y += dy;
        ASSERT_EQ(shot.position, shot.model[3]) << "after step " << i;
    }
    EXPECT_EQ(shot.position, (Vec4{x, y, 0.5f, 1}));
    Mat4 rest = shot.model;
    rest[3] = {0, 0, 0.5f, 1};
    EXPECT_EQ(translate(identity, {0, 0, 0.5f}), rest); // still a pure translation
}

TEST(Entity, UndeadSpinTurnsTheCornersAboutItsCentre) {
    Undead undead(0.4f, -0.2f, 0.1f, 0.1f, 1, 0, 0.11f, 0.135f, 0.11f);
    undead.spinMatrix = axisRotation(identity, static_cast<float>(M_PI / 2), {0, 0, 1});
    Mat4 drawn = undead.getModel();
    EXPECT_EQ(drawn * undead.origin, undead.position);
    // The bottom-right corner (0.05, -0.05) turns a quarter counter-clockwise to (0.05, 0.05).
    Vec4 corner = drawn * Vec4{0.05f, -0.05f, 0, 1};
    EXPECT_NEAR(corner.x, 0.4f + 0.05f, 1e-6f);
    EXPECT_NEAR(corner.y, -0.2f + 0.05f, 1e-6f);
    EXPECT_EQ(undead.model[3], undead.position); // the spin never reaches model
}

namespace {

struct CountedShot : Projectile {
    static inline int destroyed = 0;
    CountedShot() : Projectile(0, 0, 0.1f, 0.1f, 2, 0.164f, 0.265f, 0.08f, 0.08f) {}
    ~CountedShot() override { ++destroyed; }
};

} // namespace

TEST(Entity, DestroyingAnOwnerDestroysItsShot) {
    CountedShot::destroyed = 0;
    std::unique_ptr<Entity> player =
        std::make_unique<Player>(-0.9f, 0, 0.1f, 0.1f, 0, 0.25f, 0.6392f, 0.12f, 0.1f);
    static_cast<Player&>(*player).projectile = std::make_unique<CountedShot>();
    player.reset(); // through Entity's virtual destructor
    EXPECT_EQ(CountedShot::destroyed, 1);

    std::unique_ptr<Entity> trap = std::make_unique<Trap>(0, 0.68f, 0.1f, 0.1f, -100, -1, -1, -1, -1);
    static_cast<Trap&>(*trap).projectile = std::make_unique<CountedShot>();
    trap.reset();
    EXPECT_EQ(CountedShot::destroyed, 2);
}

// Checked before anything has touched the Mascot: this is how the program starts.
TEST(Entity, TheTitleMascotIsReadyBeforeMainRuns) {
    ASSERT_NE(theMascot, nullptr);
    EXPECT_EQ(theMascot->model, translate(identity, {0, 0, 0.5f}));
    EXPECT_EQ(theMascot->position, (Vec4{0, 0, 0.5f, 1}));
    float right = 0.0f + 0.144f, bottom = 0.555f - 0.11f;
    EXPECT_EQ(theMascot->texCoords, floats({0, bottom, right, bottom, 0, 0.555f, right, 0.555f}));
    EXPECT_EQ(theMascot->textureUnit, 1);
    EXPECT_EQ(theMascot->frameTimer, 0.0);
    EXPECT_EQ(theMascot->frameIndex, 0);
    EXPECT_EQ(gameState, TitleScreen);
    EXPECT_FALSE(shouldQuit());
}
