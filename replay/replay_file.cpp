#include "replay/replay_file.h"

#include "files/data_file.h"

#include <GLFW/glfw3.h>

#include <charconv>
#include <cstdio>
#include <sstream>

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

} // namespace

const char* keyName(int key) { return nameOf(keyNames, key); }

std::string headerLines(unsigned seed) {
    return "gorvath replay " + std::to_string(replayVersion) + "\nseed " + std::to_string(seed) + "\n";
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
    std::string text = headerLines(replay.seed);
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

std::variant<Replay, std::string> readReplayFile(const std::string& path) {
    const std::optional<std::string> bytes = readDataFile(path.c_str(), maxReplayBytes);
    if (!bytes) {
        return "cannot read replay file " + path + " (missing, not a plain file, or over 64 MiB)";
    }
    std::istringstream lines(*bytes);
    Replay replay;
    bool versioned = false, seeded = false, ended = false;
    long long lastStep = 0;
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::string at = path + ":" + std::to_string(number) + ": ";
        std::istringstream words(line.substr(0, line.find('#')));
        std::vector<std::string> w;
        for (std::string word; words >> word;) {
            w.push_back(word);
        }
        if (w.empty()) {
            continue;
        }
        if (!versioned) {
            int version = 0;
            if (w.size() != 3 || w[0] != "gorvath" || w[1] != "replay" || !numberOf(w[2], version, 1 << 30)) {
                return path + ": not a Gorvath replay (its first line is not \"gorvath replay 1\")";
            }
            if (version != replayVersion) {
                return path + ": a replay of version " + w[2] +
                       ", which this game cannot play (it plays version 1)";
            }
            versioned = true;
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
    if (!versioned) {
        return path + ": empty, not a Gorvath replay";
    }
    if (!ended) {
        return path + ": cut short: no end line";
    }
    return replay;
}
