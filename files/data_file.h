// The files floor: reading the game's files and writing the player's, for the
// floors above (render/, audio/, replay/); it uses nothing of the game's.
//
// Reading one data file whole, within a limit its reader sets. Only a regular
// file is read (a symbolic link to one is fine): a named pipe, a device or a
// socket at a data path could block start-up or never end, so it counts as
// unreadable, and so does a file larger than the limit given.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// The file's bytes; nothing if it cannot be opened, is not a regular file, or
// holds more than limit bytes.
std::optional<std::string> readDataFile(const char* path, std::size_t limit);
