// Drawing in a real 600 x 400 context, checked by reading the pixels back.
#include "app/frame.h"
#include "entity/kinds.h"
#include "game/game_setup.h"
#include "game/game_state.h"
#include "render/scene.h"
#include "render/sprites.h"
#include "tests/support/gl_window.h"
#include "tests/support/scripted_game.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <unistd.h>

namespace {

class Render : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(chdir(GORVATH_SOURCE_DIR), 0);
        ASSERT_TRUE(window.ok());
        SetupOutput output = initSceneCapturingOutput(window.handle());
        ASSERT_EQ(output.out, "");
        ASSERT_EQ(output.err, "");
    }

    void clearWhite() {
        glClearColor(1, 1, 1, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    GameWindow window;
};

// Sums of red minus green over the sprite pixels in a box, and how many there are.
struct Hue {
    long redOverGreen = 0;
    int count = 0;
};
Hue hueAround(const Pixels& pixels, float x, float y) {
    Hue hue;
    int cx = worldToPixelX(x), cy = worldToPixelY(y);
    for (int py = cy - 14; py <= cy + 14; ++py) {
        for (int px = cx - 14; px <= cx + 14; ++px) {
            Rgb c = pixels.at(px, py);
            if (c.r + c.g + c.b < 3 * 250) {
                hue.redOverGreen += c.r - c.g;
                ++hue.count;
            }
        }
    }
    return hue;
}

} // namespace

TEST_F(Render, ProjectionAndViewAreTheFixedCamera) {
    EXPECT_EQ(projectionMatrix[0][0], 1.0f);
    EXPECT_EQ(projectionMatrix[1][1], 1.5f);
    EXPECT_EQ(std::bit_cast<uint32_t>(projectionMatrix[2][2]), 0x3b0312c5u);
    EXPECT_EQ(std::bit_cast<uint32_t>(projectionMatrix[3][2]), 0xbf8000a8u);
    EXPECT_TRUE(std::signbit(projectionMatrix[3][0]) && projectionMatrix[3][0] == 0.0f);
    EXPECT_EQ(projectionMatrix[3][3], 1.0f);
    EXPECT_EQ(viewMatrix[3], (Vec4{0, 0, 1, 1}));

    // What the shader received, and where the world's corner lands.
    GLfloat uploaded[16];
    glGetUniformfv(renderingProgram, glGetUniformLocation(renderingProgram, "pMat"), uploaded);
    EXPECT_EQ(std::memcmp(uploaded, projectionMatrix.data(), sizeof uploaded), 0);
    Vec4 corner = projectionMatrix * (viewMatrix * Vec4{1, 2.0f / 3.0f, 0.5f, 1});
    EXPECT_NEAR(corner.x, 1.0f, 1e-6f);
    EXPECT_NEAR(corner.y, 1.0f, 1e-6f);
}

TEST_F(Render, ActivateTextureUnitFallsBackToUnitZero) {
    GLint active = 0;
    for (auto [unit, expected] : {std::pair{0, 0}, {-100, 0}, {10, 0}, {9, 9}, {3, 3}, {1, 1}}) {
        activateTextureUnit(unit);
        glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
        EXPECT_EQ(active, static_cast<GLint>(GL_TEXTURE0) + expected) << "unit " << unit;
    }
}

TEST_F(Render, TitleScreenShowsOnlyTheMascotAtTheCentreOnWhite) {
    drawFrame(0.0);
    Pixels pixels = Pixels::read();
    ASSERT_EQ(pixels.width(), 600);
    ASSERT_EQ(pixels.height(), 400);
    // The Mascot's quad is 0.1 wide: 30 pixels about the centre.
    int inside = pixels.countNonWhite(285, 185, 314, 214);
    EXPECT_GT(inside, 80);
    EXPECT_EQ(pixels.countNonWhite(0, 0, 599, 399), inside) << "something drawn outside the Mascot's quad";
    // Background of the tile is left out: the quad's corners are white.
    Rgb corner = pixels.at(286, 186);
    EXPECT_EQ(corner.r + corner.g + corner.b, 3 * 255);
}

