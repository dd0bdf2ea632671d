#include "render/image_file.h"

#include <stb_image.h>

namespace {

DecodedImage wrap(unsigned char* pixels, int width, int height, int channels) {
    DecodedImage image;
    if (pixels) {
        image.width = width;
        image.height = height;
        image.channels = channels;
        image.pixels = {pixels, stbi_image_free};
    }
    return image;
}

} // namespace

DecodedImage decodeImageFile(const char* path) {
    int width = 0, height = 0, channels = 0;
    stbi_set_flip_vertically_on_load(1);
    unsigned char* pixels = stbi_load(path, &width, &height, &channels, 0);
    return wrap(pixels, width, height, channels);
}

DecodedImage decodeImageMemory(const unsigned char* bytes, int length) {
    int width = 0, height = 0, channels = 0;
    stbi_set_flip_vertically_on_load(1);
    unsigned char* pixels = stbi_load_from_memory(bytes, length, &width, &height, &channels, 0);
    return wrap(pixels, width, height, channels);
}
