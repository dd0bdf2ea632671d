#include "input/pads.h"

#include <cstdlib>

namespace {

constexpr int keyOf[] = {GLFW_KEY_UP,    GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT,
                         GLFW_KEY_SPACE, GLFW_KEY_F,    GLFW_KEY_S,    GLFW_KEY_A};

} // namespace

PadFrame readPads() {
    PadFrame frame;
    for (int pad = 0; pad <= GLFW_JOYSTICK_LAST; ++pad) {
        frame.present[pad] = glfwJoystickIsGamepad(pad) && glfwGetGamepadState(pad, &frame.state[pad]);
    }
    return frame;
}

void addPadMappingsFromEnvironment() {
    if (const char* mappings = std::getenv("SDL_GAMECONTROLLERCONFIG")) {
        glfwUpdateGamepadMappings(mappings);
    }
}

void PadInput::update(const PadFrame& frame, double now, void (*send)(int key, int action)) {
    bool held[controlCount] = {};
    for (int pad = 0; pad <= GLFW_JOYSTICK_LAST; ++pad) {
        bool* leaning = leaning_[pad];
        if (!frame.present[pad]) {
            leaning[0] = leaning[1] = leaning[2] = leaning[3] = false; // unplugged: nothing held
            continue;
        }
        const unsigned char* button = frame.state[pad].buttons;
        const float y = frame.state[pad].axes[GLFW_GAMEPAD_AXIS_LEFT_Y]; // negative: up
        const float x = frame.state[pad].axes[GLFW_GAMEPAD_AXIS_LEFT_X];
        const float lean[4] = {-y, y, -x, x};
        for (int d = 0; d < 4; ++d) {
            leaning[d] = lean[d] > stickPress || (leaning[d] && lean[d] >= stickRelease);
        }
        held[Up] |= button[GLFW_GAMEPAD_BUTTON_DPAD_UP] || leaning[0];
        held[Down] |= button[GLFW_GAMEPAD_BUTTON_DPAD_DOWN] || leaning[1];
        held[Left] |= button[GLFW_GAMEPAD_BUTTON_DPAD_LEFT] || leaning[2];
        held[Right] |= button[GLFW_GAMEPAD_BUTTON_DPAD_RIGHT] || leaning[3];
        held[Fire] |= button[GLFW_GAMEPAD_BUTTON_A] != 0;
        held[Bomb] |= button[GLFW_GAMEPAD_BUTTON_B] || button[GLFW_GAMEPAD_BUTTON_X];
        held[StartKeys] |= button[GLFW_GAMEPAD_BUTTON_START] != 0;
        held[StartSelf] |= button[GLFW_GAMEPAD_BUTTON_BACK] != 0;
    }
    for (int c = 0; c < controlCount; ++c) {
        const bool repeats = c <= Right; // only directions: a held key's repeat acts only for them
        if (held[c] && !held_[c]) {
            send(keyOf[c], GLFW_PRESS);
            nextRepeat_[c] = now + repeatDelay;
        } else if (held[c] && repeats && now >= nextRepeat_[c]) {
            send(keyOf[c], GLFW_REPEAT);
            nextRepeat_[c] += repeatInterval;
            if (nextRepeat_[c] <= now) { // a long frame: one repeat, and the rest dropped
                nextRepeat_[c] = now + repeatInterval;
            }
        } else if (!held[c] && held_[c]) {
            send(keyOf[c], GLFW_RELEASE);
        }
        held_[c] = held[c];
    }
}
