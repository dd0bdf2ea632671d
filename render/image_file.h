// Decoding a picture file into pixels, bottom row first. Needs no GL, so the
// decoder can be exercised (and fuzzed) on its own.
#pragma once

#include <memory>

struct DecodedImage {
    int width = 0, height = 0;
    int channels = 0; // the file's own: 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
    std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, nullptr};
    explicit operator bool() const { return pixels != nullptr; }
};

// Rows are flipped so that the first row in memory is the bottom of the
// picture. An empty result when the file is missing or is not a picture.
DecodedImage decodeImageFile(const char* path);
DecodedImage decodeImageMemory(const unsigned char* bytes, int length);
