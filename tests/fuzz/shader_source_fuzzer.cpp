// libFuzzer target: any bytes as a shader file must read back as text that
// ends with a line feed, without hanging or reading out of bounds.
#include "render/shader_loader.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeScratchFile("shader", data, size);
    if (path.empty()) {
        return 0;
    }

    const std::string source = readShaderSource(path.c_str());
    if (source.empty() || source.back() != '\n') {
        std::abort();
    }
    // Nothing is lost: dropping the line feeds the reader added leaves the
    // file's bytes without their line feeds.
    std::string expected, read;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] != '\n') {
            expected += static_cast<char>(data[i]);
        }
    }
    for (char c : source) {
        if (c != '\n') {
            read += c;
        }
    }
    if (read != expected) {
        std::abort();
    }
    return 0;
}
