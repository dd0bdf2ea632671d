#include "tests/support/files.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void writeBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "gorvath-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

DataCopy::DataCopy() {
    fs::copy(fs::path(GORVATH_SOURCE_DIR) / "shaders", fs::path(path()) / "shaders");
    fs::copy(fs::path(GORVATH_SOURCE_DIR) / "textures", fs::path(path()) / "textures");
}
