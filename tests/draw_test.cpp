// Drawing, read back from a real 600 x 400 context. Most tests draw with the
// probe shaders in tests/probe/, which paint each draw's choice, texture unit
// and texture coordinates, three times the sprite's size.
#include "app/frame.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/viewport.h"
#include "tests/support/game_test.h"

#include <GL/glew.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Probe {
    int choice = -1, unit = -1;
    float u = 0, v = 0;
    bool drawn = false;
};

Probe probe(Rgb c) {
    if (c == white) {
        return {};
    }
    const int code = static_cast<int>(std::lround(c.r / 255.0 * 32)) - 1;
    return {code / 8, code % 8, c.g / 255.0f, c.b / 255.0f, true};
}

// Window pixel of a world point, with the field shown whole in 600 x 400.
Probe probeAt(float x, float y) {
    return probe(pixelAt(static_cast<int>((x + 1) * 300), static_cast<int>((2.0f / 3 - y) * 300)));
}

bool inTile(const Probe& p, const TileRect& tile) {
    const float slack = 1.5f / 255;
    return p.u > tile.left - slack && p.u < tile.left + tile.width + slack &&
           p.v > tile.top - tile.height - slack && p.v < tile.top + slack;
}

class Draw : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        const auto [out, err] = setUpScene("tests/probe");
        EXPECT_EQ(out + err, "");
    }
};

TEST_F(Draw, LaterDrawsLieOnTopFromThePlayerUpToTheExplosions) {
    // Around the point P = (-0.8, 0.05) stand the Player, its shot, a stunned
    // Undead, the Trap, its bomb and an Explosion. Each row leaves out the one on top.
    struct Row {
        const char* top;
        int layers; // how many of the six, from the Player up
        int unit, choice;
        TileRect tile;
    };
    const Row rows[] = {
        {"Explosion", 6, 3, 0, {0.0f, 1.0f, 0.24f, 0.25f}},
        {"bomb", 5, 2, 0, bombTile},
        {"Trap", 4, -1, 1, {}},
        {"Undead", 3, 1, 0, {0.0f, 0.11f, 0.135f, 0.11f}},
        {"shot", 2, 2, 0, shotTile},
        {"Player", 1, 0, 0, playerTile},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.top);
        play(KeyTrapMode);
        testClock = 1.0;
        // Each more than 0.1 from the others, so that nothing hits.
        const std::function<void()> layers[] = {
            [] { thePlayer->projectile = makeProjectile(-0.86f, 0.0f, shotTile); }, // flies to -0.8
            [] { addUndead(-0.72f, 0.14f, Stunned).spinAxis = 2; },
            [] { theTrap->moveBy(-0.95f, 0.2f - 0.68f); },
            [] { theTrap->projectile = makeProjectile(-0.78f, 0.0f, bombTile); }, // falls to -0.06
            [] { explosionList.push_back(std::make_unique<Explosion>(-0.8f, 0.05f, 1.0)); },
        };
        std::for_each(layers, layers + row.layers - 1, [](auto& layer) { layer(); });
        drawFrame(1.0);
        const Probe p = probeAt(-0.8f, 0.05f);
        ASSERT_TRUE(p.drawn);
        EXPECT_EQ(p.choice, row.choice);
        if (row.unit >= 0) {
            EXPECT_EQ(p.unit, row.unit);
            EXPECT_TRUE(inTile(p, row.tile)) << p.u << ", " << p.v;
        }
    }

    // A caught Player is not drawn, and neither is its shot.
    thePlayer->projectile = makeProjectile(-0.86f, 0.0f, shotTile);
    thePlayer->status = Finished;
    drawFrame(1.0);
    EXPECT_FALSE(probeAt(-0.8f, 0.05f).drawn);
}

TEST_F(Draw, AMinimisedWindowDrawsNothingWithoutAnErrorAndTheGameGoesOn) {
    play(KeyTrapMode);
    addUndead(0.5f, 0.0f);
    fitFieldToFramebuffer(0, 0);
    drawFrame(0.0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_EQ(undeadList[0]->position.x, 0.5f - 0.01f);
    fitFieldToFramebuffer(600, 400);
    drawFrame(0.0);
    EXPECT_EQ(probeAt(0.5f - 0.02f, 0.0f).unit, 1);
}

} // namespace
