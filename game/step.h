// One step of the game: 1/60 s of game time. A step is everything a frame does
// but draw: the play-field update, the finished Undead taken away, the
// Explosions' and the Mascot's tiles moved on by the clock, and where it moved
// what it moved noted (motion.h). Drawing the field after a step, or between
// two, is render/'s and app/'s.
#pragma once

// time is the step's reading of the game clock, in seconds. An Explosion that
// finishes in a step is still drawn after it and is taken away by the next.
void stepGame(double time);
