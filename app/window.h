// The game's one window and its OpenGL 4.3 context: 600 x 400 times the
// monitor's content scale (1200 x 800 at 200 %), titled "Gorvath", with the
// game's icon and a window class that desktops match with its menu entry.
#pragma once

struct GLFWwindow;

// Ends the program with status 1 when there is no windowing library or no
// OpenGL; the window is made current, its swaps wait for the display.
GLFWwindow* openWindow();

// The title says when the game is paused: "Gorvath (paused)".
void showPausedInTitle(GLFWwindow* window, bool paused);
