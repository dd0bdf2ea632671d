// The command line, in the GNU style: long options, as --help lists them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

struct Options {
    bool fullscreen = false, mute = false;
    bool bests = false, noBests = false; // show the bests and exit; keep none
    std::string record, replay, check;   // at most one of the three, each a file
    std::string dataDirectory;           // where shaders/, textures/ and sounds/ are; empty: here
};

// Reads the arguments into options. After --help or --version (said on out),
// or a command line that is wrong (one line on err, naming what is wrong and
// pointing at --help), the exit status the program ends with: 0 or 2.
std::optional<int> parseOptions(int argc, char** argv, Options& options, std::ostream& out,
                                std::ostream& err);
