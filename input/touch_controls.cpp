#include "input/touch_controls.h"

#include "input/key_codes.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <iterator>

namespace {

constexpr int controlKeys[] = {GLFW_KEY_UP, GLFW_KEY_DOWN, GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_SPACE,
                               GLFW_KEY_F,  GLFW_KEY_S,    GLFW_KEY_A,    GLFW_KEY_P,     GLFW_KEY_M};
constexpr int directions = 4; // the first four repeat
static_assert(std::size(controlKeys) == 10);

} // namespace

void TouchControls::set(const char* code, bool held, double now, SendKey send) {
    const int key = keyOfCode(code);
    for (int c = 0; c < controlCount; ++c) {
        if (controlKeys[c] == key) {
            keys_[c].update(held, now, key, c < directions, send);
        }
    }
}

void TouchControls::update(double now, SendKey send) {
    for (int c = 0; c < directions; ++c) {
        if (keys_[c].held()) {
            keys_[c].update(true, now, controlKeys[c], true, send);
        }
    }
}
