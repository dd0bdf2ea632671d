#include "board/options.h"

#include <charconv>
#include <cstring>
#include <ostream>

namespace {

constexpr const char* usage =
    "Usage: gorvath-board [OPTION]...\n"
    "The world's bests of Gorvath: a board that plays every game sent to it before it keeps it.\n"
    "\n"
    "  --database PLACE        a file (SQLite), or a postgresql:// address; by default\n"
    "                          board.sqlite in $STATE_DIRECTORY, else in $XDG_DATA_HOME/gorvath\n"
    "  --address ADDRESS       listen there (default 127.0.0.1; 0.0.0.0 for every address)\n"
    "  --port PORT             listen on that port (default 8080; 0 for any free one)\n"
    "  --site DIR              serve the game's web build from DIR beside the board\n"
    "  --sends-per-minute N    games one address may send a minute (default 6; 0 for no limit)\n"
    "  --trust-proxy           take the sender's address from X-Forwarded-For, as a reverse\n"
    "                          proxy in front of the board sets it\n"
    "  --connections N         connections served at once; more are answered 503 (default 256)\n"
    "  --help                  show this help and exit\n"
    "  --version               show the version and exit\n";

bool numberIn(const char* text, int least, int most, int& value) {
    const char* end = text + std::strlen(text);
    const auto [at, error] = std::from_chars(text, end, value);
    return error == std::errc() && at == end && value >= least && value <= most;
}

} // namespace

std::optional<int> parseBoardOptions(int argc, char** argv, BoardOptions& options, std::ostream& out,
                                     std::ostream& err) {
    const auto wrong = [&](const std::string& what) {
        err << "gorvath-board: " << what << " (see gorvath-board --help)" << std::endl;
        return std::optional<int>(2);
    };
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "--version") {
            out << (option == "--help" ? usage : "gorvath-board " GORVATH_VERSION "\n") << std::flush;
            return 0;
        }
        if (option == "--trust-proxy") {
            options.trustProxy = true;
            continue;
        }
        const bool takesValue = option == "--database" || option == "--address" || option == "--port" ||
                                option == "--site" || option == "--sends-per-minute" ||
                                option == "--connections";
        if (!takesValue) {
            return wrong("unknown option " + option);
        }
        if (i + 1 == argc || argv[i + 1][0] == '\0') {
            return wrong(option + " needs a value");
        }
        const char* value = argv[++i];
        if (option == "--database") {
            options.database = value;
        } else if (option == "--address") {
            options.address = value;
        } else if (option == "--site") {
            options.site = value;
        } else if (option == "--port" && !numberIn(value, 0, 65535, options.port)) {
            return wrong("--port takes a port from 0 to 65535, not " + std::string(value));
        } else if (option == "--sends-per-minute" && !numberIn(value, 0, 1000000, options.sendsPerMinute)) {
            return wrong("--sends-per-minute takes a whole number from 0 to 1000000, not " +
                         std::string(value));
        } else if (option == "--connections" && !numberIn(value, 1, 10000, options.connections)) {
            return wrong("--connections takes a whole number from 1 to 10000, not " + std::string(value));
        }
    }
    return std::nullopt;
}
