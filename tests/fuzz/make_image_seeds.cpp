// Writes the image fuzzer's seed corpus: tiny pictures in each format and
// channel count the decoder meets.
//
//   make_image_seeds DIRECTORY
#include <stb_image_write.h>

#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<unsigned char> pixels(8 * 6 * 4);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = static_cast<unsigned char>(i * 37);
    }
    bool ok = stbi_write_jpg((dir + "/rgb.jpg").c_str(), 8, 6, 3, pixels.data(), 80) &&
              stbi_write_png((dir + "/grey.png").c_str(), 5, 3, 1, pixels.data(), 5) &&
              stbi_write_png((dir + "/grey-alpha.png").c_str(), 5, 3, 2, pixels.data(), 10) &&
              stbi_write_png((dir + "/rgba.png").c_str(), 4, 4, 4, pixels.data(), 16) &&
              stbi_write_bmp((dir + "/rgb.bmp").c_str(), 3, 2, 3, pixels.data()) &&
              stbi_write_tga((dir + "/rgb.tga").c_str(), 3, 2, 3, pixels.data());
    return ok ? 0 : 1;
}
