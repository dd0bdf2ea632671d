#include "bests/bests.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cstdio>

namespace {

// Kept names are plain: never a path, so that a table edited by hand can
// name no file outside the place the bests are kept.
bool plainName(const std::string& name) {
    const auto plain = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '_' || c == '-';
    };
    return !name.empty() && name.size() <= 100 && name[0] != '.' &&
           std::all_of(name.begin(), name.end(), plain);
}

// 2026-12-08T18:05:41, digits where digits go.
bool dateOf(const std::string& date) {
    const std::string shape = "dddd-dd-ddTdd:dd:dd";
    return date.size() == shape.size() &&
           std::equal(shape.begin(), shape.end(), date.begin(), [](char s, char c) {
               return s == 'd' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : s == c;
           });
}

// A line's words, a space apart, as the table is written.
std::vector<std::string> spaced(const std::string& line) {
    std::vector<std::string> words;
    for (std::size_t start = 0;;) {
        const std::size_t space = line.find(' ', start);
        words.push_back(line.substr(start, space - start));
        if (space == std::string::npos) {
            return words;
        }
        start = space + 1;
    }
}

} // namespace

char modeLetter(int mode) { return mode == 0 ? 'S' : 'A'; }

int placeFor(const Bests& bests, int mode, long long steps) {
    const std::vector<Best>& table = bests.of[mode];
    const auto place =
        std::count_if(table.begin(), table.end(), [&](const Best& b) { return b.steps <= steps; });
    return place < bestsKept ? static_cast<int>(place) + 1 : 0;
}

std::vector<Best> enterBest(Bests& bests, const Best& best) {
    std::vector<Best>& table = bests.of[best.mode];
    const int place = placeFor(bests, best.mode, best.steps);
    if (place == 0) {
        return {best};
    }
    table.insert(table.begin() + (place - 1), best);
    std::vector<Best> out(table.begin() + std::min<std::size_t>(table.size(), bestsKept), table.end());
    table.resize(std::min<std::size_t>(table.size(), bestsKept));
    return out;
}

std::string bestsText(const Bests& bests) {
    std::string text = "gorvath bests 1\n";
    for (const auto& table : bests.of) {
        for (const Best& b : table) {
            text += std::string(1, modeLetter(b.mode)) + " " + std::to_string(b.steps) + " " + b.date + " " +
                    b.game + "\n";
        }
    }
    return text + "end\n";
}

std::variant<Bests, std::string> readBests(const std::string& text) {
    if (text.rfind("gorvath bests 1\n", 0) != 0) {
        return "not a table of bests";
    }
    Bests bests;
    int number = 2;
    for (std::size_t from = text.find('\n') + 1; from < text.size(); ++number) {
        const std::size_t feed = std::min(text.find('\n', from), text.size());
        const std::string line = text.substr(from, feed - from);
        from = feed + 1;
        if (line == "end") {
            return from >= text.size() ? std::variant<Bests, std::string>(bests) : "something after its end";
        }
        const std::vector<std::string> words = spaced(line);
        if (words.size() != 4) {
            return "line " + std::to_string(number) + " is not a best";
        }
        const auto &mode = words[0], &steps = words[1], &date = words[2], &game = words[3];
        Best b;
        const char* end = steps.data() + steps.size();
        const bool timed = std::from_chars(steps.data(), end, b.steps).ptr == end && b.steps > 0;
        if ((mode != "S" && mode != "A") || !timed || !dateOf(date) || !plainName(game)) {
            return "line " + std::to_string(number) + " is not a best";
        }
        b.mode = mode == "S" ? 0 : 1;
        b.date = date, b.game = game;
        std::vector<Best>& table = bests.of[b.mode];
        if (table.size() == bestsKept || (!table.empty() && table.back().steps > b.steps)) {
            return "line " + std::to_string(number) + " is out of place";
        }
        table.push_back(b);
    }
    return "cut short";
}

std::string secondsOf(long long steps) {
    const long long hundredths = (steps * 100 + 30) / 60; // to the nearest, a half up
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", hundredths / 100, hundredths % 100);
    return text;
}

std::string dayAndMinute(const std::string& date) { return date.substr(0, 10) + " " + date.substr(11, 5); }
