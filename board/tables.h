// The world's tables as the page reads them: each mode's top, as JSON,
//
//   {"S":[{"place":1,"name":"Ana","time":"6.90","steps":414,"date":"2026-12-09T18:05:41Z","id":17},...],
//    "A":[...]}
//
// the top ten kept at hand and read afresh once a game is kept here, or a
// second after it was read (another board process may have kept one): by one
// request, the others answered meanwhile with the tables it replaces.
#pragma once

#include "board/database.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

inline constexpr int tableRows = 10, mostTableRows = 100;

class Tables {
  public:
    explicit Tables(Database& database) : database_(database) {}
    // Both modes' first `rows` entries (1 to 100); nothing when the database cannot be read now.
    std::optional<std::string> json(int rows);
    // A game was kept here: the tables at hand are no longer the board's.
    void changed();

  private:
    std::optional<std::string> read(int rows);

    Database& database_;
    std::mutex mutex_;
    std::condition_variable readDone_;
    std::string atHand_; // the top ten's
    std::chrono::steady_clock::time_point readAt_;
    bool reading_ = false;
    long long changes_ = 0; // games kept here
};

// A text as a JSON string, quotes and all: what could be markup or control escaped.
std::string jsonString(const std::string& text);
