#include "render/image_file.h"

#include "files/data_file.h"

#include <stb_image.h>

namespace {

// Far larger than any sprite sheet; a bigger picture is not one of ours, and
// would only make the decoder ask for gigabytes.
constexpr int maxSide = 8192;

unsigned byteAt(std::string_view bytes, size_t i) { return static_cast<unsigned char>(bytes[i]); }

// Which Huffman tables the picture has defined so far, by class (DC, AC) and slot.
struct HuffmanTables {
    bool defined[2][4] = {};
};

bool defineTables(std::string_view jpeg, size_t table, size_t end, HuffmanTables& tables) {
    while (table < end) {
        if (table + 17 > end) {
            return false;
        }
        const unsigned tableClass = byteAt(jpeg, table) >> 4, slot = byteAt(jpeg, table) & 15;
        size_t codes = 0;
        for (size_t i = 1; i <= 16; ++i) {
            codes += byteAt(jpeg, table + i);
        }
        if (tableClass > 1 || slot > 3 || codes > 256 || table + 17 + codes > end) {
            return false;
        }
        tables.defined[tableClass][slot] = true;
        table += 17 + codes;
    }
    return true;
}

// A scan may only decode with tables defined before it. A progressive
// picture's DC scans use only DC tables, and its AC scans only AC tables.
bool scanTablesDefined(std::string_view jpeg, size_t header, size_t end, bool progressive,
                       const HuffmanTables& tables) {
    if (header >= end) {
        return false;
    }
    const size_t components = byteAt(jpeg, header);
    const size_t spectrum = header + 1 + 2 * components;
    if (spectrum + 3 > end) {
        return false;
    }
    const bool dcScan = byteAt(jpeg, spectrum) == 0, firstPass = (byteAt(jpeg, spectrum + 2) >> 4) == 0;
    for (size_t i = 0; i < components; ++i) {
        const unsigned dc = byteAt(jpeg, header + 2 + 2 * i) >> 4, ac = byteAt(jpeg, header + 2 + 2 * i) & 15;
        const bool needsDc = !progressive || (dcScan && firstPass), needsAc = !progressive || !dcScan;
        if ((needsDc && (dc > 3 || !tables.defined[0][dc])) ||
            (needsAc && (ac > 3 || !tables.defined[1][ac]))) {
            return false;
        }
    }
    return true;
}

// Walks every segment of the JPEG, scans included (a progressive picture
// defines tables between its scans), and checks its Huffman tables: each
// holds at most 256 codes, and each scan uses only tables already defined.
bool huffmanTablesSound(std::string_view jpeg) {
    HuffmanTables tables;
    bool progressive = false;
    size_t at = 2; // past the start-of-image marker
    while (at + 2 <= jpeg.size()) {
        if (byteAt(jpeg, at) != 0xFF) {
            return false;
        }
        const unsigned marker = byteAt(jpeg, at + 1);
        if (marker == 0xD9) {
            return true; // end of image
        }
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || (marker >= 0xD0 && marker <= 0xD7) || marker == 0x01) {
            at += 2; // markers without a length
            continue;
        }
        if (at + 4 > jpeg.size()) {
            return false;
        }
        const size_t length = byteAt(jpeg, at + 2) << 8 | byteAt(jpeg, at + 3);
        const size_t end = at + 2 + length;
        if (length < 2 || end > jpeg.size()) {
            return false;
        }
        if (marker == 0xC2) {
            progressive = true;
        }
        if (marker == 0xC4 && !defineTables(jpeg, at + 4, end, tables)) {
            return false;
        }
        if (marker == 0xDA && !scanTablesDefined(jpeg, at + 4, end, progressive, tables)) {
            return false;
        }
        at = end;
        if (marker == 0xDA) {
            // Entropy-coded data: a 0xFF in it is followed by 0 (a stuffed byte)
            // or a restart marker; anything else is the next segment.
            while (at + 1 < jpeg.size() &&
                   !(byteAt(jpeg, at) == 0xFF && byteAt(jpeg, at + 1) != 0 &&
                     !(byteAt(jpeg, at + 1) >= 0xD0 && byteAt(jpeg, at + 1) <= 0xD7))) {
                ++at;
            }
            if (at + 1 >= jpeg.size()) {
                return true; // cut short: the decoder finds out for itself
            }
        }
    }
    return true;
}

// Every chunk of the PNG, up to its end chunk, must lie inside the file: the
// decoder sizes its buffers by the lengths the chunks claim before it reads
// them. A chunk that runs past the end leaves the walk without an end chunk.
bool chunksFit(std::string_view png) {
    size_t at = 8; // past the signature
    while (at + 12 <= png.size()) {
        const size_t length = static_cast<size_t>(byteAt(png, at)) << 24 | byteAt(png, at + 1) << 16 |
                              byteAt(png, at + 2) << 8 | byteAt(png, at + 3);
        if (png.substr(at + 4, 4) == "IEND") {
            return true;
        }
        at += 12 + length;
    }
    return false;
}

} // namespace

bool acceptablePicture(std::string_view bytes) {
    if (bytes.size() >= 8 && bytes.substr(0, 8) == std::string_view("\x89PNG\r\n\x1a\n", 8)) {
        return chunksFit(bytes);
    }
    if (bytes.size() >= 4 && byteAt(bytes, 0) == 0xFF && byteAt(bytes, 1) == 0xD8) {
        return huffmanTablesSound(bytes);
    }
    return false;
}

DecodedImage decodeImageFile(const char* path) {
    DecodedImage image;
    const std::optional<std::string> bytes = readDataFile(path, maxSheetBytes);
    if (!bytes || !acceptablePicture(*bytes)) {
        return image;
    }
    const auto* data = reinterpret_cast<const stbi_uc*>(bytes->data());
    const int length = static_cast<int>(bytes->size());
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, length, &width, &height, &channels) || width > maxSide ||
        height > maxSide) {
        return image;
    }
    stbi_set_flip_vertically_on_load(1);
    if (unsigned char* pixels = stbi_load_from_memory(data, length, &width, &height, &channels, 0)) {
        image.width = width;
        image.height = height;
        image.channels = channels;
        image.pixels = {pixels, stbi_image_free};
    }
    return image;
}
