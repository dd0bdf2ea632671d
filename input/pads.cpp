#include "input/pads.h"

namespace {

constexpr int keyOf[] = {GLFW_KEY_UP,    GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
                         GLFW_KEY_SPACE, GLFW_KEY_F,    GLFW_KEY_A};

} // namespace

void PadInput::update(const PadFrame& frame, double now, SendKey send, void (*start)()) {
    bool held[controlCount] = {};
    for (int pad = 0; pad <= GLFW_JOYSTICK_LAST; ++pad) {
        bool* leaning = leaning_[pad];
        if (!frame.present[pad]) {
            leaning[0] = leaning[1] = leaning[2] = leaning[3] = false; // unplugged: nothing held
            continue;
        }
        const unsigned char* button = frame.state[pad].buttons;
        const float y = frame.state[pad].axes[PadLeftY]; // negative: up
        const float x = frame.state[pad].axes[PadLeftX];
        const float lean[4] = {-y, y, -x, x};
        for (int d = 0; d < 4; ++d) {
            leaning[d] = lean[d] > stickPress || (leaning[d] && lean[d] >= stickRelease);
        }
        held[Up] |= button[PadUp] || leaning[0];
        held[Down] |= button[PadDown] || leaning[1];
        held[Left] |= button[PadLeft] || leaning[2];
        held[Right] |= button[PadRight] || leaning[3];
        held[Fire] |= button[PadA] != 0;
        held[Bomb] |= button[PadB] || button[PadX];
        held[StartSelf] |= button[PadBack] != 0;
        held[Start] |= button[PadStart] != 0;
    }
    if (held[Start] && !startHeld_) {
        start();
    }
    startHeld_ = held[Start];
    for (int c = 0; c < Start; ++c) {
        // Only directions repeat: a held key's repeat acts only for them.
        keys_[c].update(held[c], now, keyOf[c], c <= Right, send);
    }
}
