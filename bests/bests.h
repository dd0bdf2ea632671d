// The bests floor: the five fastest won games of each mode, each with its
// time, its date and its recording, kept across runs. It may use files/, and
// knows nothing of the game but a won game's mode, time and recording.
//
// The table, and its text: a version line, then a line a best, its mode (S
// or A), its time in steps, when it was won and the name of its recording,
// and an end line, so that a table cut short is known as such:
//
//   gorvath bests 1
//   S 2283 2026-12-08T18:05:41 s-2026-12-08-180541-4242.txt
//   end
#pragma once

#include <string>
#include <variant>
#include <vector>

inline constexpr int bestsKept = 5;                    // of each mode
inline constexpr int modes = 2;                        // 0: S (keys steer the Trap), 1: A (it steers itself)
inline constexpr std::size_t maxBestsBytes = 64 << 10; // far above any real table

struct Best {
    int mode = 0;
    long long steps = 0; // from its S or A to the step its last Undead was gone
    std::string date;    // local time it was won: 2026-12-08T18:05:41
    std::string game;    // its recording's name where the bests are kept
};

struct Bests {
    std::vector<Best> of[modes]; // fastest first
};

// The place, 1 to 5, a game won in that many steps would take among the
// bests of its mode (after any as fast, which were there first); 0 if none.
int placeFor(const Bests& bests, int mode, long long steps);
// Enters the best at its place, if it has one; the bests it pushes out of the
// five (itself, if it has no place).
std::vector<Best> enterBest(Bests& bests, const Best& best);

std::string bestsText(const Bests& bests);
// The table in the text, or what is wrong with it.
std::variant<Bests, std::string> readBests(const std::string& text);

// A time as the player reads it: seconds with two decimals ("38.05").
std::string secondsOf(long long steps);
// A date as the player reads it: "2026-12-08 18:05".
std::string dayAndMinute(const std::string& date);
// The mode's letter, S or A.
char modeLetter(int mode);
