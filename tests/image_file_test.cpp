// The picture decoder's gate: real JPEGs and PNGs pass, the broken files the
// system's decoder mishandles are turned away before it sees them.
#include "render/image_file.h"
#include "tests/support/process.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const std::string sheet = std::string(GORVATH_SOURCE_DIR) + "/textures/tz_undead32.jpg";

std::string scratchFile(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("gorvath-" + name)).string();
}

} // namespace

TEST(ImageFile, RealPicturesPass) {
    EXPECT_TRUE(acceptablePicture(readBytes(sheet)));
    // Progressive and grey JPEGs, and a PNG, as another program writes them.
    const std::string progressive = scratchFile("progressive.jpg"), grey = scratchFile("grey.jpg"),
                      png = scratchFile("sheet.png");
    ASSERT_EQ(runShell("convert " + sheet + " -interlace JPEG " + progressive), 0);
    ASSERT_EQ(runShell("convert " + sheet + " -colorspace Gray -type Grayscale " + grey), 0);
    ASSERT_EQ(runShell("convert " + sheet + " " + png), 0);
    for (const std::string& path : {progressive, grey, png}) {
        EXPECT_TRUE(acceptablePicture(readBytes(path))) << path;
        DecodedImage image = decodeImageFile(path.c_str());
        ASSERT_TRUE(image) << path;
        EXPECT_EQ(image.width, 240);
        EXPECT_EQ(image.height, 294);
    }
}

TEST(ImageFile, BrokenPicturesAreTurnedAway) {
    const std::string jpeg = readBytes(sheet);
    const size_t dht = jpeg.find("\xff\xc4");
    ASSERT_NE(dht, std::string::npos);

    // A Huffman table claiming 16 x 255 codes would overrun the decoder's table.
    std::string overfull = jpeg;
    for (size_t i = 0; i < 16; ++i) {
        overfull[dht + 5 + i] = '\xff';
    }
    EXPECT_FALSE(acceptablePicture(overfull));

    // A scan that decodes with a table slot nothing defined.
    std::string undefined = jpeg;
    const size_t scan = undefined.find("\xff\xda");
    ASSERT_NE(scan, std::string::npos);
    undefined[scan + 6] = '\x33'; // the first component's DC and AC tables: slot 3
    EXPECT_FALSE(acceptablePicture(undefined));

    // A PNG chunk longer than the file.
    const std::string text = readBytes(GORVATH_SOURCE_DIR "/shaders/vertShader.glsl");
    std::string lying =
        std::string("\x89PNG\r\n\x1a\n", 8) + std::string("\x7f\xff\xff\xff", 4) + "IDAT" + "xxxx";
    EXPECT_FALSE(acceptablePicture(lying));

    // Neither JPEG nor PNG, or nothing at all.
    EXPECT_FALSE(acceptablePicture(text));
    EXPECT_FALSE(acceptablePicture(""));
    EXPECT_FALSE(acceptablePicture(jpeg.substr(0, 3)));

    // Through the decoder: a picture larger than any sheet is refused before
    // the decoder can ask for its memory.
    std::string huge = jpeg;
    const size_t frame = huge.find("\xff\xc0");
    ASSERT_NE(frame, std::string::npos);
    huge.replace(frame + 5, 4, "\x30\x00\x30\x00"); // 12288 x 12288
    const std::string path = scratchFile("huge.jpg");
    std::ofstream(path, std::ios::binary) << huge;
    EXPECT_FALSE(decodeImageFile(path.c_str()));
}
