// Loading pictures into textures, in a real GL context.
#include "render/scene.h"
#include "render/texture_loader.h"
#include "tests/support/gl_window.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class Textures : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window.ok()); }

    std::string scratch(const std::string& name) { return data.file(name); }

    GameWindow window;
    DataCopy data;
};

struct TextureInfo {
    GLint width = 0, height = 0, internalFormat = 0, minFilter = 0, magFilter = 0, wrapS = 0, wrapT = 0;
};

TextureInfo describeBound() {
    TextureInfo info;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &info.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &info.height);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &info.internalFormat);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &info.minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &info.magFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &info.wrapS);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &info.wrapT);
    return info;
}

// The bound texture's texels as the shader sees them, bottom row first.
std::vector<unsigned char> boundTexels(int width, int height) {
    std::vector<unsigned char> rgba(static_cast<size_t>(width * height * 4));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}

GLint boundOn(int unit) {
    GLint name = 0;
    glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(unit));
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
    return name;
}

} // namespace

TEST_F(Textures, TheFourSheetsLoadSilentlyOntoUnitsZeroToThree) {
    ASSERT_EQ(chdir(data.path().c_str()), 0);
    SetupOutput output = initSceneCapturingOutput(window.handle());
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "");
    const int sizes[4][2] = {{250, 300}, {240, 294}, {400, 400}, {250, 240}};
    for (int unit = 0; unit < 4; ++unit) {
        EXPECT_NE(boundOn(unit), 0) << "unit " << unit;
        TextureInfo info = describeBound();
        EXPECT_EQ(info.width, sizes[unit][0]);
        EXPECT_EQ(info.height, sizes[unit][1]);
        EXPECT_EQ(info.internalFormat, GL_RGB8);
        EXPECT_EQ(info.minFilter, GL_LINEAR);
        EXPECT_EQ(info.magFilter, GL_LINEAR);
        EXPECT_EQ(info.wrapS, GL_CLAMP_TO_EDGE);
        EXPECT_EQ(info.wrapT, GL_CLAMP_TO_EDGE);
    }
}

TEST_F(Textures, AMissingSheetIsReportedOnceAndTheOthersStillLoad) {
    std::filesystem::remove(scratch("textures/explosion.jpg"));
    ASSERT_EQ(chdir(data.path().c_str()), 0);
    SetupOutput output = initSceneCapturingOutput(window.handle());
    EXPECT_EQ(output.out, "");
    EXPECT_EQ(output.err, "could not load texture file ./textures/explosion.jpg\n");
    for (int unit = 0; unit < 3; ++unit) {
        EXPECT_NE(boundOn(unit), 0) << "unit " << unit;
    }
    EXPECT_EQ(boundOn(3), 0);
}

TEST_F(Textures, EveryChannelCountUploadsInTheRightFormatWithRowsFlipped) {
    // 5 pixels wide: rows of 5, 10 and 15 bytes are not multiples of four.
    const int w = 5, h = 3;
    struct Case {
        int channels;
        GLint format;
    };
    for (Case c : {Case{1, GL_R8}, Case{2, GL_RG8}, Case{3, GL_RGB8}, Case{4, GL_RGBA8}}) {
        std::vector<unsigned char> picture(static_cast<size_t>(w * h * c.channels));
        for (size_t i = 0; i < picture.size(); ++i) {
            picture[i] = static_cast<unsigned char>(17 * i + 3);
        }
        std::string path = scratch("picture" + std::to_string(c.channels) + ".png");
        ASSERT_TRUE(stbi_write_png(path.c_str(), w, h, c.channels, picture.data(), w * c.channels));

        GLuint name = loadTexture(path.c_str());
        ASSERT_NE(name, 0u) << c.channels << " channels";
        GLint bound = 0;
        glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
        EXPECT_EQ(static_cast<GLuint>(bound), name);
        TextureInfo info = describeBound();
        EXPECT_EQ(info.internalFormat, c.format);
        EXPECT_EQ(info.width, w);
        EXPECT_EQ(info.height, h);

        std::vector<unsigned char> texels = boundTexels(w, h);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                // Texel row 0 is the picture's bottom row.
                const unsigned char* p = &picture[static_cast<size_t>(((h - 1 - y) * w + x) * c.channels)];
                const unsigned char* t = &texels[static_cast<size_t>((y * w + x) * 4)];
                unsigned char grey = p[0];
                unsigned char expected[4] = {grey, grey, grey, 255};
                if (c.channels == 2) {
                    expected[3] = p[1];
                } else if (c.channels >= 3) {
                    expected[1] = p[1], expected[2] = p[2];
                    expected[3] = c.channels == 4 ? p[3] : 255;
                }
                // Read back through the swizzle, as the shader samples it.
                GLint swizzle[4];
                glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);
                unsigned char seen[4];
                for (int k = 0; k < 4; ++k) {
                    switch (swizzle[k]) {
                    case GL_RED: seen[k] = t[0]; break;
                    case GL_GREEN: seen[k] = t[1]; break;
                    case GL_BLUE: seen[k] = t[2]; break;
                    case GL_ALPHA: seen[k] = t[3]; break;
                    case GL_ONE: seen[k] = 255; break;
                    default: seen[k] = 0; break;
                    }
                }
                for (int k = 0; k < 4; ++k) {
                    ASSERT_EQ(seen[k], expected[k])
                        << c.channels << " channels, texel " << x << "," << y << " channel " << k;
                }
            }
        }
    }
}

TEST_F(Textures, FilesThatAreNotPicturesGiveZero) {
    std::string empty = scratch("empty.jpg"), text = scratch("text.jpg"), truncated = scratch("half.jpg");
    std::ofstream(empty).close();
    std::ofstream(text) << "this is not a picture\n";
    const std::string whole = readBytes(scratch("textures/tz_undead32.jpg"));
    writeBytes(truncated, whole.substr(0, whole.size() / 2));
    for (const std::string& path : {empty, text, scratch("missing.jpg"), scratch("textures")}) {
        EXPECT_EQ(loadTexture(path.c_str()), 0u) << path;
    }
    // A JPEG cut short may still decode to a (partly grey) picture; it must not crash either way.
    loadTexture(truncated.c_str());

    // Through the scene setup, a bad sheet is reported and setup goes on.
    std::filesystem::copy_file(text, scratch("textures/tz_effects32.jpg"),
                               std::filesystem::copy_options::overwrite_existing);
    ASSERT_EQ(chdir(data.path().c_str()), 0);
    SetupOutput output = initSceneCapturingOutput(window.handle());
    EXPECT_EQ(output.err, "could not load texture file ./textures/tz_effects32.jpg\n");
    EXPECT_NE(boundOn(3), 0);
}
