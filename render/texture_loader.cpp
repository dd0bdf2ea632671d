#include "render/texture_loader.h"

#include "render/image_file.h"

#include <vector>

GLuint loadTexture(const char* path) {
    DecodedImage image = decodeImageFile(path);
    if (!image) {
        return 0;
    }
    GLint maxSize = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSize);
    if (image.width > maxSize || image.height > maxSize) {
        return 0;
    }

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);

    // A grey sheet (one channel, or grey and alpha) is made RGB or RGBA here,
    // so that it shows grey, not red: neither a core profile nor WebGL 2 has
    // luminance formats, and WebGL 2 has no swizzle either.
    const std::size_t pixels = static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height);
    std::vector<unsigned char> coloured;
    const unsigned char* texels = image.pixels.get();
    if (image.channels <= 2) {
        coloured.reserve(pixels * static_cast<std::size_t>(image.channels + 2));
        for (std::size_t i = 0; i < pixels; ++i) {
            const unsigned char* grey = texels + i * static_cast<std::size_t>(image.channels);
            coloured.insert(coloured.end(), {grey[0], grey[0], grey[0]});
            if (image.channels == 2) {
                coloured.push_back(grey[1]);
            }
        }
        texels = coloured.data();
    }
    const bool alpha = image.channels == 2 || image.channels == 4;

    // Rows of 3 bytes a pixel need not be a multiple of four bytes long.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, image.width, image.height, 0,
                 alpha ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, texels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}
