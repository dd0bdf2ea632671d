// Fuzz inputs go through a real file, as the game's files do.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// Writes the bytes to this process's scratch file of the given kind and returns
// its path, or an empty string if it cannot be written.
inline std::string writeScratchFile(const char* kind, const uint8_t* data, size_t size) {
    const std::string path = "/tmp/gorvath-fuzz-" + std::string(kind) + "-" + std::to_string(getpid());
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        return {};
    }
    const bool written = std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written ? path : std::string();
}
