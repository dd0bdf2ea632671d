#include "render/shader_loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::string writeFile(const std::string& name, const std::string& text) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(ShaderSource, EveryLineEndsWithALineFeedAndAFinalOneAddsAnEmptyLine) {
    EXPECT_EQ(readShaderSource(writeFile("gorvath-no-final-lf.glsl", "#version 430\nvoid main(){}").c_str()),
              "#version 430\nvoid main(){}\n");
    EXPECT_EQ(readShaderSource(writeFile("gorvath-final-lf.glsl", "#version 430\nvoid main(){}\n").c_str()),
              "#version 430\nvoid main(){}\n\n");
    EXPECT_EQ(readShaderSource(writeFile("gorvath-empty.glsl", "").c_str()), "\n");
    EXPECT_EQ(readShaderSource(writeFile("gorvath-blank-lines.glsl", "a\n\nb").c_str()), "a\n\nb\n");
}

TEST(ShaderSource, UnreadablePathsGiveAnEmptySourceInsteadOfHanging) {
    EXPECT_EQ(readShaderSource("/nonexistent/gorvath/vertShader.glsl"), "");
    std::string dir = (std::filesystem::temp_directory_path() / "gorvath-shader-dir.glsl").string();
    std::filesystem::create_directories(dir);
    EXPECT_EQ(readShaderSource(dir.c_str()), "");
}
