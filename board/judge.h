// The board's judge of a game sent to it: the text read by the game's own
// reader and played through by its own player, with no screen. Only one game
// alone (version 2, from its S or A), won, every checksum matching, passes;
// its mode and its time are what the replay shows, never what the sender
// says. Games are judged one at a time (the game's state is the program's),
// each in well under a millisecond.
#pragma once

#include <cstddef>
#include <string>
#include <variant>

// No won game's recording comes near either: a text larger is refused before
// it is read whole, and a recording of longer play before it is played.
inline constexpr std::size_t mostSentBytes = std::size_t{1} << 20; // 1 MiB
inline constexpr long long mostJudgedSteps = 60LL * 60 * 60;       // an hour

struct JudgedGame {
    int mode = 0;          // 0: S (keys steer the Trap), 1: A (it steers itself)
    long long steps = 0;   // from its S or A to the step its last Undead was gone
    std::string recording; // the game alone, as the game itself records it
    std::string identity;  // its recording's SHA-256, in hexadecimal: the same game, whoever sends it
};

// What is said of a text larger than any won game's recording.
std::string tooLargeToJudge();

// The won game in the text, or the one line that says why it is refused.
std::variant<JudgedGame, std::string> judge(const std::string& text);
