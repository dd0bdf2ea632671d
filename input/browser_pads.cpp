// The pads as a browser reads them: its Gamepad API, whose "standard" mapping
// puts the buttons and sticks of any common pad in fixed places. A pad the
// browser cannot map is left out, as GLFW leaves out a pad it does not know.
#include "input/pads.h"

#include <emscripten/html5.h>

#include <cstring>

namespace {

// Where each of our buttons is in the standard mapping.
constexpr int standardButton[padButtonCount] = {
    0,  1,  2,  3, // A, B, X, Y
    4,  5,         // the bumpers
    8,  9,  16,    // Back, Start, Guide
    10, 11,        // the sticks pressed
    12, 15, 13, 14 // D-pad up, right, down, left
};

} // namespace

PadFrame readPads() {
    PadFrame frame;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) {
        return frame; // no Gamepad API
    }
    const int count = emscripten_get_num_gamepads();
    for (int pad = 0; pad < count && pad <= GLFW_JOYSTICK_LAST; ++pad) {
        EmscriptenGamepadEvent state;
        if (emscripten_get_gamepad_status(pad, &state) != EMSCRIPTEN_RESULT_SUCCESS || !state.connected ||
            std::strcmp(state.mapping, "standard") != 0) {
            continue;
        }
        frame.present[pad] = true;
        for (int button = 0; button < padButtonCount; ++button) {
            const int at = standardButton[button];
            frame.state[pad].buttons[button] = at < state.numButtons && state.digitalButton[at];
        }
        for (int axis = PadLeftX; axis <= PadRightY && axis < state.numAxes; ++axis) {
            frame.state[pad].axes[axis] = static_cast<float>(state.axis[axis]);
        }
    }
    return frame;
}
