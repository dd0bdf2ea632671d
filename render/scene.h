// Scene setup: the GL state every frame relies on, made once at start-up.
#pragma once

struct GLFWwindow;

// Needs the window's context current. Registers the keyboard last.
void initScene(GLFWwindow* window);
