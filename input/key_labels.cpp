#include "input/key_labels.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include <cctype>

int keyByLabel(int key, const char* name) {
    // One ASCII character: every other character is longer in UTF-8.
    if (!name || name[0] == '\0' || name[1] != '\0') {
        return key;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter >= 'A' && letter <= 'Z') {
        return GLFW_KEY_A + (letter - 'A'); // the tokens of the letters are their capitals
    }
    return key >= GLFW_KEY_A && key <= GLFW_KEY_Z ? GLFW_KEY_UNKNOWN : key;
}

int keyByLabel(int key, int scancode) { return keyByLabel(key, glfwGetKeyName(key, scancode)); }
