// Drawing, read back from a real 600 x 400 context. Most tests draw with the
// probe shaders in tests/probe/, which paint each draw's choice, texture unit
// and texture coordinates, three times the sprite's size.
#include "app/frame.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/scene.h"
#include "render/shader_loader.h"
#include "render/texture_loader.h"
#include "render/viewport.h"
#include "tests/support/game_test.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <fstream>

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
    return probe(Pixels().at(static_cast<int>((x + 1) * 300), static_cast<int>((2.0f / 3 - y) * 300)));
}

bool inTile(const Probe& p, float left, float top, float width, float height) {
    const float slack = 1.5f / 255;
    return p.u > left - slack && p.u < left + width + slack && p.v > top - height - slack &&
           p.v < top + slack;
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
    // Around the point P = (-0.8, 0.05) stand, each more than 0.1 from the
    // others so that nothing hits: the Player, its shot, a stunned Undead, the
    // Trap, its bomb and an Explosion. Each row leaves out the one on top.
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
        if (row.layers >= 2) {
            thePlayer->projectile = makeProjectile(-0.86f, 0.0f, shotTile); // flies to -0.8
        }
        if (row.layers >= 3) {
            addUndead(-0.72f, 0.14f, Stunned).spinAxis = 2;
        }
        if (row.layers >= 4) {
            theTrap->moveBy(-0.95f, 0.2f - 0.68f);
        }
        if (row.layers >= 5) {
            theTrap->projectile = makeProjectile(-0.78f, 0.0f, bombTile); // falls to -0.06
        }
        if (row.layers >= 6) {
            explosionList.push_back(std::make_unique<Explosion>(-0.8f, 0.05f, 1.0));
        }
        drawFrame(1.0);
        const Probe p = probeAt(-0.8f, 0.05f);
        ASSERT_TRUE(p.drawn);
        EXPECT_EQ(p.choice, row.choice);
        if (row.unit >= 0) {
            EXPECT_EQ(p.unit, row.unit);
            EXPECT_TRUE(inTile(p, row.tile.left, row.tile.top, row.tile.width, row.tile.height))
                << p.u << ", " << p.v;
        }
    }

    // A caught Player is not drawn, and neither is its shot.
    thePlayer->projectile = makeProjectile(-0.86f, 0.0f, shotTile);
    thePlayer->status = Finished;
    drawFrame(1.0);
    EXPECT_FALSE(probeAt(-0.8f, 0.05f).drawn);
}

TEST_F(Draw, TheTrapShowsItsModeAndAnUndeadThatSensesThePlayerIsTinted) {
    for (int mode : {KeyTrapMode, SelfTrapMode}) {
        play(mode);
        addUndead(-0.6f, 0.3f);           // near the Player
        addUndead(-0.6f, -0.3f, Stunned); // near, but stunned
        addUndead(0.5f, -0.3f);           // far
        trapFire();
        theTrap->projectile->moveBy(0.5f, 0.0f); // beside the Trap, not over it
        drawFrame(0.0);
        // The Trap's triangle, three times the size: its top edge from x 0 to
        // 0.3 at y 0.68, its apex at (0.15, 0.38).
        const Probe trap = probeAt(0.15f, 0.6f);
        EXPECT_EQ(trap.choice, mode == KeyTrapMode ? 1 : 3);
        EXPECT_FALSE(probeAt(0.03f, 0.42f).drawn) << "a triangle, not a quad";
        EXPECT_EQ(probeAt(0.5f, 0.65f).choice, 0) << "the bomb, drawn after the Trap";
        EXPECT_EQ(probeAt(undeadList[0]->position.x, undeadList[0]->position.y).choice, 2);
        EXPECT_EQ(probeAt(undeadList[1]->position.x, undeadList[1]->position.y).choice, 0);
        EXPECT_EQ(probeAt(undeadList[2]->position.x, undeadList[2]->position.y).choice, 0);
    }
}

