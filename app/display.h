// How the game's window meets the display: the field refitted to every new
// framebuffer size, F11 between the window and full screen, and the refresh
// rate that paces the frames where vsync is ignored.
#pragma once

struct GLFWwindow;

// Registers what the window itself answers: a new framebuffer size, and F11;
// every other key goes on to the game. Fits the field to the framebuffer now.
void connectDisplay(GLFWwindow* window);

// Full screen on the monitor the window is on; again: back to the window's
// own place and size. The game never sees the key.
void toggleFullScreen(GLFWwindow* window);

// The refresh rate of the monitor the window is on (or fills), 0 if unknown;
// looked up again only when the window moves or changes monitor.
int refreshRate();
