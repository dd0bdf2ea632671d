#include "replay/replay_file.h"

#include "files/data_file.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/stat.h>
#include <type_traits>

namespace {

constexpr std::pair<int, const char*> keyNames[] = {
    {GLFW_KEY_S, "S"},       {GLFW_KEY_A, "A"},         {GLFW_KEY_UP, "UP"},       {GLFW_KEY_DOWN, "DOWN"},
    {GLFW_KEY_LEFT, "LEFT"}, {GLFW_KEY_RIGHT, "RIGHT"}, {GLFW_KEY_SPACE, "SPACE"}, {GLFW_KEY_F, "F"}};
constexpr std::pair<int, const char*> actionNames[] = {
    {GLFW_PRESS, "press"}, {GLFW_REPEAT, "repeat"}, {GLFW_RELEASE, "release"}};

template <std::size_t n> const char* nameOf(const std::pair<int, const char*> (&names)[n], int value) {
    for (const auto& [v, name] : names) {
        if (v == value) {
            return name;
        }
    }
    return nullptr;
}

template <std::size_t n>
bool valueOf(const std::pair<int, const char*> (&names)[n], const std::string& name, int& value) {
    for (const auto& [v, known] : names) {
        if (name == known) {
            value = v;
            return true;
        }
    }
    return false;
}

// A whole word as a number in the given base, within [0, most].
template <class Number> bool numberOf(const std::string& word, Number& value, Number most, int base = 10) {
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, value, base);
    return error == std::errc() && at == end && !word.empty() && word[0] != '-' && value <= most;
}

std::string hex(std::uint32_t sum) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", sum);
    return text;
}

// A whole word as a finite number within [-most, most], as the C library
// reads one (the game sets no locale: a point, never a comma).
template <class Number> bool decimalOf(const std::string& word, Number& value, Number most) {
    char* end = nullptr;
    if constexpr (std::is_same_v<Number, float>) {
        value = std::strtof(word.c_str(), &end);
    } else {
        value = std::strtod(word.c_str(), &end);
    }
    return !word.empty() && end == word.c_str() + word.size() && std::isfinite(value) &&
           std::fabs(value) <= most;
}

std::string decimal(double value, int digits) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*g", digits, value);
    return text;
}

// The line's words, as a stream reads them: runs of anything but white space.
std::vector<std::string> wordsOf(std::string_view line) {
    constexpr const char* space = " \t\n\v\f\r";
    std::vector<std::string> words;
    for (std::size_t at = line.find_first_not_of(space); at != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(space, at), line.size());
        words.emplace_back(line.substr(at, end - at));
        at = line.find_first_not_of(space, end);
    }
    return words;
}

// The lines of what a game took over, which version 2 has and version 1 not:
// "" once one is read, else what is wrong with it.
std::string readTakenOver(const std::vector<std::string>& w, Replay& replay) {
    if (w[0] == "draws" && w.size() == 2) {
        return numberOf(w[1], replay.draws, mostReplayDraws)
                   ? ""
                   : "the draws must be a whole number from 0 to " + std::to_string(mostReplayDraws);
    }
    if (w[0] == "trapcount" && w.size() == 2) {
        return numberOf(w[1], replay.trapCount, 6) ? ""
                                                   : "the Trap's count must be a whole number from 0 to 6";
    }
    if (replay.explosions.size() == mostReplayExplosions) {
        return "more explosions than a game leaves behind (at most " + std::to_string(mostReplayExplosions) +
               ")";
    }
    ReplayExplosion explosion;
    if (!decimalOf(w[1], explosion.x, 2.0f) || !decimalOf(w[2], explosion.y, 2.0f) ||
        !numberOf(w[3], explosion.tile, 10) ||
        !decimalOf(w[4], explosion.lastStep, static_cast<double>(mostReplaySteps) / 60) ||
        explosion.lastStep < 0) {
        return "an explosion is its x and y (-2 to 2), its tile (0 to 10) and when it last stepped (0 to " +
               std::to_string(mostReplaySteps / 60) + " s)";
    }
    replay.explosions.push_back(explosion);
    return "";
}

} // namespace

const char* keyName(int key) { return nameOf(keyNames, key); }

std::string headerLines(const Replay& replay) {
    std::string lines = "gorvath replay " + std::to_string(replayVersion) + "\nseed " +
                        std::to_string(replay.seed) + "\ndraws " + std::to_string(replay.draws) + "\n";
    if (replay.trapCount != 0) {
        lines += "trapcount " + std::to_string(replay.trapCount) + "\n";
    }
    for (const ReplayExplosion& explosion : replay.explosions) {
        lines += explosionLine(explosion);
    }
    return lines;
}

std::string explosionLine(const ReplayExplosion& e) {
    return "explosion " + decimal(e.x, 9) + " " + decimal(e.y, 9) + " " + std::to_string(e.tile) + " " +
           decimal(e.lastStep, 17) + "\n";
}

