// The real program with one of its six files broken at a time: whatever the
// file holds, the game says exactly what went wrong, opens its window, answers
// Q and exits 0.
#include "render/image_file.h"
#include "tests/support/gl_window.h"
#include "tests/support/process.h"
#include "tests/support/x_window.h"

#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <stb_image_write.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {

const std::string gameBinary = GORVATH_BINARY;

enum class Damage {
    Missing,
    Empty,
    TruncatedHalfway,
    Directory,
    RandomBytes,
    TextFile,
    GreyJpeg,
    PngWithAlpha,
    HugeHeader,
    NoFinalLineFeed,      // shaders only
    VertexThatCannotLink, // the vertex shader only
};

const char* describe(Damage damage) {
    switch (damage) {
    case Damage::Missing: return "missing";
    case Damage::Empty: return "empty";
    case Damage::TruncatedHalfway: return "truncated halfway";
    case Damage::Directory: return "a directory";
    case Damage::RandomBytes: return "random bytes";
    case Damage::TextFile: return "a text file";
    case Damage::GreyJpeg: return "a grey JPEG";
    case Damage::PngWithAlpha: return "a PNG with alpha";
    case Damage::HugeHeader: return "a 65535 x 65535 header";
    case Damage::NoFinalLineFeed: return "no final line feed";
    case Damage::VertexThatCannotLink: return "a vertex shader that cannot link";
    }
    return "?";
}

// A small sheet of ours, redrawn as the damage asks.
std::string pictureBytes(Damage damage, const std::string& scratch) {
    const std::string sheet = std::string(GORVATH_SOURCE_DIR) + "/textures/tz_effects32.jpg";
    const std::string out = scratch + "/picture.tmp";
    if (damage == Damage::GreyJpeg) {
        runShell("convert " + sheet + " -colorspace Gray -type Grayscale " + out);
        EXPECT_EQ(decodeImageFile(out.c_str()).channels, 1) << "the grey JPEG must have one channel";
    } else if (damage == Damage::PngWithAlpha) {
        DecodedImage image = decodeImageFile(sheet.c_str());
        std::vector<unsigned char> rgba;
        for (int i = 0; i < image.width * image.height; ++i) {
            const unsigned char* p = image.pixels.get() + i * 3;
            rgba.insert(rgba.end(), {p[0], p[1], p[2], static_cast<unsigned char>(i % 256)});
        }
        stbi_write_png(out.c_str(), image.width, image.height, 4, rgba.data(), image.width * 4);
    } else { // HugeHeader: a real JPEG whose frame header claims 65535 x 65535 pixels
        std::string bytes = readBytes(sheet);
        size_t frame = bytes.find("\xff\xc0");
        EXPECT_NE(frame, std::string::npos);
        bytes.replace(frame + 5, 4, "\xff\xff\xff\xff");
        writeBytes(out, bytes);
    }
    std::string bytes = readBytes(out);
    fs::remove(out);
    return bytes;
}

void damageFile(const std::string& path, Damage damage, const std::string& scratch) {
    const std::string original = readBytes(path);
    switch (damage) {
    case Damage::Missing: fs::remove(path); break;
    case Damage::Empty: writeBytes(path, ""); break;
    case Damage::TruncatedHalfway: writeBytes(path, original.substr(0, original.size() / 2)); break;
    case Damage::Directory:
        fs::remove(path);
        fs::create_directory(path);
        break;
    case Damage::RandomBytes: {
        std::mt19937 random(1234);
        std::string bytes(4096, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(random());
        }
        writeBytes(path, bytes);
        break;
    }
    case Damage::TextFile: writeBytes(path, "These are not the pictures you are looking for.\n"); break;
    case Damage::GreyJpeg:
    case Damage::PngWithAlpha:
    case Damage::HugeHeader: writeBytes(path, pictureBytes(damage, scratch)); break;
    case Damage::NoFinalLineFeed:
        ASSERT_EQ(original.back(), '\n');
        writeBytes(path, original.substr(0, original.size() - 1));
        break;
    case Damage::VertexThatCannotLink: {
        // Compiles, but hands the fragment shader a vec3 where it takes a vec2.
        writeBytes(
            path,
            "#version 430 core\n"
            "layout (location = 0) in vec3 position;\n"
            "uniform mat4 mMat; uniform mat4 vMat; uniform mat4 pMat;\n"
            "out vec3 tc;\n"
            "void main(void) { gl_Position = pMat * vMat * mMat * vec4(position, 1.0); tc = position; }\n");
        break;
    }
    }
}

