// libFuzzer target: any bytes as a sprite sheet decode either to a picture
// whose every byte can be read, or to nothing; never a crash.
#include "render/image_file.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeScratchFile("sheet", data, size);
    const DecodedImage image = decodeImageFile(path.c_str());
    if (!image) {
        return 0;
    }
    if (image.width <= 0 || image.height <= 0 || image.channels < 1 || image.channels > 4) {
        std::abort();
    }
    const size_t bytes = static_cast<size_t>(image.width) * static_cast<size_t>(image.height) *
                         static_cast<size_t>(image.channels);
    unsigned sum = image.pixels.get()[bytes - 1];
    for (size_t i = 0; i < bytes; i += 61) {
        sum += image.pixels.get()[i];
    }
    volatile unsigned keep = sum; // every byte read must lie inside the picture
    (void)keep;
    return 0;
}
