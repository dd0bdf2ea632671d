// The real program under the test display, driven by real X events.
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

} // namespace

TEST(Executable, QuitsWithStatusZeroOnQAndPrintsNothing) {
    ChildProcess game({gameBinary}, dataDir);
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
    ChildProcess game({gameBinary}, dataDir);
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
    ChildProcess game({gameBinary}, dataDir, {"DISPLAY=", "WAYLAND_DISPLAY="});
    ProcessResult result = game.wait(20s);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}

TEST(Executable, ABrokenFragmentShaderIsReportedAndTheGameStillRuns) {
    DataCopy data;
    std::ofstream(data.file("shaders/fragShader.glsl")) << "#version 430 core\nout vec4 color;\nvoid main() { color = }\n";
    ChildProcess game({gameBinary}, data.path());
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
