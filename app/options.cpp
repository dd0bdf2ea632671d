#include "app/options.h"

#include <getopt.h>

#include <ostream>

namespace {

constexpr const char* usage = R"(Usage: gorvath [OPTION]...
A small arcade game: stun the Undead with your shot, then bomb them from above.

      --fullscreen      start full screen, as F11 leaves it
      --mute            start with the sounds muted, as M leaves them
      --record FILE     record the game, from the first S or A on, to FILE
      --replay FILE     show the game recorded in FILE, step for step, and
                        say so if it does not play out as it was recorded
      --check FILE      play FILE back with no window, as fast as it goes, and
                        say whether it plays out as it was recorded
      --bests           show the five fastest won games of each mode, with
                        their recordings, and exit
      --no-bests        keep no bests: a won game writes nothing
      --data-dir DIR    read shaders/, textures/ and sounds/ in DIR
                        (the installed launcher gives the installed ones)
      --help            show this help and exit
      --version         show the version and exit

Keys: S or A start a game (you steer the Trap, or it steers itself); UP and
DOWN move the Player; SPACE fires; LEFT, RIGHT and F steer the Trap and drop
its bomb; P pauses; M mutes; F11 fills the screen; Q quits. A gamepad plays
too. See gorvath(6).

Exit status: 0 once quit, 1 when the display, OpenGL or a file cannot be
used or a replay does not match, 2 when the command line is wrong.
)";

enum Option { Fullscreen = 1000, Mute, Record, Replay, Check, Bests, NoBests, DataDir, Help, Version };

constexpr option longOptions[] = {{"fullscreen", no_argument, nullptr, Fullscreen},
                                  {"mute", no_argument, nullptr, Mute},
                                  {"record", required_argument, nullptr, Record},
                                  {"replay", required_argument, nullptr, Replay},
                                  {"check", required_argument, nullptr, Check},
                                  {"bests", no_argument, nullptr, Bests},
                                  {"no-bests", no_argument, nullptr, NoBests},
                                  {"data-dir", required_argument, nullptr, DataDir},
                                  {"help", no_argument, nullptr, Help},
                                  {"version", no_argument, nullptr, Version},
                                  {nullptr, 0, nullptr, 0}};

std::string nameOf(int option) { return longOptions[option - Fullscreen].name; }

int misuse(std::ostream& err, const std::string& what) {
    err << "gorvath: " << what << "; see 'gorvath --help'" << std::endl;
    return 2;
}

} // namespace

std::optional<int> parseOptions(int argc, char** argv, Options& options, std::ostream& out,
                                std::ostream& err) {
    opterr = 0; // its messages are ours to make
    optind = 0; // and start afresh
    for (int got; (got = getopt_long(argc, argv, ":", longOptions, nullptr)) != -1;) {
        const std::string given = argv[optind - 1];
        switch (got) {
        case Fullscreen: options.fullscreen = true; break;
        case Mute: options.mute = true; break;
        case Record: options.record = optarg; break;
        case Replay: options.replay = optarg; break;
        case Check: options.check = optarg; break;
        case Bests: options.bests = true; break;
        case NoBests: options.noBests = true; break;
        case DataDir: options.dataDirectory = optarg; break;
        case Help: out << usage << std::flush; return 0;
        case Version: out << "gorvath " GORVATH_VERSION << std::endl; return 0;
        case ':': return misuse(err, "option '--" + nameOf(optopt) + "' needs an argument");
        default:
            if (optopt >= Fullscreen) {
                return misuse(err, "option '--" + nameOf(optopt) + "' takes no argument");
            }
            // A short option is named by itself, as it may stand in a cluster.
            return misuse(err, "unrecognized option '" +
                                   (optopt > 0 ? "-" + std::string(1, static_cast<char>(optopt)) : given) +
                                   "'");
        }
    }
    if (optind < argc) {
        return misuse(err, "unexpected argument '" + std::string(argv[optind]) + "'");
    }
    if (!options.record.empty() + !options.replay.empty() + !options.check.empty() + options.bests > 1) {
        return misuse(err, "--record, --replay, --check and --bests go one at a time");
    }
    return std::nullopt;
}
