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

} // namespace