TEST_F(Draw, FinishedUndeadAndExplosionsLeaveTheirListsInTheFrame) {
    play(KeyTrapMode);
    addUndead(0.4f, 0.3f, Finished);
    addUndead(0.4f, -0.3f);
    explosionList.push_back(std::make_unique<Explosion>(-0.3f, -0.3f, 0.0));
    explosionList[0]->frameIndex = 10; // its next step finishes it
    testClock = 1.0;
    drawFrame(1.0);
    EXPECT_FALSE(probeAt(0.4f, 0.3f).drawn);
    EXPECT_EQ(undeadList.size(), 1u);
    EXPECT_EQ(probeAt(-0.3f, -0.3f).unit, 3) << "drawn once more in the frame it finishes";
    EXPECT_TRUE(explosionList.empty());

    // A step shows in the frame that takes it.
    explosionList.push_back(std::make_unique<Explosion>(-0.3f, -0.3f, 0.0));
    drawFrame(0.2);
    const Probe second = probeAt(-0.3f, -0.3f);
    EXPECT_TRUE(inTile(second, 0.24f, 1.0f, 0.24f, 0.25f)) << second.u << ", " << second.v;
}

TEST_F(Draw, TheTitleScreenShowsTheWalkingMascotAlone) {
    theMascot->frameTimer = 0.0;
    drawFrame(0.0);
    Pixels pixels;
    // The Mascot's quad, three times its size: 90 pixels square about the centre.
    for (auto [x, y] : {std::pair{257, 157}, {342, 157}, {257, 242}, {342, 242}, {300, 200}}) {
        const Probe p = probe(pixels.at(x, y));
        EXPECT_EQ(p.unit, 1) << x << ", " << y;
        EXPECT_TRUE(inTile(p, theMascot->texCoords[0], 0.555f, 0.144f, 0.11f)) << p.u << ", " << p.v;
    }
    for (auto [x, y] : {std::pair{252, 200}, {347, 200}, {300, 152}, {300, 247}, {0, 0}, {599, 399}}) {
        EXPECT_EQ(pixels.at(x, y), white) << x << ", " << y;
    }
    const float firstColumn = probe(pixels.at(300, 200)).u;
    drawFrame(std::nextafter(static_cast<double>(0.2f), 1.0));
    EXPECT_NEAR(probeAt(0.0f, 0.0f).u, firstColumn + 0.144f, 1.5f / 255);
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

TEST_F(Draw, TextureUnitsOutsideOneToNineSelectUnitZero) {
    for (auto [unit, active] : {std::pair{0, 0}, {-100, 0}, {10, 0}, {9, 9}, {1, 1}, {3, 3}}) {
        activateTextureUnit(unit);
        GLint selected = 0;
        glGetIntegerv(GL_ACTIVE_TEXTURE, &selected);
        EXPECT_EQ(selected, static_cast<GLint>(GL_TEXTURE0) + active) << unit;
    }
}

using Shaders = GameTest;

TEST_F(Shaders, CompileAndLinkFailuresAndPendingErrorsArePrintedLineByLine) {
    ASSERT_EQ(setUpScene(".").first, "");
    const std::pair<GLenum, std::string> rows[] = {
        {GL_VERTEX_SHADER, "Vertex Shader compilation failed\n"},
        {GL_FRAGMENT_SHADER, "Fragment Shader compilation failed\n"},
        {GL_GEOMETRY_SHADER, " compilation failed\n"}};
    GLuint broken[3];
    for (int i = 0; i < 3; ++i) {
        const auto& [type, line] = rows[i];
        broken[i] = glCreateShader(type);
        const char* text = "#version 430 core\nvoid main() { oops }\n";
        glShaderSource(broken[i], 1, &text, nullptr);
        glCompileShader(broken[i]);
        glEnable(0x1234); // leaves GL_INVALID_ENUM (1280) pending
        testing::internal::CaptureStdout();
        checkShaderCompile(broken[i], type);
        const std::string out = testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.rfind("glError: 1280\n" + line + "Shader Info Log:", 0), 0u) << out;
        EXPECT_NE(out[out.find("Log:") + 4], ' ') << "the log follows at once";
        EXPECT_EQ(out.back(), '\n');
    }
    testing::internal::CaptureStdout();
    linkProgram(broken[0], broken[1]);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(out.rfind("linking failed\nProgram Info Log:", 0), 0u) << out;
    EXPECT_NE(out[out.find("Log:") + 4], ' ');
    EXPECT_EQ(out.back(), '\n');
}

