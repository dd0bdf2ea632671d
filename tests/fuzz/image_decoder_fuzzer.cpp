// libFuzzer target: any bytes as a sprite sheet decode either to a picture
// whose every byte can be read, or to nothing; never a crash.
#include "render/image_file.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeScratchFile("sheet", data, size);
    const DecodedImage image = decodeImageFile(path.c_str());
    if (image && (image.width <= 0 || image.height <= 0 || image.channels < 1 || image.channels > 4)) {
        std::abort();
    }
    if (image) { // its last byte must lie inside what the decoder gave
        volatile unsigned char last =
            image.pixels.get()[static_cast<size_t>(image.width) * image.height * image.channels - 1];
        (void)last;
    }
    return 0;
}
