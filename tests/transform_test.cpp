#include "entity/transform.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

Mat4 withTranslation(float x, float y, float z) {
    Mat4 m = identity;
    m[3] = {x, y, z, 1};
    return m;
}

void expectNear(const Mat4& a, const Mat4& b, float tolerance) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(a[c][r], b[c][r], tolerance) << "element [" << c << "][" << r << "]";
        }
    }
}

} // namespace

TEST(Transform, TranslateAddsAlongTheMatrixOwnAxes) {
    EXPECT_EQ(translate(identity, {-0.9f, 0.2f, 0.5f}), withTranslation(-0.9f, 0.2f, 0.5f));

    Mat4 moved = translate(withTranslation(0.25f, -0.5f, 0.5f), {0.03f, 0, 0});
    EXPECT_EQ(moved, withTranslation(0.25f + 0.03f, -0.5f, 0.5f));

    // On a turned matrix the offset is applied in its local space: m × T(v), not T(v) × m.
    Mat4 quarterTurn = axisRotation(withTranslation(1, 0, 0), static_cast<float>(M_PI / 2), {0, 0, 1});
    Mat4 local = translate(quarterTurn, {1, 0, 0});
    EXPECT_NEAR(local[3].x, 1.0f, 1e-6f);
    EXPECT_NEAR(local[3].y, 1.0f, 1e-6f);
    EXPECT_EQ(local[0], quarterTurn[0]);
}

TEST(Transform, MatrixTimesVectorSumsInPairs) {
    Mat4 m = withTranslation(3, 4, 5);
    EXPECT_EQ(m * (Vec4{0, 0, 0, 1}), (Vec4{3, 4, 5, 1}));

    // (m0·x + m1·y) + (m2·z + m3·w) rounds differently from a left-to-right sum:
    // paired, each 1 is lost beside 1e8 and the total is 0; in order it would be 1.
    Mat4 big = identity;
    big[0] = {1e8f, 0, 0, 0};
    big[1] = {1.0f, 0, 0, 0};
    big[2] = {-1e8f, 0, 0, 0};
    big[3] = {1.0f, 0, 0, 0};
    Vec4 v = big * Vec4{1, 1, 1, 1};
    EXPECT_EQ(v.x, 0.0f);
}

TEST(Transform, MatrixProductAppliesTheRightHandSideFirst) {
    Mat4 a = withTranslation(1, 2, 3);
    Mat4 turn = axisRotation(identity, 0.7f, {0, 0, 1});
    EXPECT_EQ(a * identity, a);
    EXPECT_EQ(identity * turn, turn);

    // The sprite turns about its own centre: the origin stays at a's translation.
    Vec4 centre = (a * turn) * Vec4{0, 0, 0, 1};
    EXPECT_EQ(centre, (Vec4{1, 2, 3, 1}));
    Vec4 corner = (a * turn) * Vec4{1, 0, 0, 1};
    EXPECT_NEAR(corner.x, 1 + std::cos(0.7f), 1e-6f);
    EXPECT_NEAR(corner.y, 2 + std::sin(0.7f), 1e-6f);
}

TEST(Transform, AxisRotationAboutEachAxis) {
    for (Vec3 axis : {Vec3{1, 0, 0}, Vec3{0, 1, 0}, Vec3{0, 0, 1}}) {
        EXPECT_EQ(axisRotation(identity, 0.0f, axis), identity);
    }
    const float angle = 0.3f;
    const float c = std::cos(angle), s = std::sin(angle);

    Mat4 x = axisRotation(identity, angle, {1, 0, 0});
    expectNear(x, Mat4{{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}}, 1e-7f);
    Mat4 y = axisRotation(identity, angle, {0, 1, 0});
    expectNear(y, Mat4{{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}}, 1e-7f);
    Mat4 z = axisRotation(identity, angle, {0, 0, 1});
    expectNear(z, Mat4{{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}, 1e-7f);

    // Counter-clockwise on screen: x turns onto y.
    Vec4 p = axisRotation(identity, static_cast<float>(M_PI / 2), {0, 0, 1}) * Vec4{1, 0, 0, 1};
    EXPECT_NEAR(p.x, 0.0f, 1e-7f);
    EXPECT_NEAR(p.y, 1.0f, 1e-7f);
    EXPECT_EQ(p.w, 1.0f);

    // The axis is normalised, so its length does not matter.
    EXPECT_EQ(axisRotation(identity, angle, {0, 0, 2}), z);

    // The translation column is kept.
    EXPECT_EQ(axisRotation(withTranslation(4, 5, 6), angle, {0, 1, 0})[3], (Vec4{4, 5, 6, 1}));
}

TEST(Transform, LookAtForTheGameCameraMovesEverythingOneTowardsPlusZ) {
    Mat4 view = lookAt({0, 0, -1}, {0, 0, -1000}, {0, 1, 0});
    EXPECT_EQ(view, withTranslation(0, 0, 1));

    // A camera looking along +x from the origin: world +x becomes view -z.
    Mat4 side = lookAt({0, 0, 0}, {5, 0, 0}, {0, 1, 0});
    Vec4 ahead = side * Vec4{2, 0, 0, 1};
    EXPECT_NEAR(ahead.z, -2.0f, 1e-6f);
    EXPECT_NEAR(ahead.x, 0.0f, 1e-6f);
}
