// A short checksum of the game: everything its next steps depend on, so that
// two games with the same checksum at a step play on alike. Recordings keep
// one every second of play, and a playback compares them.
#pragma once

#include <cstdint>

std::uint32_t gameChecksum();