TEST_F(Render, TheTrapDrawsInTheColourOfItsMode) {
    // The triangle's top edge is at y 0.68, just above the window, from x 0 to 0.1;
    // its apex hangs at (0.05, 0.58).
    const int x = worldToPixelX(0.05f), y = worldToPixelY(0.62f);
    Rgb colours[2];
    for (int mode : {0, 1}) {
        theTrap = makeTrap(mode);
        clearWhite();
        drawTrap();
        Pixels pixels = Pixels::read();
        colours[mode] = pixels.at(x, y);
        EXPECT_NE(colours[mode].r + colours[mode].g + colours[mode].b, 3 * 255) << "mode " << mode;
        // Nothing left of the trap's left end or below its apex.
        EXPECT_EQ(pixels.countNonWhite(0, 0, worldToPixelX(0.0f) - 2, 399), 0);
        EXPECT_EQ(pixels.countNonWhite(0, worldToPixelY(0.58f) + 2, 599, 399), 0);
        // A flat colour: the whole inside is one value.
        Rgb other = pixels.at(x + 3, y - 5);
        EXPECT_TRUE(other.r == colours[mode].r && other.g == colours[mode].g && other.b == colours[mode].b);
    }
    int difference = std::abs(colours[0].r - colours[1].r) + std::abs(colours[0].g - colours[1].g) +
                     std::abs(colours[0].b - colours[1].b);
    EXPECT_GT(difference, 150) << "the two modes must be told apart at a glance";

    GLint choice = -1;
    glGetUniformiv(renderingProgram, glGetUniformLocation(renderingProgram, "choice"), &choice);
    EXPECT_EQ(choice, ChoiceTextured) << "drawTrap leaves choice at 0 for what follows";
}

TEST_F(Render, AnUndeadThatSensesThePlayerIsTintedAndTheNextIsNot) {
    gameState = Playing;
    thePlayer = std::make_unique<Player>(-0.9f, 0.0f, spriteSize, spriteSize, 0, playerTile.left,
                                         playerTile.top, playerTile.width, playerTile.height);
    theTrap = makeTrap(0);
    // The first stands near the Player, the second far off: only the first has sensed it.
    undeadList.push_back(undeadAt(-0.6f, 0.3f));
    undeadList.push_back(undeadAt(0.4f, -0.3f));
    undeadList[0]->flag = 1;
    drawFrame(1.0);
    Pixels pixels = Pixels::read();
    Hue tinted = hueAround(pixels, undeadList[0]->position.x, undeadList[0]->position.y);
    Hue plain = hueAround(pixels, undeadList[1]->position.x, undeadList[1]->position.y);
    ASSERT_GT(tinted.count, 50);
    ASSERT_GT(plain.count, 50);
    EXPECT_GT(tinted.redOverGreen / tinted.count, 40) << "a sensing zombie glows red";
    EXPECT_LT(plain.redOverGreen / plain.count, 0) << "an ordinary zombie stays green";

    // A stunned Undead is never tinted, whatever its flag.
    undeadList[0]->status = Stunned;
    undeadList[0]->flag = 1;
    drawFrame(1.0);
    Hue stunned = hueAround(Pixels::read(), undeadList[0]->position.x, undeadList[0]->position.y);
    EXPECT_LT(stunned.redOverGreen / stunned.count, 0);
}

TEST_F(Render, ASpriteSamplesTheSheetOfItsOwnUnit) {
    // The Player's shot tile sits on the effects sheet (unit 2); its bolt is blue.
    Projectile shot(0.0f, 0.0f, spriteSize, spriteSize, effectsSheetUnit, shotTile.left, shotTile.top,
                    shotTile.width, shotTile.height);
    Explosion before(-0.5f, 0.0f, 0.0);
    Player player(0.5f, 0.0f, spriteSize, spriteSize, 0, playerTile.left, playerTile.top, playerTile.width,
                  playerTile.height);
    for (const Entity* previous :
         {static_cast<const Entity*>(&before), static_cast<const Entity*>(&player)}) {
        clearWhite();
        drawEntity(*previous);
        drawEntity(shot);
        Pixels pixels = Pixels::read();
        int blue = 0;
        for (int y = 185; y < 215; ++y) {
            for (int x = 285; x < 315; ++x) {
                Rgb c = pixels.at(x, y);
                blue += c.b > c.r + 60;
            }
        }
        EXPECT_GT(blue, 30) << "after a sprite of unit " << previous->textureUnit;
    }
}
