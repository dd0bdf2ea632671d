// What a won game's field shows until S or A begins the next: its time in
// seconds and, when it is among the five best of its mode, its place, a new
// best crowned. Drawn with the game's own sprites from the digits sheet
// (textures/digits.png, drawn from tools/sprites/digits.txt).
#pragma once

#include <string>

// Over the field just drawn: a won game's time, its seconds ("38.05"), and
// its place, 1 to 5, or 0 for none.
void drawWonSign(const std::string& seconds, int place);