struct Case {
    std::string file;
    Damage damage;
    std::string outPattern; // standard output, as a regular expression over the whole text
    std::string err;        // standard error, exactly
};

const std::string silent = "";
const std::string anyLog = "[^\\n]*(\\n[^\\n]*)*?"; // a log may run over several lines

std::string compileAndLinkFail(const std::string& type) {
    return type + " compilation failed\\nShader Info Log:" + anyLog +
           "\\nlinking failed\\nProgram Info Log:" + anyLog + "\\n";
}

std::vector<Case> cases() {
    const std::vector<Damage> everyFile = {Damage::Missing,   Damage::Empty,        Damage::TruncatedHalfway,
                                           Damage::Directory, Damage::RandomBytes,  Damage::TextFile,
                                           Damage::GreyJpeg,  Damage::PngWithAlpha, Damage::HugeHeader};
    std::vector<Case> all;
    for (const auto& [file, type] : {std::pair{"shaders/vertShader.glsl", "Vertex Shader"},
                                     std::pair{"shaders/fragShader.glsl", "Fragment Shader"}}) {
        for (Damage damage : everyFile) {
            all.push_back({file, damage, compileAndLinkFail(type), ""});
        }
        all.push_back({file, Damage::NoFinalLineFeed, silent, ""});
    }
    all.push_back({"shaders/vertShader.glsl", Damage::VertexThatCannotLink,
                   "linking failed\\nProgram Info Log:" + anyLog + "\\n", ""});
    for (const char* sheet : {"textures/tz_classm32.jpg", "textures/tz_undead32.jpg",
                              "textures/tz_effects32.jpg", "textures/explosion.jpg"}) {
        const std::string reported = "could not load texture file ./" + std::string(sheet) + "\n";
        for (Damage damage : everyFile) {
            // Any picture stb can decode is a usable sheet, whatever its channels.
            bool loads = damage == Damage::GreyJpeg || damage == Damage::PngWithAlpha;
            all.push_back({sheet, damage, silent, loads ? "" : reported});
        }
    }
    return all;
}

} // namespace

TEST(BadFiles, EveryBrokenFileIsReportedAndTheGameStillAnswersQ) {
    int checked = 0;
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.file + " " + describe(c.damage));
        DataCopy data;
        damageFile(data.file(c.file), c.damage, data.path());

        ChildProcess game({gameBinary}, data.path(), gameEnvironment());
        unsigned long window = waitForWindow("Gorvath", game.pid(), 30s);
        if (window == 0) {
            const bool running = game.running();
            ProcessResult early = game.wait(1s);
            FAIL() << "no window appeared; the game " << (running ? "was still running" : "had ended")
                   << ", status " << early.exitStatus << ", signal " << early.signal << ", out [" << early.out
                   << "] err [" << early.err << "]";
        }
        ASSERT_TRUE(typeKeys(window, "q"));
        ProcessResult result = game.wait(30s);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(result.signal, 0);
        EXPECT_EQ(result.exitStatus, 0);
        EXPECT_TRUE(std::regex_match(result.out, std::regex(c.outPattern))) << "standard output:\n"
                                                                            << result.out;
        EXPECT_EQ(result.out.find("glError"), std::string::npos);
        EXPECT_EQ(result.err, c.err);
        ++checked;
        RecordProperty("case" + std::to_string(checked), c.file + " " + describe(c.damage) + ": out [" +
                                                             result.out + "] err [" + result.err + "]");
    }
    EXPECT_EQ(checked, 57);
}
