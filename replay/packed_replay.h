// A recording packed small, for a link that carries a game: the same
// recording, its numbers written in a few bytes each (steps as the distance
// from the line before), which unpacks to the recording's own text, byte for
// byte as the game writes it. The game reads that text as it reads any file,
// so a packed recording is refused, when it must be, for the same reasons.
//
// Packed: the byte 2, then unsigned LEB128 numbers: the seed, the draws, the
// Trap's count, the Explosions taken over (how many, then each one's x and y
// as a float's four bytes, its tile, and when it last stepped as a double's
// eight, little-endian), the first line's step; then a number a line, its
// step's distance from the line before times 26 plus what it is (a key and
// action 0 to 23, 24 a check, 25 the end, each of those two followed by its
// checksum's four bytes), to the end.
#pragma once

#include "replay/replay_file.h"

#include <string>

std::string packReplay(const Replay& replay);
// The text of the recording packed in `bytes`; bytes not packed (a
// recording's text, or anything else) as they stand. Unpacking stops once the
// text grows larger than any recording may be.
std::string unpackReplay(const std::string& bytes);
