// Cuts the game's icon out of a sprite sheet: the sprite in one tile,
// scaled up with hard pixel edges onto a transparent square.
//
//   icon_maker SHEET.jpg LEFT TOP WIDTH HEIGHT SIZE OUTPUT.png
//
// The tile is given as the game gives it: texture coordinates with v up.
#include <stb_image.h>
#include <stb_image_write.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// The sheets' plain light background, as the game's shader judges it.
bool isBackground(const unsigned char* p) {
    int lightest = std::max({p[0], p[1], p[2]}), darkest = std::min({p[0], p[1], p[2]});
    return darkest > 0.80 * 255 && lightest - darkest < 0.12 * 255;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 8) {
        std::fprintf(stderr, "usage: icon_maker SHEET LEFT TOP WIDTH HEIGHT SIZE OUTPUT.png\n");
        return 2;
    }
    int w = 0, h = 0, n = 0;
    unsigned char* sheet = stbi_load(argv[1], &w, &h, &n, 3);
    if (!sheet) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double left = std::atof(argv[2]), top = std::atof(argv[3]), width = std::atof(argv[4]),
                 height = std::atof(argv[5]);
    const int size = std::atoi(argv[6]);
    const int x0 = static_cast<int>(left * w), x1 = std::min(static_cast<int>((left + width) * w), w);
    const int y0 = static_cast<int>((1 - top) * h),
              y1 = std::min(static_cast<int>((1 - top + height) * h), h);

    // The sprite's bounding box inside the tile.
    int bx0 = x1, by0 = y1, bx1 = x0, by1 = y0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            if (!isBackground(sheet + (y * w + x) * 3)) {
                bx0 = std::min(bx0, x), by0 = std::min(by0, y), bx1 = std::max(bx1, x + 1),
                by1 = std::max(by1, y + 1);
            }
        }
    }
    if (bx1 <= bx0 || by1 <= by0) {
        std::fprintf(stderr, "the tile is empty\n");
        return 1;
    }
    const int side = std::max(bx1 - bx0, by1 - by0);
    const int scale = std::max(1, size / side);
    const int offsetX = (size - (bx1 - bx0) * scale) / 2, offsetY = (size - (by1 - by0) * scale) / 2;

    std::vector<unsigned char> icon(static_cast<size_t>(size * size * 4), 0);
    for (int y = by0; y < by1; ++y) {
        for (int x = bx0; x < bx1; ++x) {
            const unsigned char* p = sheet + (y * w + x) * 3;
            if (isBackground(p)) {
                continue;
            }
            for (int dy = 0; dy < scale; ++dy) {
                for (int dx = 0; dx < scale; ++dx) {
                    const int ix = offsetX + (x - bx0) * scale + dx, iy = offsetY + (y - by0) * scale + dy;
                    if (ix < size && iy < size) {
                        unsigned char* q = &icon[static_cast<size_t>((iy * size + ix) * 4)];
                        q[0] = p[0], q[1] = p[1], q[2] = p[2], q[3] = 255;
                    }
                }
            }
        }
    }
    stbi_image_free(sheet);
    return stbi_write_png(argv[7], size, size, 4, icon.data(), size * 4) ? 0 : 1;
}
