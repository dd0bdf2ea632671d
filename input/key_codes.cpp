#include "input/key_codes.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cstring>
#include <utility>

int keyOfCode(const char* code) {
    if (std::strncmp(code, "Key", 3) == 0 && code[3] >= 'A' && code[3] <= 'Z' && code[4] == '\0') {
        return GLFW_KEY_A + (code[3] - 'A');
    }
    constexpr std::pair<const char*, int> named[] = {
        {"ArrowUp", GLFW_KEY_UP},       {"ArrowDown", GLFW_KEY_DOWN}, {"ArrowLeft", GLFW_KEY_LEFT},
        {"ArrowRight", GLFW_KEY_RIGHT}, {"Space", GLFW_KEY_SPACE},    {"F11", GLFW_KEY_F11}};
    for (const auto& [name, token] : named) {
        if (std::strcmp(code, name) == 0) {
            return token;
        }
    }
    return GLFW_KEY_UNKNOWN;
}
