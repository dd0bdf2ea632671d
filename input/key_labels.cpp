#include "input/key_labels.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

int keyByLabel(int key, const char* name) {
    const bool oneCharacter =
        name && name[0] != '\0' && name[1] == '\0'; // ASCII: every other is longer in UTF-8
    if (!oneCharacter) {
        return key;
    }
    const char c = name[0];
    if (c >= 'a' && c <= 'z') {
        return GLFW_KEY_A + (c - 'a');
    }
    if (c >= 'A' && c <= 'Z') {
        return GLFW_KEY_A + (c - 'A');
    }
    return key >= GLFW_KEY_A && key <= GLFW_KEY_Z ? GLFW_KEY_UNKNOWN : key;
}

int keyByLabel(int key, int scancode) { return keyByLabel(key, glfwGetKeyName(key, scancode)); }
