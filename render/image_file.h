// Decoding a picture file into pixels, bottom row first. Needs no GL, so the
// decoder can be exercised (and fuzzed) on its own.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

// Far above any real sheet (ours are under 100 kB): a larger file is not one
// of ours, and a larger picture makes the decoder ask for gigabytes.
inline constexpr std::size_t maxSheetBytes = std::size_t{64} << 20; // 64 MiB

struct DecodedImage {
    int width = 0, height = 0;
    int channels = 0; // the file's own: 1 grey, 2 grey+alpha, 3 RGB, 4 RGBA
    std::unique_ptr<unsigned char, void (*)(void*)> pixels{nullptr, nullptr};
    explicit operator bool() const { return pixels != nullptr; }
};

// Rows are flipped so that the first row in memory is the bottom of the
// picture. Empty when the file is missing or is not a JPEG or PNG picture.
DecodedImage decodeImageFile(const char* path);

// Whether the bytes are a JPEG or PNG that is safe to hand to the system's
// stb_image, which on some broken files writes past a table (a Huffman
// table of more than 256 codes), decodes with tables never defined, or asks
// for gigabytes on a chunk length no file backs. Those are turned away here.
bool acceptablePicture(std::string_view bytes);
