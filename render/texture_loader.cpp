#include "render/texture_loader.h"

#include "render/image_file.h"

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

    // One texture format per channel count. Grey sheets are swizzled so they
    // show grey, not red, in a core profile that has no luminance formats.
    GLenum format = GL_RGB;
    GLint internalFormat = GL_RGB8;
    GLint swizzle[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
    switch (image.channels) {
    case 1:
        format = GL_RED, internalFormat = GL_R8;
        swizzle[0] = swizzle[1] = swizzle[2] = GL_RED, swizzle[3] = GL_ONE;
        break;
    case 2:
        format = GL_RG, internalFormat = GL_RG8;
        swizzle[0] = swizzle[1] = swizzle[2] = GL_RED, swizzle[3] = GL_GREEN;
        break;
    case 4: format = GL_RGBA, internalFormat = GL_RGBA8; break;
    default: break;
    }
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, swizzle);

    // Rows of 1 to 3 bytes a pixel need not be a multiple of four bytes long.
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, image.width, image.height, 0, format, GL_UNSIGNED_BYTE,
                 image.pixels.get());
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);

    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}
