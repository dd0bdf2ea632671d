// Where what a player keeps goes: $XDG_DATA_HOME/gorvath, or
// ~/.local/share/gorvath where that is unset (or, as the base directories
// have it, not an absolute path).
#pragma once

#include <string>

std::string dataFolder();
