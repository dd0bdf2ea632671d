// The browser's names of keys by their places (KeyboardEvent.code: "KeyS",
// "ArrowUp", "Space"), as GLFW's key tokens, which name places too.
#pragma once

// The token of the place, for the letters, the arrows, SPACE and F11;
// GLFW_KEY_UNKNOWN for any other.
int keyOfCode(const char* code);
