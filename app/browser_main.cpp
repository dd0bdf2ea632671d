// Gorvath in a web browser. The page's canvas is the window (GLFW's, as
// emscripten gives it), the browser's frame callback runs the frames, and the
// page's own events bring the keys with their labels, the touch controls, the
// focus, the tab hidden, full screen and the GL context taken away and given
// back. Below this file the game is the desktop's, floor for floor, but for
// the pads, the sound device and the decoders built in.
#include "app/frame.h"
#include "bests/page_store.h"
#include "game/game_state.h"
#include "game/sources.h"
#include "input/key_codes.h"
#include "input/key_labels.h"
#include "input/pads.h"
#include "input/touch_controls.h"
#include "play/draws.h"
#include "render/scene.h"
#include "render/viewport.h"
#include "session/page_recordings.h"
#include "session/session.h"
#include "session/wins.h"

#include <GLFW/glfw3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <utility>

// What keeping the bests says (the page's storage refused, full, or holding
// no table), said on the page.
EM_JS(void, tellPageOfKeeping, (const char* line), { Module.bestsSaid(UTF8ToString(line)); });

namespace {

constexpr const char* canvas = "#canvas";
// A GL context taken away and not given back within this long (seconds): the page says so.
constexpr double contextWait = 3.0;

GLFWwindow* window = nullptr;
PadInput pads;
TouchControls touch;
bool hidden = false;      // the tab is not shown
bool redraw = false;      // the picture shown is no longer whole
bool titlePaused = false; // what the page's title says
bool firstFrame = true;
bool refit = true;         // the canvas's size to be given to GL again
bool soundsWanted = false; // the player has done something that lets a page sound
bool soundsHere = false;   // their package has arrived
bool soundsOpen = false;
double contextLostAt = -1.0; // while the GL context is away: when it went
bool contextGoneSaid = false;

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
    const bool resized = wide != pixelsWide || high != pixelsHigh;
    if (resized) { // its drawing buffer made anew: only when it must
        emscripten_set_canvas_element_size(canvas, pixelsWide, pixelsHigh);
    }
    if (resized || std::exchange(refit, false)) {
        fitFieldToFramebuffer(pixelsWide, pixelsHigh);
        redraw = true;
    }
}

// The browser names a key's place (`code`, as GLFW's tokens do) and what the
// layout prints on it (`key`): the game's keys by their places, then by label.
int keyOf(const EmscriptenKeyboardEvent& event) { return keyByLabel(keyOfCode(event.code), event.key); }

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
// buttons do not count), or as their package arrives, if it comes later.
void openSounds() {
    soundsWanted = true;
    if (soundsHere && !std::exchange(soundsOpen, true)) {
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

// A finger down opens the sounds, which the browser lets sound only once it lifts.
EM_BOOL touched(int type, const EmscriptenTouchEvent*, void*) {
    openSounds();
    if (type == EMSCRIPTEN_EVENT_TOUCHEND) {
        soundFloor.wake();
    }
    return false;
}

// The scene's GL objects, made from the shaders and sheets the page holds:
// at start-up, the first picture (the title screen) drawn before the sheets it
// does not show are loaded.
void setUpScene(Sheets sheets = Sheets::All) {
    initScene(window, sheets);
    glfwSetKeyCallback(window, nullptr); // the page's own key events bring the labels
    refit = true;
}

// Phones take a page's GL context away when its tab goes to the background,
// and any browser does after a GPU reset. The game asks for it back (true:
// the event's default, which would keep it away, is prevented), pauses, and
// draws nothing until it comes back.
EM_BOOL contextLost(int, const void*, void*) {
    contextLostAt = emscripten_get_now() / 1000.0;
    contextGoneSaid = false;
    pauseGame();
    return true;
}

// Back: every GL object made anew, and the game as it stood, paused, until P.
EM_BOOL contextRestored(int, const void*, void*) {
    contextLostAt = -1.0;
    setUpScene();
    pauseGame();
    redraw = true;
    EM_ASM(Module.contextBack());
    return false;
}

EM_BOOL focusLost(int, const EmscriptenFocusEvent*, void*) {
    pauseGame();
    return false;
}

void sayToPage(const std::string& line) { tellPageOfKeeping(line.c_str()); }

// Q: the loop stops, and the page says the game is over and how to play again.
void endGame() {
    emscripten_cancel_main_loop();
    soundFloor.close();
    EM_ASM(Module.gameOver());
}

// One frame of the browser's: the steps due and the picture, or, while
// nothing moves, only what the page asks for; then the pads and the touch
// controls' repeats, and the sounds.
void frame() {
    if (shouldQuit()) {
        endGame();
        return;
    }
    const double now = emscripten_get_now() / 1000.0;
    if (contextLostAt < 0.0) {
        if (!firstFrame) { // the first shown, before any game can be drawn
            loadSheetsLeft();
        }
        fitCanvas();
        stepAndDraw(now, !firstFrame && (steps.paused() || hidden), std::exchange(redraw, false));
    } else { // nothing can be drawn; the time is left out
        steps.leaveOut(now);
        if (now - contextLostAt > contextWait && !std::exchange(contextGoneSaid, true)) {
            EM_ASM(Module.contextGone());
        }
    }
    pads.update(readPads(), now, gameKey, pressStart);
    touch.update(now, playerKey);
    playHeardSounds();
    tellPageOfPlayback();
    tellPageOfBests();
    tellPageOfWins();
    if (titlePaused != steps.paused()) {
        titlePaused = steps.paused();
        emscripten_set_window_title(titlePaused ? "Gorvath (paused)" : "Gorvath");
    }
    if (std::exchange(firstFrame, false)) {
        EM_ASM(Module.firstFrameShown());
    }
}

} // namespace

// The page's sounds, fetched once the first frame shows, are here.
extern "C" EMSCRIPTEN_KEEPALIVE void soundsArrived() {
    soundsHere = true;
    if (soundsWanted) {
        openSounds();
    }
}

// The page's touch controls: the control of the key at that place (its
// KeyboardEvent code) held, or let go.
extern "C" EMSCRIPTEN_KEEPALIVE void touchControl(const char* code, int held) {
    touch.set(code, held != 0, emscripten_get_now() / 1000.0, playerKey);
}

int main() {
    seedDraws(static_cast<unsigned>(std::time(nullptr)));
    glfwInit();
    // The window is the canvas as the page sized it for the screen, its pixels kept as they are.
    int wide = 0, high = 0;
    emscripten_get_canvas_element_size(canvas, &wide, &high);
    window = glfwCreateWindow(wide > 0 ? wide : 600, high > 0 ? high : 400, "Gorvath", nullptr, nullptr);
    if (!window) { // no WebGL 2 after all
        EM_ASM(Module.cannotDraw());
        return 1;
    }
    glfwMakeContextCurrent(window);
    setUpScene(Sheets::TitleFirst);
    readClock = gameClock;
    keeper = std::make_unique<Keeper>(std::make_unique<PageStore>(), sayToPage);
    keeper->readAtStart();
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, keyEvent);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, keyEvent);
    emscripten_set_mousedown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, clicked);
    emscripten_set_touchstart_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, touched);
    emscripten_set_touchend_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, touched);
    emscripten_set_webglcontextlost_callback(canvas, nullptr, false, contextLost);
    emscripten_set_webglcontextrestored_callback(canvas, nullptr, false, contextRestored);
    emscripten_set_visibilitychange_callback(nullptr, false, visibilityChanged);
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, false, focusLost);
    emscripten_set_main_loop(frame, 0, false);
}
