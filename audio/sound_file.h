// Decoding a sound file (Ogg Vorbis) into 16-bit samples. Needs no sound
// device, so the decoder can be exercised (and fuzzed) on its own.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

// Far above any sound of ours (a few kilobytes, a second or less): a larger
// file, or a longer sound, is not one of ours.
inline constexpr std::size_t maxSoundBytes = std::size_t{1} << 20; // 1 MiB
inline constexpr int maxSoundSeconds = 10;

struct DecodedSound {
    std::vector<short> samples; // interleaved when there are two channels
    int channels = 0;           // 1 or 2
    int rate = 0;               // samples a second, per channel
};

// Whether the bytes are safe to hand to the system's stb_vorbis and whole:
// Ogg pages end to end, the last of them closing its stream (a file cut
// short anywhere is turned away here, where the decoder would play what is
// left of it), and a comment header whose lengths stay inside it (the
// decoder trusts them).
bool acceptableSoundFile(std::string_view bytes);

// Nothing when the file cannot be read as a data file, is cut short, is not
// Ogg Vorbis, holds no sound, or is too long.
std::optional<DecodedSound> decodeSoundFile(const char* path);
