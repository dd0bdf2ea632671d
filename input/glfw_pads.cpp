// The pads as GLFW reads them on the desktop: its gamepad mappings, which
// already give the buttons and axes in our order.
#include "input/pads.h"

#include <cstdlib>
#include <cstring>

static_assert(sizeof(GLFWgamepadstate::buttons) == sizeof(PadState::buttons) &&
              sizeof(GLFWgamepadstate::axes) == sizeof(PadState::axes) &&
              PadStart == GLFW_GAMEPAD_BUTTON_START && PadLeft == GLFW_GAMEPAD_BUTTON_DPAD_LEFT &&
              PadLeftY == GLFW_GAMEPAD_AXIS_LEFT_Y);

PadFrame readPads() {
    PadFrame frame;
    for (int pad = 0; pad <= GLFW_JOYSTICK_LAST; ++pad) {
        GLFWgamepadstate state;
        frame.present[pad] = glfwJoystickIsGamepad(pad) && glfwGetGamepadState(pad, &state);
        if (frame.present[pad]) {
            std::memcpy(frame.state[pad].buttons, state.buttons, sizeof state.buttons);
            std::memcpy(frame.state[pad].axes, state.axes, sizeof state.axes);
        }
    }
    return frame;
}

void addPadMappingsFromEnvironment() {
    if (const char* mappings = std::getenv("SDL_GAMECONTROLLERCONFIG")) {
        glfwUpdateGamepadMappings(mappings);
    }
}