std::string keyLine(const ReplayKey& key) {
    return "step " + std::to_string(key.step) + " key " + keyName(key.key) + " " +
           nameOf(actionNames, key.action) + "\n";
}

std::string checkLine(const ReplayCheck& check) {
    return "step " + std::to_string(check.step) + " check " + hex(check.sum) + "\n";
}

std::string endLine(const ReplayCheck& end) {
    return "step " + std::to_string(end.step) + " end " + hex(end.sum) + "\n";
}

std::string replayText(const Replay& replay) {
    std::string text = headerLines(replay);
    auto check = replay.checks.begin();
    for (const ReplayKey& key : replay.keys) {
        for (; check != replay.checks.end() && check->step <= key.step; ++check) {
            text += checkLine(*check);
        }
        text += keyLine(key);
    }
    for (; check != replay.checks.end(); ++check) {
        text += checkLine(*check);
    }
    return text + endLine(replay.end);
}

std::string tooLargeForAReplay(const std::string& name) {
    return name + ": too large for a Gorvath replay (over 64 MiB)";
}

std::variant<Replay, std::string> readReplayFile(const std::string& path) {
    const std::optional<std::string> bytes = readDataFile(path.c_str(), maxReplayBytes);
    if (bytes) {
        return readReplay(*bytes, path);
    }
    struct stat info {};
    if (stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        static_cast<std::size_t>(info.st_size) > maxReplayBytes) {
        return tooLargeForAReplay(path);
    }
    return "cannot read replay file " + path + " (missing, or not a plain file)";
}

std::variant<Replay, std::string> readReplay(const std::string& text, const std::string& name) {
    if (text.size() > maxReplayBytes) {
        return tooLargeForAReplay(name);
    }
    Replay replay;
    int version = 0;
    bool seeded = false, stepped = false, ended = false;
    long long lastStep = 0;
    int number = 0;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t feed = std::min(text.find('\n', from), text.size());
        const std::string line = text.substr(from, feed - from);
        from = feed + 1;
        const std::string at = name + ":" + std::to_string(++number) + ": ";
        const std::vector<std::string> w = wordsOf(std::string_view(line).substr(0, line.find('#')));
        if (w.empty()) {
            continue;
        }
        if (version == 0) {
            if (w.size() != 3 || w[0] != "gorvath" || w[1] != "replay" || !numberOf(w[2], version, 1 << 30)) {
                return name + ": not a Gorvath replay (its first line is not \"gorvath replay " +
                       std::to_string(replayVersion) + "\")";
            }
            if (version < 1 || version > replayVersion) {
                return name + ": a replay of version " + w[2] +
                       ", which this game cannot play (it plays versions 1 and 2)";
            }
            continue;
        }
        if (ended) {
            return at + "nothing may follow the end line";
        }
        if (w[0] == "seed" && w.size() == 2 && !seeded) {
            if (!numberOf(w[1], replay.seed, 0xffffffffu)) {
                return at + "the seed must be a whole number from 0 to 4294967295";
            }
            seeded = true;
            continue;
        }
        const bool takenOver =
            (w[0] == "draws" || w[0] == "trapcount") ? w.size() == 2 : w[0] == "explosion" && w.size() == 5;
        if (takenOver && version >= 2 && seeded && !stepped) {
            if (const std::string wrong = readTakenOver(w, replay); !wrong.empty()) {
                return at + wrong;
            }
            continue;
        }
        long long step = 0;
        const bool keyLine = w.size() == 5 && w[2] == "key";
        const bool sumLine = w.size() == 4 && (w[2] == "check" || w[2] == "end");
        if (w[0] != "step" || !seeded || !(keyLine || sumLine)) {
            return at + "cannot read \"" + line + "\"";
        }
        if (!numberOf(w[1], step, mostReplaySteps) || step < lastStep) {
            return at + "step " + w[1] + " is out of order or out of range (0 to " +
                   std::to_string(mostReplaySteps) + ", never less than the line above)";
        }
        lastStep = step;
        stepped = true;
        if (keyLine) {
            ReplayKey key{step, 0, 0};
            if (!valueOf(keyNames, w[3], key.key) || !valueOf(actionNames, w[4], key.action)) {
                return at + "no such key or action: \"" + w[3] + " " + w[4] +
                       "\" (keys: S A UP DOWN LEFT RIGHT SPACE F; actions: press repeat release)";
            }
            replay.keys.push_back(key);
            continue;
        }
        ReplayCheck check{step, 0};
        if (w[3].size() != 8 || !numberOf(w[3], check.sum, 0xffffffffu, 16)) {
            return at + "a checksum is eight hexadecimal digits, not \"" + w[3] + "\"";
        }
        (w[2] == "end" ? replay.end : replay.checks.emplace_back()) = check;
        ended = w[2] == "end";
    }
    if (version == 0) {
        return name + ": empty, not a Gorvath replay";
    }
    if (!ended) {
        return name + ": cut short: no end line";
    }
    replay.version = version;
    return replay;
}
