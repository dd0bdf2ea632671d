// One frame: a step of the game and the field drawn as the step left it.
#pragma once

// One step at currentTime, the game clock in seconds, then its picture.
void drawFrame(double currentTime);

// The field as it stands, with no step: black bars round a white field, then
// the work of the current screen drawn on it, dimmed under a pause sign while
// the game is paused.
void drawField();
