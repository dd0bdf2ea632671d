// Scripted frames, drawn with the game's own shaders, must match to the last
// pixel the reference pictures in tests/frames/, taken from the drawing as it
// was first written: a faster way to draw must not change what a player sees.
// GORVATH_NEW_REFERENCES=1 writes the pictures instead (after a change that
// is meant to be seen).
#include "app/frame.h"
#include "game/game_setup.h"
#include "render/image_file.h"
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

// Data files larger than one read, and a sheet reached by a symbolic link,
// load whole and draw as the shipped ones do.
TEST_F(Frames, BigAndLinkedDataFilesDrawAsTheShippedOnes) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    namespace fs = std::filesystem;
    const fs::path source = GORVATH_SOURCE_DIR;
    const fs::path scratch = scratchPath("big");
    fs::remove_all(scratch);
    fs::create_directories(scratch / "linked");
    fs::copy(source / "shaders", scratch / "shaders");
    fs::copy(source / "textures", scratch / "textures");
    const fs::path shader = scratch / "shaders/vertShader.glsl",
                   effects = scratch / "textures/tz_effects32.jpg";
    std::ofstream(shader, std::ios::app) << "// " << std::string(100000, '=') << "\n";
    std::ifstream in(effects, std::ios::binary);
    std::string jpeg{std::istreambuf_iterator<char>(in), {}};
    // Two comments of 60 000 bytes each after the start-of-image marker: the same picture.
    const std::string comment = std::string("\xff\xfe\xea\x62", 4) + std::string(60000, 'x');
    jpeg.insert(2, comment + comment);
    std::ofstream(effects, std::ios::binary) << jpeg;
    fs::rename(scratch / "textures/tz_undead32.jpg", scratch / "linked/undead.jpg");
    fs::create_symlink(scratch / "linked/undead.jpg", scratch / "textures/tz_undead32.jpg");
    ASSERT_GT(fs::file_size(shader), 65536u);
    ASSERT_GT(fs::file_size(effects), 65536u);

    const auto [out, err] = setUpScene(fs::relative(scratch, source).string());
    EXPECT_EQ(out + err, "");
    scriptGame(KeyTrapMode);
    drawFrame(0.0);
    expectFrame("S-0");
    fs::remove_all(scratch);
}

// A grey sheet, with or without alpha, draws grey: the Player's sheet made
// grey, each drawn pixel of the Player is as red as it is green and blue.
TEST_F(Frames, AGreySheetDrawsGrey) {
    namespace fs = std::filesystem;
    const fs::path source = GORVATH_SOURCE_DIR, scratch = scratchPath("grey");
    const DecodedImage sheet = decodeImageFile(GORVATH_SOURCE_DIR "/textures/tz_classm32.jpg");
    ASSERT_TRUE(sheet && sheet.channels == 3);
    for (const int channels : {1, 2}) {
        SCOPED_TRACE(channels);
        fs::remove_all(scratch);
        fs::create_directories(scratch);
        fs::copy(source / "shaders", scratch / "shaders");
        fs::copy(source / "textures", scratch / "textures");
        const std::size_t pixels =
            static_cast<std::size_t>(sheet.width) * static_cast<std::size_t>(sheet.height);
        std::vector<unsigned char> grey;
        for (std::size_t i = 0; i < pixels; ++i) {
            const unsigned char* rgb = sheet.pixels.get() + 3 * i;
            grey.push_back(static_cast<unsigned char>((rgb[0] * 3 + rgb[1] * 6 + rgb[2]) / 10));
            if (channels == 2) {
                grey.push_back(255);
            }
        }
        stbi_flip_vertically_on_write(1); // the decoder gave the bottom row first
        ASSERT_TRUE(stbi_write_png((scratch / "textures/tz_classm32.jpg").c_str(), sheet.width, sheet.height,
                                   channels, grey.data(), sheet.width * channels));
        ASSERT_EQ(setUpScene(fs::relative(scratch, source).string()),
                  std::pair(std::string(), std::string()));
        play(KeyTrapMode);
        drawField();
        unsigned char player[30 * 30 * 3]; // around (-0.9, 0)
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(15, 185, 30, 30, GL_RGB, GL_UNSIGNED_BYTE, player);
        int drawn = 0;
        for (int i = 0; i < 30 * 30; ++i) {
            const unsigned char* c = player + 3 * i;
            drawn += c[0] != 255 || c[1] != 255 || c[2] != 255;
            ASSERT_TRUE(c[0] == c[1] && c[1] == c[2]) << int{c[0]} << "," << int{c[1]} << "," << int{c[2]};
        }
        EXPECT_GT(drawn, 100) << "the Player drawn";
    }
    fs::remove_all(scratch);
    setUpScene(".");
}

} // namespace
