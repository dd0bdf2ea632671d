// The installed game: started through its launcher from another directory.
#include "render/image_file.h"
#include "tests/support/gl_window.h"
#include "tests/support/process.h"
#include "tests/support/x_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <thread>

using namespace std::chrono_literals;
namespace fs = std::filesystem;

TEST(Install, TheInstalledGameStartsFromAnyDirectory) {
    ScratchDir prefix, elsewhere;
    ASSERT_EQ(runShell("cmake --install " GORVATH_BINARY_DIR " --prefix " + prefix.path() + " > /dev/null"),
              0);
    for (const char* file :
         {"bin/gorvath", "libexec/gorvath/gorvath", "share/gorvath/shaders/vertShader.glsl",
          "share/gorvath/shaders/fragShader.glsl", "share/gorvath/textures/explosion.jpg",
          "share/applications/gorvath.desktop", "share/icons/hicolor/64x64/apps/gorvath.png"}) {
        EXPECT_TRUE(fs::exists(prefix.path() + "/" + file)) << file;
    }

    // The icon: our sprite on a transparent square.
    DecodedImage icon =
        decodeImageFile((prefix.path() + "/share/icons/hicolor/64x64/apps/gorvath.png").c_str());
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon.width, 64);
    EXPECT_EQ(icon.height, 64);
    EXPECT_EQ(icon.channels, 4);
    int opaque = 0;
    for (int i = 0; i < 64 * 64; ++i) {
        opaque += icon.pixels.get()[i * 4 + 3] == 255;
    }
    EXPECT_EQ(icon.pixels.get()[3], 0) << "a transparent corner";
    EXPECT_GT(opaque, 64 * 64 / 4);

    // Started from elsewhere, it finds its data and shows the title screen.
    ChildProcess game({prefix.path() + "/bin/gorvath"}, elsewhere.path(), gameEnvironment());
    unsigned long window = waitForWindow("Gorvath", game.pid(), 30s);
    ASSERT_NE(window, 0u) << "no window appeared";
    // The first frames may take a moment on a busy machine.
    const std::string png = elsewhere.path() + "/title.png";
    int mascot = 0, outside = -1;
    for (int attempt = 0; attempt < 100 && !(mascot > 80 && outside == 0); ++attempt) {
        std::this_thread::sleep_for(100ms);
        ASSERT_TRUE(screenshot(window, png));
        DecodedImage shot = decodeImageFile(png.c_str());
        ASSERT_TRUE(shot);
        mascot = outside = 0;
        for (int y = 0; y < shot.height; ++y) {
            for (int x = 0; x < shot.width; ++x) {
                const unsigned char* p = shot.pixels.get() + (y * shot.width + x) * shot.channels;
                const bool white = p[0] == 255 && p[1] == 255 && p[2] == 255;
                const bool centre = std::abs(x - 300) < 16 && std::abs(y - 200) < 16;
                (centre ? mascot : outside) += !white;
            }
        }
    }
    EXPECT_GT(mascot, 80) << "the Mascot at the centre";
    EXPECT_EQ(outside, 0) << "and nothing else";

    ASSERT_TRUE(typeKeys(window, "q"));
    ProcessResult result = game.wait(30s);
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
}
