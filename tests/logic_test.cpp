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

    // Each tile's left, right, top and bottom after each step, added up in floats.
    const float tiles[11][4] = {
        {0.239999995f, 0.479999989f, 1.0f, 0.75f}, {0.479999989f, 0.719999969f, 1.0f, 0.75f},
        {0.719999969f, 0.959999979f, 1.0f, 0.75f}, {0.0f, 0.24000001f, 0.75f, 0.5f},
        {0.239999995f, 0.480000019f, 0.75f, 0.5f}, {0.479999989f, 0.720000029f, 0.75f, 0.5f},
        {0.719999969f, 0.960000038f, 0.75f, 0.5f}, {0.0f, 0.240000069f, 0.5f, 0.25f},
        {0.239999995f, 0.480000079f, 0.5f, 0.25f}, {0.479999989f, 0.720000088f, 0.5f, 0.25f},
        {0.479999989f, 0.720000088f, 0.5f, 0.25f}, // the eleventh step finishes it on the last tile
    };
    double t = 0.0;
    for (int step = 0; step < 11; ++step) {
        t = std::nextafter(t + period, 1e9);
        animateExplosion(explosion, t);
        const auto [l, r, top, bottom] = tiles[step];
        ASSERT_EQ(explosion.texCoords, (Floats{l, bottom, r, bottom, l, top, r, top})) << "step " << step + 1;
        ASSERT_EQ(explosion.frameTimer, t);
        ASSERT_EQ(explosion.status, step < 10 ? Active : Finished) << "step " << step + 1;
        ASSERT_EQ(explosion.frameIndex, std::min(step + 1, 10));
    }
}

TEST(Animation, TheMascotWalksOutAndBackAndStartsOverExactly) {
    const std::unique_ptr<Mascot> mascot = createMascot();
    const double period = static_cast<double>(0.2f);
    animateMascot(*mascot, period);
    EXPECT_EQ(mascot->frameIndex, 0);

    // Left and right edges of the tile after each step, added up in floats.
    const float columns[12][2] = {
        {0.143999994f, 0.287999988f}, {0.287999988f, 0.431999981f}, {0.431999981f, 0.575999975f},
        {0.575999975f, 0.719999969f}, {0.719999969f, 0.863999963f}, {0.863999963f, 1.0079999f},
        {0.719999969f, 0.863999903f}, {0.575999975f, 0.719999909f}, {0.431999981f, 0.575999916f},
        {0.287999988f, 0.431999922f}, {0.143999994f, 0.287999928f}, {0.0f, 0.144f}};
    double t = 0.0;
    for (int cycle = 0; cycle < 3; ++cycle) {
        for (int step = 0; step < 12; ++step) {
            const double due = std::nextafter(mascot->frameTimer + period, 1e9);
            // The step back to the first tile keeps the timer, so after it
            // the walk goes on in the very next frame.
            t = cycle > 0 && step == 0 ? t + 0.001 : due;
            animateMascot(*mascot, t);
            const auto [l, r] = columns[step];
            ASSERT_EQ(mascot->texCoords, (Floats{l, 0.555f - 0.11f, r, 0.555f - 0.11f, l, 0.555f, r, 0.555f}))
                << "cycle " << cycle << " step " << step;
            ASSERT_EQ(mascot->frameIndex, (step + 1) % 12);
            ASSERT_EQ(mascot->frameTimer == t, step < 11);
        }
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

// A shader or a sheet of exactly its limit is read whole; one byte more is not.
TEST(DataFiles, EachSizeLimitHoldsFromBothSides) {
    namespace fs = std::filesystem;
    const fs::path path = scratchPath("limit");
    for (std::size_t extra : {0, 1}) {
        SCOPED_TRACE(extra);
        fs::copy_file(GORVATH_SOURCE_DIR "/textures/tz_undead32.jpg", path,
                      fs::copy_options::overwrite_existing);
        fs::resize_file(path, maxSheetBytes + extra); // the picture, then zeros the decoder never reads
        EXPECT_EQ(static_cast<bool>(decodeImageFile(path.c_str())), extra == 0);
        fs::resize_file(path, maxShaderBytes + extra);
        EXPECT_EQ(readShaderSource(path.c_str()).size(), extra == 0 ? maxShaderBytes + 1 : 0);
    }
    fs::remove(path);
}

TEST(Display, TheFieldFillsTheLargestThreeByTwoAreaCentredInTheFramebuffer) {
    const std::pair<std::pair<int, int>, FieldArea> rows[] = {
        {{600, 400}, {0, 0, 600, 400}},   {{900, 400}, {150, 0, 600, 400}},
        {{600, 600}, {0, 100, 600, 400}}, {{1280, 1024}, {1, 86, 1278, 852}},
        {{601, 401}, {0, 0, 600, 400}},   {{0, 0}, {0, 0, 0, 0}},
        {{1, 1}, {0, 0, 0, 0}},
    };
    for (const auto& [size, area] : rows) {
        const FieldArea got = fieldArea(size.first, size.second);
        EXPECT_EQ(std::tie(got.x, got.y, got.width, got.height),
                  std::tie(area.x, area.y, area.width, area.height))
            << size.first << " x " << size.second;
    }
}

} // namespace
