// libFuzzer target: any bytes as a shader file must read back as text that
// ends with a line feed, without hanging or reading out of bounds.
#include "render/shader_loader.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/gorvath-fuzz-shader-" + std::to_string(getpid()) + ".glsl";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

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
