// Scratch directories and whole-file reads and writes for tests.
#pragma once

#include <string>

std::string readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::string& bytes);

// A fresh directory under the system's temporary one, removed with all it holds.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& relative) const { return path_ + "/" + relative; }

  private:
    std::string path_;
};

// A scratch directory holding copies of the game's shaders/ and textures/.
class DataCopy : public ScratchDir {
  public:
    DataCopy();
};
