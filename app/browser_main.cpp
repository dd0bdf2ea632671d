// Gorvath in a web browser. The page's canvas is the window (GLFW's, as
// emscripten gives it), the browser's frame callback runs the frames, and the
// page's own events bring the keys with their labels, the focus, the tab
// hidden and full screen. Below this file the game is the desktop's, floor
// for floor, but for the pads, the sound device and the decoders built in.
#include "app/frame.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "input/key_labels.h"
#include "input/pads.h"
#include "render/scene.h"
#include "render/viewport.h"
#include "session/session.h"

#include <GLFW/glfw3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>

namespace {

constexpr const char* canvas = "#canvas";

PadInput pads;
bool hidden = false;      // the tab is not shown
bool redraw = false;      // the picture shown is no longer whole
bool titlePaused = false; // what the page's title says
bool firstFrame = true;
bool soundsOpen = false;

// The canvas's pixels follow its size on the page (the page's own size, full
// screen, a zoom) times the device's pixels to a CSS pixel, so that the field
// is sharp on a HiDPI screen. Looked at every frame: no event tells of all.
void fitCanvas() {
    double width = 0, height = 0;
    emscripten_get_element_css_size(canvas, &width, &height);
    const double ratio = emscripten_get_device_pixel_ratio();
    const int pixelsWide = static_cast<int>(std::lround(width * ratio));
    const int pixelsHigh = static_cast<int>(std::lround(height * ratio));
    int wide = 0, high = 0;
    emscripten_get_canvas_element_size(canvas, &wide, &high);
    if (wide != pixelsWide || high != pixelsHigh || firstFrame) {
        emscripten_set_canvas_element_size(canvas, pixelsWide, pixelsHigh);
        fitFieldToFramebuffer(pixelsWide, pixelsHigh);
        redraw = true;
    }
}

// The browser names a key's place (`code`, as GLFW's tokens do) and what the
// layout prints on it (`key`): the game's keys by their places, then by label.
int keyOf(const EmscriptenKeyboardEvent& event) {
    const char* code = event.code;
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') {
        return keyByLabel(GLFW_KEY_A + (code[3] - 'A'), event.key);
    }
    constexpr std::pair<const char*, int> named[] = {
        {"ArrowUp", GLFW_KEY_UP},       {"ArrowDown", GLFW_KEY_DOWN}, {"ArrowLeft", GLFW_KEY_LEFT},
        {"ArrowRight", GLFW_KEY_RIGHT}, {"Space", GLFW_KEY_SPACE},    {"F11", GLFW_KEY_F11}};
    for (const auto& [name, token] : named) {
        if (std::strcmp(code, name) == 0) {
            return keyByLabel(token, event.key);
        }
    }
    return keyByLabel(GLFW_KEY_UNKNOWN, event.key);
}

void toggleFullScreen() {
    EmscriptenFullscreenChangeEvent state;
    if (emscripten_get_fullscreen_status(&state) == EMSCRIPTEN_RESULT_SUCCESS && state.isFullscreen) {
        emscripten_exit_fullscreen();
    } else {
        emscripten_request_fullscreen("#game", false); // in the key's own event, as browsers ask
    }
}

// A page may sound only once the player has done something: the sounds are
// decoded, and the device opened, with the first key or click (a pad's
// buttons do not count).
void openSounds() {
    if (!std::exchange(soundsOpen, true)) {
        startSounds();
    }
}

// True for the keys the page itself would answer (F11 would fill the screen
// twice, SPACE and the arrows scroll); the browser's own shortcuts stay.
EM_BOOL keyEvent(int type, const EmscriptenKeyboardEvent* event, void*) {
    openSounds();
    const int key = keyOf(*event);
    const int action = type == EMSCRIPTEN_EVENT_KEYUP ? GLFW_RELEASE
                       : event->repeat                ? GLFW_REPEAT
                                                      : GLFW_PRESS;
    if (key != GLFW_KEY_F11) {
        playerKey(key, action);
    } else if (action == GLFW_PRESS) {
        toggleFullScreen();
    }
    return key == GLFW_KEY_F11 || key == GLFW_KEY_SPACE || (key >= GLFW_KEY_RIGHT && key <= GLFW_KEY_UP);
}

// The tab hidden or the page's focus lost: a game pauses, as on the desktop.
EM_BOOL visibilityChanged(int, const EmscriptenVisibilityChangeEvent* event, void*) {
    hidden = event->hidden;
    if (hidden) {
        pauseGame();
    }
    return false;
}

EM_BOOL clicked(int, const EmscriptenMouseEvent*, void*) {
    openSounds();
    return false;
}

EM_BOOL focusLost(int, const EmscriptenFocusEvent*, void*) {
    pauseGame();
    return false;
}

// Q: the loop stops, and the page says the game is over and how to play again.
void endGame() {
    emscripten_cancel_main_loop();
    soundFloor.close();
    EM_ASM(Module.gameOver());
}

// One frame of the browser's: the steps due and the picture, or, while
// nothing moves, only what the page asks for; then the pads, and the sounds.
void frame() {
    if (shouldQuit()) {
        endGame();
        return;
    }
    const double now = emscripten_get_now() / 1000.0;
    fitCanvas();
    stepAndDraw(now, !firstFrame && (steps.paused() || hidden), std::exchange(redraw, false));
    pads.update(readPads(), now, gameKey, pressStart);
    playHeardSounds();
    if (titlePaused != steps.paused()) {
        titlePaused = steps.paused();
        emscripten_set_window_title(titlePaused ? "Gorvath (paused)" : "Gorvath");
    }
    if (std::exchange(firstFrame, false)) {
        EM_ASM(Module.firstFrameShown());
    }
}

} // namespace

int main() {
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    glfwInit();
    GLFWwindow* window = glfwCreateWindow(600, 400, "Gorvath", nullptr, nullptr);
    if (!window) { // no WebGL 2 after all
        EM_ASM(Module.cannotDraw());
        return 1;
    }
    glfwMakeContextCurrent(window);
    initScene(window);
    glfwSetKeyCallback(window, nullptr); // the page's own key events bring the labels
    readClock = gameClock;
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, keyEvent);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, keyEvent);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, clicked);
    emscripten_set_visibilitychange_callback(nullptr, false, visibilityChanged);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, focusLost);
    emscripten_set_main_loop(frame, 0, false);
}
