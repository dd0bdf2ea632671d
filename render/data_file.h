// Reading one of the game's data files whole. Only a regular file is read (a
// symbolic link to one is fine): a named pipe, a device or a socket at a data
// path could block start-up or never end, so it counts as unreadable, and so
// does a file larger than the limit given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Far above any real file: our shaders are about a kilobyte and our sprite
// sheets under 100 kB. A larger file is not one of ours; reading it would only
// hold start-up up and fill memory (and a larger picture makes the decoder
// ask for gigabytes).
inline constexpr std::size_t maxShaderBytes = std::size_t{1} << 20; // 1 MiB
inline constexpr std::size_t maxSheetBytes = std::size_t{64} << 20; // 64 MiB

// The file's bytes; nothing if it cannot be opened, is not a regular file, or
// holds more than limit bytes.
std::optional<std::string> readDataFile(const char* path, std::size_t limit);
