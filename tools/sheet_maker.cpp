// Draws Gorvath's sprite sheets from the pixel-art sources in tools/sprites.
//
//   sheet_maker SOURCE.txt OUTPUT.jpg    (or OUTPUT.png: a sheet of few colours, as the
//                                         digits', is smaller and sharper kept losslessly)
//
// A source names the sheet's size and background, a palette of one-character
// colours, and the sprites. Each sprite is placed by the tile rectangle the
// game samples (texture space: left, top, width, height, v growing upward)
// and drawn centred in it at an integer scale, rows of text top to bottom:
//
//   sheet 250 300
//   background F6F3EA
//   colour K 22202A        # '.' is always the background
//   sprite 0.25 0.6392 0.12 0.1 scale 2
//   ..KK..
//   end
//
// An explosion frame is drawn from numbers rather than pixels:
//
//   burst LEFT TOP WIDTH HEIGHT radius R ring R2 core RRGGBB rim RRGGBB smoke RRGGBB density D seed S
//
// The maker refuses a sprite that would come within two pixels of its tile's
// edge (linear filtering would pull in a neighbour) or leave the sheet, and a
// colour light and grey enough for the game's shader to take for background.
#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Colour {
    unsigned char r = 0, g = 0, b = 0;
};

constexpr int margin = 2;

[[noreturn]] void fail(int line, const std::string& message) {
    std::cerr << "line " << line << ": " << message << "\n";
    std::exit(1);
}

Colour parseColour(const std::string& hex, int line) {
    if (hex.size() != 6) {
        fail(line, "colour must be RRGGBB: " + hex);
    }
    unsigned value = std::stoul(hex, nullptr, 16);
    return {static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value)};
}

// Mirrors the fragment shader's background test.
bool looksLikeBackground(Colour c) {
    int lightest = std::max({c.r, c.g, c.b});
    int darkest = std::min({c.r, c.g, c.b});
    return darkest > 0.80 * 255 && lightest - darkest < 0.12 * 255;
}

struct Sheet {
    int width = 0, height = 0;
    Colour background{246, 243, 234};
    std::vector<Colour> pixels;

    void set(int x, int y, Colour c) { pixels[static_cast<size_t>(y * width + x)] = c; }
};

// A tile rectangle in pixels: x0..x1 across, y0..y1 down from the sheet's top.
struct PixelRect {
    double x0, y0, x1, y1;
};

PixelRect tileRect(const Sheet& sheet, double left, double top, double width, double height) {
    return {left * sheet.width, (1.0 - top) * sheet.height, (left + width) * sheet.width,
            (1.0 - (top - height)) * sheet.height};
}

// The top-left pixel at which an artW × artH picture sits centred in the
// tile, clipped to the sheet (the Mascot's last column runs past its edge).
void place(const Sheet& sheet, PixelRect tile, int artW, int artH, int line, int& x, int& y) {
    double x1 = std::min(tile.x1, static_cast<double>(sheet.width));
    double y1 = std::min(tile.y1, static_cast<double>(sheet.height));
    x = static_cast<int>(std::lround((tile.x0 + x1 - artW) / 2));
    y = static_cast<int>(std::lround((tile.y0 + y1 - artH) / 2));
    if (x < tile.x0 + margin || y < tile.y0 + margin || x + artW > x1 - margin || y + artH > y1 - margin) {
        fail(line, "sprite does not fit its tile with a margin");
    }
}

