// libFuzzer target: any bytes as a shader file read back whole, with a line
// feed added, without hanging or reading out of bounds.
#include "render/shader_loader.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeScratchFile("shader", data, size);
    if (!path.empty() && readShaderSource(path.c_str()) != std::string(data, data + size) + "\n") {
        std::abort();
    }
    return 0;
}
