#include "render/won_sign.h"

#include "entity/kinds.h"
#include "render/sprites.h"

#include <memory>
#include <string>
#include <vector>

namespace {

// The tiles of tools/sprites/digits.txt: a row of glyphs 19 x 25 pixels of
// the 256 x 64 sheet (0 to 9, the point, s and the number sign), then the
// words NEW BEST and the crown.
constexpr float sheetWide = 256, sheetHigh = 64;
constexpr TileRect glyphTile(int i) {
    return {(1 + 19 * i) / sheetWide, 62 / sheetHigh, 19 / sheetWide, 25 / sheetHigh};
}
constexpr int point = 10, seconds = 11, numberSign = 12;
constexpr TileRect newBestTile{2 / sheetWide, 34 / sheetHigh, 100 / sheetWide, 20 / sheetHigh};
constexpr TileRect crownTile{110 / sheetWide, 34 / sheetHigh, 28 / sheetWide, 18 / sheetHigh};

// On the field: a glyph's width (its tile's margins are the space between
// glyphs), the lines' heights.
constexpr float glyphWide = 0.09f, glyphHigh = glyphWide * 25 / 19;
constexpr float timeLine = 0.12f, placeLine = -0.06f, crownLine = 0.27f;

int glyphOf(char c) { return c == '.' ? point : c == 's' ? seconds : c == '#' ? numberSign : c - '0'; }

struct Sign {
    std::string seconds;
    int place = -1;
    std::vector<std::unique_ptr<Entity>> sprites;
} sign;

void add(float x, float y, float wide, float high, const TileRect& tile) {
    sign.sprites.push_back(std::make_unique<Entity>(x, y, wide, high, digitsSheetUnit, tile.left, tile.top,
                                                    tile.width, tile.height));
}

// A line of glyphs centred on the field.
void addLine(const std::string& text, float y) {
    const float left = -glyphWide * static_cast<float>(text.size() - 1) / 2;
    for (std::size_t i = 0; i < text.size(); ++i) {
        add(left + glyphWide * static_cast<float>(i), y, glyphWide, glyphHigh, glyphTile(glyphOf(text[i])));
    }
}

} // namespace

void drawWonSign(const std::string& seconds, int place) {
    if (sign.seconds != seconds || sign.place != place) { // made once a win, drawn every frame
        sign = {seconds, place, {}};
        addLine(seconds + "s", timeLine);
        if (place == 1) {
            add(0.0f, crownLine, 0.16f, 0.16f * 18 / 28, crownTile);
            add(0.0f, placeLine, 0.5f, 0.5f * 20 / 100, newBestTile);
        } else if (place > 1) {
            std::string line = "#";
            addLine(line += std::to_string(place), placeLine);
        }
    }
    setChoice(ChoiceTextured);
    for (const auto& sprite : sign.sprites) {
        drawEntity(*sprite);
    }
}
