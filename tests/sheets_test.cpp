// The committed sprite sheets: every tile the game samples holds a sprite,
// with plain background around it so filtering never pulls in a neighbour.
#include "render/image_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

struct Tile {
    const char* name;
    float left, top, width, height;
};

struct Sheet {
    const char* file;
    std::vector<Tile> tiles;
};

// As the fragment shader judges it.
bool isBackground(const unsigned char* p) {
    int lightest = std::max({p[0], p[1], p[2]}), darkest = std::min({p[0], p[1], p[2]});
    return darkest > 0.80 * 255 && lightest - darkest < 0.12 * 255;
}

std::vector<Sheet> sheets() {
    std::vector<Tile> explosion, undead = {{"zombie", 0.0f, 0.11f, 0.135f, 0.11f},
                                           {"skeleton", 0.722f, 0.1102f, 0.135f, 0.11f},
                                           {"wraith", 0.86f, 0.22f, 0.135f, 0.11f},
                                           {"mummy", 0.72f, 0.44f, 0.135f, 0.11f},
                                           {"vampire", 0.86f, 0.11f, 0.135f, 0.11f}};
    for (int column = 0; column < 7; ++column) {
        undead.push_back({"mascot", 0.144f * static_cast<float>(column), 0.555f, 0.144f, 0.11f});
    }
    for (int frame = 0; frame < 11; ++frame) {
        explosion.push_back({"explosion", 0.24f * static_cast<float>(frame % 4),
                             1.0f - 0.25f * static_cast<float>(frame / 4), 0.24f, 0.25f});
    }
    return {{"tz_classm32.jpg", {{"player", 0.25f, 0.6392f, 0.12f, 0.1f}}},
            {"tz_undead32.jpg", undead},
            {"tz_effects32.jpg",
             {{"shot", 0.164f, 0.265f, 0.08f, 0.08f}, {"bomb", 0.164f, 0.155f, 0.08f, 0.08f}}},
            {"explosion.jpg", explosion}};
}

} // namespace

TEST(Sheets, EveryTileHoldsASpriteWithBackgroundAtItsMargin) {
    for (const Sheet& sheet : sheets()) {
        std::string path = std::string(GORVATH_SOURCE_DIR) + "/textures/" + sheet.file;
        DecodedImage image = decodeImageFile(path.c_str());
        ASSERT_TRUE(image) << path;
        EXPECT_EQ(image.channels, 3) << path << " should be an RGB JPEG";
        for (const Tile& tile : sheet.tiles) {
            // Rows come bottom first, like texture space: row = v * height.
            int x0 = static_cast<int>(std::ceil(tile.left * image.width));
            int x1 =
                std::min(static_cast<int>(std::floor((tile.left + tile.width) * image.width)), image.width) -
                1;
            int y0 = static_cast<int>(std::ceil((tile.top - tile.height) * image.height));
            int y1 = static_cast<int>(std::floor(tile.top * image.height)) - 1;
            int sprite = 0, marginNotBackground = 0;
            for (int y = y0; y <= y1; ++y) {
                for (int x = x0; x <= x1; ++x) {
                    const unsigned char* p = image.pixels.get() + (y * image.width + x) * 3;
                    bool edge = x <= x0 + 1 || x >= x1 - 1 || y <= y0 + 1 || y >= y1 - 1;
                    if (edge) {
                        marginNotBackground += !isBackground(p);
                    } else {
                        sprite += !isBackground(p);
                    }
                }
            }
            const std::string where = std::string(sheet.file) + " " + tile.name + " at u " +
                                      std::to_string(tile.left) + " v " + std::to_string(tile.top);
            EXPECT_EQ(marginNotBackground, 0) << where;
            EXPECT_GE(sprite, 40) << where;
        }
    }
}