TEST_F(Shaders, TheGamesOwnShadersLeaveOutTheBackgroundTintAndColour) {
    const auto [out, err] = setUpScene(".");
    EXPECT_EQ(out + err, "");
    // In a box of the back buffer: red over green, summed, and the pixels drawn.
    const auto box = [](float x, float y, int half) {
        const Pixels pixels;
        const int cx = static_cast<int>((x + 1) * 300), cy = static_cast<int>((2.0f / 3 - y) * 300);
        long red = 0, drawn = 0;
        for (int py = std::max(cy - half, 0); py < std::min(cy + half, 400); ++py) {
            for (int px = std::max(cx - half, 0); px < std::min(cx + half, 600); ++px) {
                const Rgb c = pixels.at(px, py);
                red += c.r - c.g, drawn += !(c == white);
            }
        }
        return std::pair{red, drawn};
    };
    drawFrame(0.0);
    const long mascot = box(0, 0, 15).second;
    EXPECT_GT(mascot, 80);
    EXPECT_LT(mascot, 800) << "the tile's background is left out";
    EXPECT_EQ(box(0, 0, 600).second, mascot) << "the title shows nothing else";

    Rgb traps[2];
    for (int mode : {KeyTrapMode, SelfTrapMode}) {
        play(mode);
        addUndead(-0.6f, 0.3f);
        addUndead(0.4f, -0.3f);
        drawFrame(0.0);
        EXPECT_GT(box(undeadList[0]->position.x, undeadList[0]->position.y, 15).first, 2000)
            << "sensing: red";
        EXPECT_LT(box(undeadList[1]->position.x, undeadList[1]->position.y, 15).first, 0)
            << "ordinary: green";
        traps[mode] = Pixels().at(315, 8);
        EXPECT_EQ(Pixels().at(313, 6), traps[mode]) << "a flat colour";
    }
    EXPECT_GT(std::abs(traps[0].r - traps[1].r) + std::abs(traps[0].b - traps[1].b), 150);
}

using Textures = GameTest;

TEST_F(Textures, ASheetLoadsWithItsRowsFlippedFilteredLinearlyAndClamped) {
    const std::string dir = std::filesystem::temp_directory_path().string();
    const unsigned char topRedBottomBlue[] = {255, 0, 0, 0, 0, 255};
    ASSERT_TRUE(stbi_write_png((dir + "/gorvath-1x2.png").c_str(), 1, 2, 3, topRedBottomBlue, 3));
    std::ofstream(dir + "/gorvath-text.png") << "not a picture\n";

    const GLuint first = loadTexture((dir + "/gorvath-1x2.png").c_str());
    const GLuint second = loadTexture((dir + "/gorvath-1x2.png").c_str());
    ASSERT_NE(first, 0u);
    EXPECT_NE(second, first) << "a new texture every time";
    unsigned char texels[2][4];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
    EXPECT_EQ(texels[0][2], 255) << "row 0 is the bottom of the picture";
    EXPECT_EQ(texels[1][0], 255);
    GLint value = 0;
    for (auto [parameter, expected] : {std::pair{GL_TEXTURE_MIN_FILTER, GL_LINEAR},
                                       {GL_TEXTURE_MAG_FILTER, GL_LINEAR},
                                       {GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE},
                                       {GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE}}) {
        glGetTexParameteriv(GL_TEXTURE_2D, parameter, &value);
        EXPECT_EQ(value, expected);
    }
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &value);
    EXPECT_EQ(value, 0) << "no mipmaps";
    EXPECT_EQ(loadTexture((dir + "/gorvath-text.png").c_str()), 0u);
    EXPECT_EQ(loadTexture((dir + "/gorvath-missing.png").c_str()), 0u);
}

} // namespace
