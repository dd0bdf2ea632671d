// One frame: clear to white, then the work of the current screen.
#pragma once

// currentTime is this frame's one reading of the clock, in seconds.
void drawFrame(double currentTime);
