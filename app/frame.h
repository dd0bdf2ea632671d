// One frame: a step of the game and the field drawn as the step left it.
#pragma once

// One step at currentTime, the game clock in seconds, then its picture.
void drawFrame(double currentTime);

// A frame's steps and picture, on any platform. Running: the steps due at
// `now` on the real clock, the sounds they made, and the field drawn at the
// frame's own moment between the last two steps. Still (paused, or the window
// cannot be seen): the time left out, so that the game goes on where it
// stopped, and the field drawn as the last frame drew it, only if `redraw`
// asks for it or the pause has changed since the last picture. Whether it drew.
bool stepAndDraw(double now, bool still, bool redraw);

// The field with no step: black bars round a white field, then the work of
// the current screen drawn on it, what moves `along` its latest step's move
// (at 1, as it stands), dimmed under a pause sign while the game is paused.
void drawField(float along = 1.0f);
