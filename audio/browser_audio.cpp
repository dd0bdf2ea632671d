// The sound floor's device in a browser: emscripten's OpenAL on WebAudio. The
// browser lets it sound from the player's first key on (emscripten resumes
// it then); where there is no WebAudio the game is silent.
#include "audio/sound_floor.h"

bool SoundFloor::openDevice() { return start(alcOpenDevice(nullptr), nullptr); }

bool SoundFloor::openLoopback(int) { return false; }
