// A player's name on the board: 1 to 16 characters, each a letter of any
// script (with the marks that script writes letters with), a digit, a space,
// '-' or '_', in UTF-8, neither beginning nor ending with a space. Nothing
// else: no markup, no control, format or direction characters.
#pragma once

#include <string>

inline constexpr int mostNameCharacters = 16;

// What is wrong with the name, as said to the sender; empty when it is fine.
std::string whatIsWrongWithName(const std::string& name);
