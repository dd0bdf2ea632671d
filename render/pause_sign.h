// What a paused game shows: the field as it stood, dimmed, with a pause sign
// (two upright bars on a dark disc) in its middle. Our own small shader, made
// the first time it is needed after each scene setup.
#pragma once

// Forgets the sign's GL objects: called by each scene setup, whose context is new.
void resetPauseSign();

// Over the field just drawn.
void drawPauseSign();
