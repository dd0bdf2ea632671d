// The keyboard: one GLFW key callback drives the whole game.
#pragma once

struct GLFWwindow;

void keyCallback(GLFWwindow* window, int key, int scancode, int action, int mods);
