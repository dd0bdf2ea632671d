// The tile animations, the picture decoder's gate and the field's place in
// the window: what needs no drawing.
#include "files/data_file.h"
#include "game/animation.h"
#include "game/game_setup.h"
#include "render/image_file.h"
#include "render/shader_loader.h"
#include "render/viewport.h"
#include "tests/support/game_test.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <tuple>

namespace {

using Floats = std::vector<float>;

TEST(Animation, AnExplosionStepsThroughElevenTilesOncePerTenthOfASecond) {
    Explosion explosion(0.3f, -0.2f, 0.0);
    const double period = static_cast<double>(0.1f); // 0.10000000149011612
    animateExplosion(explosion, 0.1);
    animateExplosion(explosion, period);
    EXPECT_EQ(explosion.frameIndex, 0) << "due only once more than the period has passed";
    EXPECT_EQ(explosion.frameTimer, 0.0);

    // The tiles' left and top edges: along the top row, back to the left of the next row after every
    // fourth, added up in floats; the eleventh step finishes it on the last tile.
    const float lefts[11] = {0.24f, 0.48f, 0.72f, 0.0f, 0.24f, 0.48f, 0.72f, 0.0f, 0.24f, 0.48f, 0.48f};
    const float tops[11] = {1.0f, 1.0f, 1.0f, 0.75f, 0.75f, 0.75f, 0.75f, 0.5f, 0.5f, 0.5f, 0.5f};
    double t = 0.0;
    for (int step = 0; step < 11; ++step) {
        t = std::nextafter(t + period, 1e9);
        animateExplosion(explosion, t);
        ASSERT_NEAR(explosion.texCoords[0], lefts[step], 1e-6f) << "step " << step + 1;
        ASSERT_EQ(explosion.texCoords[5], tops[step]) << "step " << step + 1;
        ASSERT_EQ(explosion.frameTimer, t);
        ASSERT_EQ(explosion.status, step < 10 ? Active : Finished) << "step " << step + 1;
        ASSERT_EQ(explosion.frameIndex, std::min(step + 1, 10));
    }
}

// The gate in front of the system's picture decoder: each row breaks one
// thing that decoder mishandles, in an otherwise sound sheet.
TEST(ImageFile, PicturesTheDecoderWouldMishandleAreTurnedAway) {
    std::ifstream in(GORVATH_SOURCE_DIR "/textures/tz_undead32.jpg", std::ios::binary);
    const std::string jpeg{std::istreambuf_iterator<char>(in), {}};
    const size_t scan = jpeg.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    ASSERT_TRUE(acceptablePicture(jpeg));

    // A Huffman table of 257 codes (one more than a table holds), whole and in bounds.
    const std::string counts = std::string(14, '\0') + "\x02\xff";
    const std::string overfull = jpeg.substr(0, 2) + std::string("\xff\xc4\x01\x14\x00", 5) + counts +
                                 std::string(257, '\x01') + jpeg.substr(2);
    std::string undefinedDc = jpeg, undefinedAc = jpeg;
    undefinedDc[scan + 6] = '\x30'; // the scan's first component decodes with DC table 3,
    undefinedAc[scan + 6] = '\x03'; // or with AC table 3, neither of them defined
    const std::string png = std::string("\x89PNG\r\n\x1a\n", 8);
    const std::string rows[] = {
        overfull,    undefinedDc,
        undefinedAc, png + std::string("\x00\x00\x00\x10IHDR", 8) + std::string(20, 'x'),
        "GIF89a",    ""};
    for (const std::string& bytes : rows) {
        EXPECT_FALSE(acceptablePicture(bytes)) << bytes.size() << " bytes";
    }

    // Pictures up to 8192 pixels a side decode; a wider or taller one is
    // refused before the decoder asks for its memory.
    const std::string path = scratchPath("long") + ".jpg";
    const std::vector<unsigned char> pixels(8193 * 3, 90);
    for (auto [width, height] : {std::pair{8192, 1}, {8193, 1}, {1, 8192}, {1, 8193}}) {
        ASSERT_TRUE(stbi_write_jpg(path.c_str(), width, height, 3, pixels.data(), 90));
        EXPECT_EQ(static_cast<bool>(decodeImageFile(path.c_str())), width * height == 8192)
            << width << " x " << height;
    }
}

// A shader or a sheet of exactly its limit is read whole (many reads); one
// byte more is not. Through a symbolic link, as directly.
TEST(DataFiles, EachSizeLimitHoldsFromBothSides) {
    namespace fs = std::filesystem;
    const fs::path file = scratchPath("limit"), path = file.string() + "-link";
    fs::create_symlink(file, path);
    for (std::size_t extra : {0, 1}) {
        SCOPED_TRACE(extra);
        fs::copy_file(GORVATH_SOURCE_DIR "/textures/tz_undead32.jpg", file,
                      fs::copy_options::overwrite_existing);
        fs::resize_file(file, maxSheetBytes + extra); // the picture, then zeros the decoder never reads
        EXPECT_EQ(static_cast<bool>(decodeImageFile(path.c_str())), extra == 0);
        fs::resize_file(file, maxShaderBytes + extra);
        EXPECT_EQ(readShaderSource(path.c_str()).size(), extra == 0 ? maxShaderBytes + 1 : 0);
    }
    fs::remove(path), fs::remove(file);
}

} // namespace
