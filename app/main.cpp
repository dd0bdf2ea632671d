// Gorvath: read the command line, open the window, set the scene up, run
// frames until the window is closed or the player presses Q.
#include "bests/bests_listing.h"
#include "app/display.h"
#include "app/frame.h"
#include "app/frame_pacer.h"
#include "app/options.h"
#include "app/window.h"
#include "bests/directory_store.h"
#include "files/data_folder.h"
#include "files/file_writer.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "input/pads.h"
#include "render/scene.h"
#include "play/draws.h"
#include "play/replay_check.h"
#include "session/session.h"
#include "session/wins.h"

#include <GLFW/glfw3.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <optional>
#include <thread>
#include <unistd.h>
#include <variant>

namespace {

[[noreturn]] void fail(const std::string& message) {
    std::cerr << "gorvath: " << message << std::endl;
    std::exit(EXIT_FAILURE);
}

// What the last failed system call said, read before anything else can change it.
[[noreturn]] void failWith(int error, const std::string& message) {
    fail(message + ": " + std::strerror(error));
}

// Files named on the command line are the player's, from where the game was
// started, whichever directory its data is read from.
void readOptions(int argc, char** argv, Options& options) {
    if (const std::optional<int> status = parseOptions(argc, argv, options, std::cout, std::cerr)) {
        std::exit(*status);
    }
    for (std::string* file : {&options.record, &options.replay, &options.check}) {
        if (!file->empty()) {
            *file = std::filesystem::absolute(*file).string();
        }
    }
    if (!options.dataDirectory.empty() && chdir(options.dataDirectory.c_str()) != 0) {
        failWith(errno, "cannot read data from " + options.dataDirectory);
    }
}

// The recording to show, as the command line asks, and the game's random
// draws seeded with the time. A recording to make is only found writable
// here: its file is written once the window is open.
void startSession(const Options& options) {
    if (!options.replay.empty()) {
        std::variant<Replay, std::string> file = readReplayFile(options.replay);
        if (const auto* error = std::get_if<std::string>(&file)) {
            fail(*error);
        }
        playback = std::make_unique<Playback>(std::move(std::get<Replay>(file)));
    }
    if (!options.record.empty() && !canWriteFile(options.record)) {
        failWith(errno, "cannot write replay file " + options.record);
    }
    seedDraws(static_cast<unsigned>(std::time(nullptr)));
}

void sayOnStandardError(const std::string& line) { std::cerr << "gorvath: " << line << std::endl; }

// The bests, where the player keeps them: read now, at start-up, once.
void keepBests() {
    keeper = std::make_unique<Keeper>(std::make_unique<DirectoryStore>(dataFolder()), sayOnStandardError);
    keeper->readAtStart();
}

// Start-up that fails leaves nothing behind: the recording's file is first
// written here, with the window open.
void startRecording(const std::string& path) {
    recorder = std::make_unique<Recorder>();
    if (!recorder->open(path, stepsRun)) {
        failWith(errno, "cannot write replay file " + path);
    }
}

// While nothing moves (paused, or the window cannot be seen) no frames are
// drawn: the game waits for events, waking this often to read the pads (whose
// Start resumes), and draws again only what the window asks for.
constexpr double idleWake = 0.05; // seconds

// Frames until the window is closed or the player quits: the steps due, the
// picture, the events (keys, then pads), and the sounds they made.
void runFrames(GLFWwindow* window) {
    FramePacer pacer; // where the display ignores vsync, the pacer paces
    PadInput pads;
    bool titlePaused = false; // what the title says
    for (bool first = true; !glfwWindowShouldClose(window) && !shouldQuit(); first = false) {
        const bool still = !first && (steps.paused() || !windowShows(window));
        if (stepAndDraw(glfwGetTime(), still, takeRedraw())) {
            glfwSwapBuffers(window);
        }
        if (still) {
            glfwWaitEventsTimeout(idleWake);
        } else {
            if (first) { // once the window shows: opening a sound device can take a while
                startSounds();
            }
            pacer.setRefreshRate(refreshRate());
            std::this_thread::sleep_for(std::chrono::duration<double>(pacer.delayAfterSwap(glfwGetTime())));
            glfwPollEvents();
        }
        pads.update(readPads(), glfwGetTime(), gameKey, pressStart);
        playHeardSounds();
        if (titlePaused != steps.paused()) {
            titlePaused = steps.paused();
            showPausedInTitle(window, titlePaused);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    readOptions(argc, argv, options);
    if (!options.check.empty()) {
        std::exit(checkReplayFile(options.check));
    }
    if (options.bests) {
        keepBests();
        printBests(*keeper, std::cout);
        std::exit(EXIT_SUCCESS);
    }
    startSession(options);
    if (!options.noBests && options.replay.empty()) { // a replay wins nothing
        keepBests();
    }
    GLFWwindow* window = openWindow();
    initScene(window);
    connectDisplay(window);
    readClock = gameClock; // the game's time runs by its steps
    if (playback) {
        startPlayback(playback->replay());
    }
    if (!options.record.empty()) {
        startRecording(options.record);
    }
    if (options.fullscreen) {
        toggleFullScreen(window);
    }
    soundFloor.setMuted(options.mute);

    runFrames(window);

    soundFloor.close();
    glfwDestroyWindow(window);
    glfwTerminate();
    keeper.reset(); // a best just set, kept before the game ends
    if (recorder && !recorder->finish(stepsRun)) {
        failWith(errno, "cannot write replay file " + options.record);
    }
    std::exit(playback && playback->divergedAt() ? EXIT_FAILURE : EXIT_SUCCESS);
}
