// Drawing, read back from a real 600 x 400 context. Most tests draw with the
// probe shaders in tests/probe/, which paint each draw's choice, texture unit
// and texture coordinates, three times the sprite's size.
#include "app/frame.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/scene.h"
#include "render/sprites.h"
#include "render/viewport.h"
#include "tests/support/game_test.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

struct Probe {
    int choice = -1, unit = -1;
    float u = 0, v = 0;
    bool drawn = false;
};

// What was drawn last at a world point: the window pixel there, decoded.
Probe probeAt(float x, float y) {
    unsigned char c[3] = {};
    glReadPixels(static_cast<int>((x + 1) * 300), static_cast<int>((y + 2.0f / 3) * 300), 1, 1, GL_RGB,
                 GL_UNSIGNED_BYTE, c);
    if (c[0] == 255 && c[1] == 255 && c[2] == 255) {
        return {};
    }
    const int code = static_cast<int>(std::lround(c[0] / 255.0 * 32)) - 1;
    return {code / 8, code % 8, c[1] / 255.0f, c[2] / 255.0f, true};
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
        std::for_each(layers, layers + (row.layers - 1), [](auto& layer) { layer(); });
        drawFrame(1.0);
        const Probe p = probeAt(-0.8f, 0.05f);
        ASSERT_TRUE(p.drawn);
        EXPECT_EQ(p.choice, row.choice);
        if (row.unit >= 0) {
            EXPECT_EQ(p.unit, row.unit);
            const TileRect& t = row.tile;
            const float slack = 1.5f / 255;
            EXPECT_TRUE(p.u > t.left - slack && p.u < t.left + t.width + slack &&
                        p.v > t.top - t.height - slack && p.v < t.top + slack)
                << p.u << ", " << p.v;
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

// A window the desktop sized before the scene was set up (as tiling window
// managers do) shows the field at its own 3 : 2, not stretched to the window's.
TEST_F(Draw, AWindowSizedBeforeTheSceneIsSetUpShowsTheFieldUnstretched) {
    glfwSetWindowSize(testWindow(), 900, 400);
    setUpScene("tests/probe");
    glfwSetWindowSize(testWindow(), 600, 400);
    clearField();
    drawEntity(*makeProjectile(0.0f, 0.0f, shotTile)); // painted 0.3 square
    EXPECT_TRUE(probeAt(0.0f, 0.14f).drawn);
    EXPECT_FALSE(probeAt(0.0f, 0.16f).drawn);
}

// Each scene setup starts the sprite stream afresh: a new context's buffers
// and program often get the old ones' names, but hold nothing yet.
TEST(SpriteStream, EachContextsSceneDrawsWhatItIsGiven) {
    ASSERT_NE(testWindow(), nullptr);
    for (const TileRect& look : {shotTile, shotTile, bombTile}) {
        GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
        glfwMakeContextCurrent(window);
        setUpScene("tests/probe");
        clearField();
        drawEntity(*makeProjectile(0.0f, 0.0f, look));
        const Probe p = probeAt(0.0f, 0.0f);
        EXPECT_TRUE(p.drawn && p.unit == 2 && std::fabs(p.v - (look.top - look.height / 2)) < 0.02f) << p.v;
        glfwDestroyWindow(window);
    }
    glfwMakeContextCurrent(testWindow());
}

} // namespace
