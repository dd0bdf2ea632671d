// The board's command line, in the GNU style: long options, as --help lists them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

struct BoardOptions {
    std::string database; // a file, or a postgresql:// address; empty: the default file
    std::string address = "127.0.0.1";
    int port = 8080;         // 0: any free one
    std::string site;        // the web build's folder, served beside the board
    int sendsPerMinute = 6;  // from one address; 0: no limit
    bool trustProxy = false; // a reverse proxy's X-Forwarded-For names the sender
    int connections = 256;   // served at once
};

// Reads the arguments into options. After --help or --version (said on out),
// or a command line that is wrong (one line on err), the exit status: 0 or 2.
std::optional<int> parseBoardOptions(int argc, char** argv, BoardOptions& options, std::ostream& out,
                                     std::ostream& err);
