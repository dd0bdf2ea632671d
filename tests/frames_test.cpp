// Scripted frames, drawn with the game's own shaders, must match to the last
// pixel the reference pictures in tests/frames/, taken from the drawing as it
// was first written: a faster way to draw must not change what a player sees.
// GORVATH_NEW_REFERENCES=1 writes the pictures instead (after a change that
// is meant to be seen).
#include "app/frame.h"
#include "game/game_setup.h"
#include "render/image_file.h"
#include "render/scene.h"
#include "render/texture_loader.h"
#include "tests/support/game_test.h"

#include <GL/glew.h>
#include <stb_image_write.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

using Frames = GameTest;

void expectFrame(const std::string& name) {
    std::vector<unsigned char> shown(600 * 400 * 3);
    glReadPixels(0, 0, 600, 400, GL_RGB, GL_UNSIGNED_BYTE, shown.data()); // bottom row first
    const std::string path = std::string(GORVATH_SOURCE_DIR) + "/tests/frames/" + name + ".png";
    if (std::getenv("GORVATH_NEW_REFERENCES")) {
        stbi_flip_vertically_on_write(1);
        ASSERT_TRUE(stbi_write_png(path.c_str(), 600, 400, 3, shown.data(), 600 * 3));
        return;
    }
    const DecodedImage reference = decodeImageFile(path.c_str()); // bottom row first too
    ASSERT_TRUE(reference && reference.channels == 3) << path;
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), reference.pixels.get())) << name << " differs";
}

TEST_F(Frames, EveryScriptedFrameLooksAsItAlwaysHas) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    ASSERT_EQ(setUpScene(".").first, "");
    drawScriptedFrames(expectFrame);
}

// A grey sheet, with or without alpha, is grey on its texture, not red.
TEST_F(Frames, AGreySheetIsGrey) {
    const std::string path = scratchPath("grey") + ".png";
    const unsigned char grey[] = {40, 255, 200, 128}; // four grey pixels, or two with alpha
    activateTextureUnit(9);
    for (const int channels : {1, 2}) {
        ASSERT_TRUE(stbi_write_png(path.c_str(), 4 / channels, 1, channels, grey, 4));
        GLuint texture = loadTexture(path.c_str());
        unsigned char shown[4 * 3] = {};
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, shown);
        for (int i = 0; i < 4 / channels; ++i) {
            const unsigned char* c = shown + 3 * i;
            EXPECT_TRUE(c[0] == grey[i * channels] && c[1] == c[0] && c[2] == c[0]) << channels << ", " << i;
        }
        glDeleteTextures(1, &texture);
    }
    activateTextureUnit(0);
    std::filesystem::remove(path);
}

} // namespace
