#include "render/scene.h"

#include "game/controls.h"

#include <GLFW/glfw3.h>

void initScene(GLFWwindow* window) { glfwSetKeyCallback(window, keyCallback); }
