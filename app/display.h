// The app floor, at the top of the house: main and the command line, the
// window and its display events, the frame loop and its pacer, and the
// frame's drawing. It may use every floor below it; nothing calls up into it.
//
// How the game's window meets the display: the field refitted to every new
// framebuffer size, F11 between the window and full screen, P for pause, M for
// mute, the keys by their labels, a pause when the window loses the focus,
// whether the window shows at all and needs drawing again, and the refresh
// rate that tells whether buffer swaps wait for the display.
#pragma once

struct GLFWwindow;

// Registers what the window itself answers: a new framebuffer size, F11, P
// and M, the focus, being shown and hidden; every other key goes on to the
// game. Fits the field to the framebuffer now.
void connectDisplay(GLFWwindow* window);

// Full screen on the monitor the window is on; again: back to the window's
// own place and size. The game never sees the key.
void toggleFullScreen(GLFWwindow* window);

// The window lost (false) or gained the focus: lost, a game pauses.
void focusChanged(bool focused);

// Whether the window can be seen at all: not minimised, not hidden (as the
// display said within the last quarter of a second).
bool windowShows(GLFWwindow* window);

// Whether the picture must be drawn again though nothing moved (the window
// was exposed, resized or filled the screen); asking forgets it.
bool takeRedraw();

// The refresh rate of the monitor the window is on (or fills), 0 if unknown;
// known from the start, and looked up again only when the window moves or
// changes monitor.
int refreshRate();
