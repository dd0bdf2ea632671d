// Where the board keeps its games: one small interface that SQLite fills (a
// file, for a board on one machine) and PostgreSQL (one board shared by any
// number of board processes on any number of machines, each keeping nothing
// of its own). Every statement is prepared and every value bound: no SQL is
// ever made of what a sender sent.
//
// The schema has a version, kept in the database. A board finding an older
// one upgrades it in place, every step in one transaction; a newer one, or a
// database that is not a board's, it will not touch.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

inline constexpr int schemaVersion = 2;

// A won game, judged, to keep under its sender's name.
struct Entry {
    int mode = 0;
    long long steps = 0;
    std::string name, recording, identity;
};

// What became of a game handed to keep().
struct Kept {
    enum Outcome { Placed, AlreadyHeld, NotKept } outcome = NotKept;
    long long id = 0; // its entry; AlreadyHeld: the entry that holds the same game
    int place = 0;    // that entry's place in its mode now, 1 the fastest
    std::string why;  // NotKept: why not, as the sender is told
};

// An entry as a table shows it.
struct Row {
    long long id = 0;
    int place = 0;
    std::string name;
    long long steps = 0;
    std::string date; // when it was kept, UTC: 2026-12-09T18:05:41Z
};

class Database {
  public:
    virtual ~Database() = default;
    // Keeps the games in one commit, each unless the board holds the same game
    // already (the first kept stays): on the disk, or committed, before this
    // returns. Each game's outcome, in order; all NotKept if the commit failed.
    virtual std::vector<Kept> keep(const std::vector<Entry>& games) = 0;
    // The first `count` entries of a mode, fastest first, the first kept first
    // among equals; nothing when the database cannot be read now.
    virtual std::optional<std::vector<Row>> top(int mode, int count) = 0;
    // An entry's recording: nothing if there is none; `failed` set when the
    // database cannot be read now.
    virtual std::optional<std::string> recording(long long id, bool& failed) = 0;
};

// The address as it may be shown: a PostgreSQL address without its user, password or options.
std::string shownAddress(const std::string& address);

// The database at the address (a file's path, or a postgresql:// address),
// made or upgraded to this board's schema; or the one line that says why it
// cannot be used.
std::variant<std::unique_ptr<Database>, std::string> openDatabase(const std::string& address);
