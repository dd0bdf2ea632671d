// Keeping the bests: where they are kept (a store: a folder on the desktop,
// the page's own storage in a browser), read once at start-up, and each new
// best written there with its recording, out of the game's way, without ever
// losing one: written aside and then put in place, merged with the table as
// it stands there at that moment (another game may have set a best
// meanwhile), and anything unreadable set aside rather than deleted.
#pragma once

#include "bests/bests.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class Store {
  public:
    enum class Found { Nothing, Text, Broken, Refused };
    virtual ~Store() = default;
    // The named text, within `limit` bytes: nothing there, its text,
    // something that cannot be read as one, or no reading allowed at all
    // (`text` then says why).
    virtual Found read(const std::string& name, std::size_t limit, std::string& text) = 0;
    // Writes it whole, aside and then in its place: false, with `why` said, if it could not.
    virtual bool write(const std::string& name, const std::string& text, std::string& why) = 0;
    virtual void remove(const std::string& name) = 0;
    // Moves it out of the way under a name of its own, never deleting it: that name.
    virtual std::string setAside(const std::string& name) = 0;
    // Where a name is kept, as the player reads it.
    virtual std::string where(const std::string& name) const = 0;
    // Held while the table is read, merged and written again.
    virtual void lock() {}
    virtual void unlock() {}
    // Runs the work out of the game's way, one at a time (on the desktop on a
    // thread of its own, in a browser once the frame is over); finish() waits
    // for it to be done.
    virtual void later(std::function<void()> work) = 0;
    virtual void finish() {}
};

// The table's name in the store, and a recording's.
inline constexpr const char* bestsName = "bests.txt";
std::string recordingName(const std::string& game);

class Keeper {
  public:
    // `say` takes the one line said when the bests cannot be read or kept.
    Keeper(std::unique_ptr<Store> store, void (*say)(const std::string& line));
    Keeper(const Keeper&) = delete;
    Keeper& operator=(const Keeper&) = delete;
    ~Keeper(); // what was entered, kept first

    // Reads the table: a broken one is set aside and said, and the tables start empty.
    void readAtStart();
    const Bests& bests() const { return bests_; }
    // How many times the table has changed since start-up.
    int changes() const { return changes_; }
    const Store& store() const { return *store_; }

    // A won game: its place, 0 outside the five. Entered in the table at once;
    // kept in the store later, out of the game's way.
    int enter(int mode, long long steps, const std::string& date, const std::string& recording);
    // The recording of a best, as kept; empty if it cannot be read.
    std::string recordingOf(const Best& best);
    // Keeps what was entered, here and now (what enter() has arranged to run later).
    void keepEntered();

  private:
    void keep(const Best& best, const std::string& recording);
    // Said once a run: the bests cannot be kept, and why.
    void cannotKeep(const std::string& why);
    // The table found broken, for that reason: set aside, and said.
    void setAsideBroken(const std::string& why);

    std::unique_ptr<Store> store_;
    void (*say_)(const std::string&);
    Bests bests_;
    bool said_ = false;
    int changes_ = 0;
    std::mutex mutex_; // guards entered_
    std::vector<std::pair<Best, std::string>> entered_;
};

// Now, as a best's date: 2026-12-08T18:05:41, local time.
std::string dateNow();
// Now, as the world's board dates an entry: 2026-12-09T18:05:41Z, in UTC.
std::string dateNowUtc();
