// Games kept in as few commits as they come: each sender waits while a commit
// is under way, and all that came meanwhile are kept together in the next. A
// disk that commits a thousand times a second keeps many thousands of games
// a second so, each one on the disk before its sender is answered.
#pragma once

#include "board/database.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class Commits {
  public:
    explicit Commits(Database& database);
    ~Commits(); // what waits is kept first
    Commits(const Commits&) = delete;
    Commits& operator=(const Commits&) = delete;

    // Keeps the game, with whatever others wait: its outcome, once committed.
    Kept keep(Entry entry);
    // How many games each commit has kept: their count, and the commits'.
    std::pair<long long, long long> counts();

  private:
    struct Waiting {
        Entry entry;
        std::optional<Kept> kept;
    };
    void run();

    Database& database_;
    std::mutex mutex_;
    std::condition_variable arrived_, committed_;
    std::vector<Waiting*> waiting_;
    bool stopping_ = false;
    long long games_ = 0, commits_ = 0;
    std::thread thread_;
};
