// One line of what the game says on its console: written whole, ended by a
// line feed and flushed, on standard output or standard error. (Through the C
// library's streams: a browser's build then carries none of iostream's.)
#pragma once

#include <cstdio>
#include <string>

void sayLine(std::FILE* stream, const std::string& line);