void drawBurst(Sheet& sheet, PixelRect tile, std::istringstream& words, int line) {
    std::map<std::string, std::string> values;
    std::string key, value;
    while (words >> key >> value) {
        values[key] = value;
    }
    for (const char* needed : {"radius", "ring", "core", "rim", "smoke", "density", "seed"}) {
        if (!values.count(needed)) {
            fail(line, std::string("burst needs ") + needed);
        }
    }
    const double radius = std::stod(values["radius"]);
    const double ring = std::stod(values["ring"]); // inner radius of a hollowing burst
    const double density = std::stod(values["density"]);
    const Colour core = parseColour(values["core"], line), rim = parseColour(values["rim"], line),
                 smoke = parseColour(values["smoke"], line);
    std::mt19937 random(static_cast<unsigned>(std::stoul(values["seed"])));
    std::uniform_real_distribution<double> unit(0.0, 1.0);

    int size = static_cast<int>(std::ceil(2 * radius)) + 1, x0 = 0, y0 = 0;
    place(sheet, tile, size, size, line, x0, y0);
    const double cx = x0 + size / 2.0, cy = y0 + size / 2.0;
    for (int y = y0; y < y0 + size; ++y) {
        for (int x = x0; x < x0 + size; ++x) {
            double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            double angle = std::atan2(dy, dx);
            // Ragged edge: the radius wobbles with the angle.
            double edge = radius * (0.82 + 0.18 * std::sin(7 * angle + radius) * std::cos(3 * angle));
            double d = std::sqrt(dx * dx + dy * dy);
            if (d > edge || d < ring || unit(random) > density) {
                continue;
            }
            double f = d / edge;
            Colour c = f < 0.45 ? core : f < 0.8 ? rim : smoke;
            if (looksLikeBackground(c)) {
                fail(line, "burst colour would vanish as background");
            }
            sheet.set(x, y, c);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: sheet_maker SOURCE.txt OUTPUT.jpg|OUTPUT.png\n";
        return 2;
    }
    std::ifstream source(argv[1]);
    if (!source) {
        std::cerr << "cannot read " << argv[1] << "\n";
        return 1;
    }
    Sheet sheet;
    std::map<char, Colour> palette;
    std::string text;
    int lineNo = 0;
    while (std::getline(source, text)) {
        ++lineNo;
        text = text.substr(0, text.find('#'));
        std::istringstream words(text);
        std::string command;
        if (!(words >> command)) {
            continue;
        }
        if (command == "sheet") {
            words >> sheet.width >> sheet.height;
            sheet.pixels.assign(static_cast<size_t>(sheet.width * sheet.height), sheet.background);
        } else if (command == "background") {
            std::string hex;
            words >> hex;
            sheet.background = parseColour(hex, lineNo);
            if (!looksLikeBackground(sheet.background)) {
                fail(lineNo, "the background must be light and grey");
            }
            sheet.pixels.assign(sheet.pixels.size(), sheet.background);
        } else if (command == "colour") {
            std::string key, hex;
            words >> key >> hex;
            palette[key[0]] = parseColour(hex, lineNo);
            if (looksLikeBackground(palette[key[0]])) {
                fail(lineNo, "colour " + key + " would vanish as background");
            }
        } else if (command == "sprite" || command == "burst") {
            if (sheet.pixels.empty()) {
                fail(lineNo, "sheet size first");
            }
            double left, top, width, height;
            words >> left >> top >> width >> height;
            PixelRect tile = tileRect(sheet, left, top, width, height);
            if (command == "burst") {
                drawBurst(sheet, tile, words, lineNo);
                continue;
            }
            std::string word;
            int scale = 1;
            words >> word >> scale;
            std::vector<std::string> rows;
            const int start = lineNo;
            while (std::getline(source, text) && (++lineNo, text != "end")) {
                rows.push_back(text);
            }
            if (rows.empty()) {
                fail(start, "empty sprite");
            }
            const int artW = static_cast<int>(rows[0].size()), artH = static_cast<int>(rows.size());
            int x0 = 0, y0 = 0;
            place(sheet, tile, artW * scale, artH * scale, start, x0, y0);
            for (int r = 0; r < artH; ++r) {
                if (static_cast<int>(rows[static_cast<size_t>(r)].size()) != artW) {
                    fail(start + 1 + r, "rows of a sprite must be equally long");
                }
                for (int c = 0; c < artW; ++c) {
                    char key = rows[static_cast<size_t>(r)][static_cast<size_t>(c)];
                    if (key == '.') {
                        continue;
                    }
                    if (!palette.count(key)) {
                        fail(start + 1 + r, std::string("no colour for '") + key + "'");
                    }
                    for (int dy = 0; dy < scale; ++dy) {
                        for (int dx = 0; dx < scale; ++dx) {
                            sheet.set(x0 + c * scale + dx, y0 + r * scale + dy, palette[key]);
                        }
                    }
                }
            }
        } else {
            fail(lineNo, "unknown command " + command);
        }
    }
    if (sheet.pixels.empty()) {
        std::cerr << "no sheet in " << argv[1] << "\n";
        return 1;
    }
    // Baseline RGB JPEG at high quality, so edges stay crisp; or PNG, losslessly.
    const std::string output = argv[2];
    const bool png = output.size() > 4 && output.compare(output.size() - 4, 4, ".png") == 0;
    if (!(png ? stbi_write_png(argv[2], sheet.width, sheet.height, 3, sheet.pixels.data(), sheet.width * 3)
              : stbi_write_jpg(argv[2], sheet.width, sheet.height, 3, sheet.pixels.data(), 95))) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
