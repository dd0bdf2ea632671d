// The real program under the test display, driven by real X events.
#include "render/image_file.h"
#include "tests/support/gl_window.h"
#include "tests/support/process.h"
#include "tests/support/x_window.h"

#include <gtest/gtest.h>

#include <fstream>
#include <thread>

using namespace std::chrono_literals;

namespace {

const std::string gameBinary = GORVATH_BINARY;
const std::string dataDir = GORVATH_SOURCE_DIR; // holds shaders/ and textures/
std::vector<std::string> withoutDisplay = [] {
    std::vector<std::string> settings = gameEnvironment();
    settings.insert(settings.end(), {"DISPLAY=", "WAYLAND_DISPLAY="});
    return settings;
}();

} // namespace

TEST(Executable, QuitsWithStatusZeroOnQAndPrintsNothing) {
    ChildProcess game({gameBinary}, dataDir, gameEnvironment());
    unsigned long window = waitForWindow("Gorvath", game.pid(), 20s);
    ASSERT_NE(window, 0u) << "no window appeared";
    ASSERT_TRUE(game.running());
    // Keys other than Q leave it running.
    ASSERT_TRUE(typeKeys(window, "Up Down space f"));
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(game.running());
    ASSERT_TRUE(typeKeys(window, "q"));
    ProcessResult result = game.wait(20s);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(Executable, ClosingTheWindowExitsWithStatusZero) {
    ChildProcess game({gameBinary}, dataDir, gameEnvironment());
    unsigned long window = waitForWindow("Gorvath", game.pid(), 20s);
    ASSERT_NE(window, 0u) << "no window appeared";
    ASSERT_TRUE(sendCloseRequest(window));
    ProcessResult result = game.wait(20s);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(Executable, WithoutADisplayExitsWithStatusOneSilently) {
    ChildProcess game({gameBinary}, dataDir, withoutDisplay);
    ProcessResult result = game.wait(20s);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(Executable, ABrokenFragmentShaderIsReportedAndTheGameStillRuns) {
    DataCopy data;
    std::ofstream(data.file("shaders/fragShader.glsl"))
        << "#version 430 core\nout vec4 color;\nvoid main() { color = }\n";
    ChildProcess game({gameBinary}, data.path(), gameEnvironment());
    unsigned long window = waitForWindow("Gorvath", game.pid(), 20s);
    ASSERT_NE(window, 0u) << "no window appeared";
    ASSERT_TRUE(typeKeys(window, "q"));
    ProcessResult result = game.wait(20s);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.out.rfind("Fragment Shader compilation failed\nShader Info Log:", 0), 0u) << result.out;
    size_t link = result.out.find("\nlinking failed\nProgram Info Log:");
    EXPECT_NE(link, std::string::npos) << result.out;
    EXPECT_EQ(result.out.find("Vertex Shader"), std::string::npos);
    EXPECT_EQ(result.out.back(), '\n');
}

namespace {

// The colour at (x, y from the top) of a screenshot of the window.
Rgb screenshotPixel(unsigned long window, const std::string& png, int x, int y) {
    if (!screenshot(window, png)) {
        return {-1, -1, -1};
    }
    DecodedImage image = decodeImageFile(png.c_str()); // rows come bottom first
    if (!image || image.channels < 3) {
        return {-1, -1, -1};
    }
    const unsigned char* p = image.pixels.get() + ((image.height - 1 - y) * image.width + x) * image.channels;
    return {p[0], p[1], p[2]};
}

bool isWhite(Rgb c) { return c.r == 255 && c.g == 255 && c.b == 255; }
bool isBlueTrap(Rgb c) { return c.b > 200 && c.r < 80; }
bool isAmberTrap(Rgb c) { return c.r > 200 && c.g > 100 && c.b < 60; }

// Looks at the pixel until it passes the test (a busy machine may take a
// while to show the next frame), at most 20 s; returns what it saw last.
template <class Test>
Rgb waitForPixel(unsigned long window, const std::string& png, int x, int y, Test test) {
    Rgb seen = screenshotPixel(window, png, x, y);
    for (int attempt = 0; attempt < 200 && !test(seen); ++attempt) {
        std::this_thread::sleep_for(100ms);
        seen = screenshotPixel(window, png, x, y);
    }
    return seen;
}

} // namespace

TEST(Executable, SThenAShowTheTrapInTheColourOfEachMode) {
    DataCopy data;
    ChildProcess game({gameBinary}, data.path(), gameEnvironment());
    unsigned long window = waitForWindow("Gorvath", game.pid(), 20s);
    ASSERT_NE(window, 0u) << "no window appeared";
    // The Trap's triangle hangs from the top edge, just right of the centre.
    const int x = 315, y = 8;
    const std::string png = data.file("shot.png");
    EXPECT_TRUE(isWhite(waitForPixel(window, png, x, y, isWhite))) << "the title screen, with no Trap";

    ASSERT_TRUE(typeKeys(window, "s"));
    Rgb keyTrap = waitForPixel(window, png, x, y, isBlueTrap);
    EXPECT_TRUE(isBlueTrap(keyTrap)) << keyTrap.r << "," << keyTrap.g << "," << keyTrap.b;

    // Unpaced under Xvfb, the Undead soon catch the idle Player; A does
    // nothing until that game is over, then starts one whose Trap steers itself.
    Rgb selfTrap;
    for (int attempt = 0; attempt < 60 && !isAmberTrap(selfTrap); ++attempt) {
        ASSERT_TRUE(typeKeys(window, "a"));
        std::this_thread::sleep_for(250ms);
        selfTrap = screenshotPixel(window, png, x, y);
    }
    EXPECT_TRUE(isAmberTrap(selfTrap)) << selfTrap.r << "," << selfTrap.g << "," << selfTrap.b;

    ASSERT_TRUE(typeKeys(window, "q"));
    ProcessResult result = game.wait(20s);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}
