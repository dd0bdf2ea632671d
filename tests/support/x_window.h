// Finding the game's window on the X display and talking to it as a user and
// a window manager would.
#pragma once

#include <chrono>
#include <string>

// The id of the mapped top-level window titled exactly `title` and owned by
// process pid (any process if pid <= 0), or 0 if none appears in time.
unsigned long waitForWindow(const std::string& title, long pid, std::chrono::milliseconds deadline);

// What a window manager sends when the user clicks the close button.
bool sendCloseRequest(unsigned long window);

// Focuses the window and types the keys (xdotool key names, e.g. "s", "Up")
// as real X key events through the XTEST extension.
bool typeKeys(unsigned long window, const std::string& keys);

// Saves a screenshot of the window as a PNG (a 24-bit TrueColor display).
bool screenshot(unsigned long window, const std::string& pngPath);
