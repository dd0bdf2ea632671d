// The bests on the desktop: files in a folder of the player's, the table
// (bests.txt) and the recordings (games/), locked while the table is
// rewritten so that games run at once keep all their bests.
#pragma once

#include "bests/keeper.h"
#include "files/file_writer.h"

#include <thread>

class DirectoryStore : public Store {
  public:
    explicit DirectoryStore(std::string folder) : folder_(std::move(folder)) {}
    ~DirectoryStore() override {
        finish();
        unlock();
    }

    Found read(const std::string& name, std::size_t limit, std::string& text) override;
    bool write(const std::string& name, const std::string& text, std::string& why) override;
    void remove(const std::string& name) override;
    std::string setAside(const std::string& name) override;
    std::string where(const std::string& name) const override {
        return name.empty() ? folder_ : folder_ + "/" + name;
    }
    void lock() override;
    void unlock() override;
    void later(std::function<void()> work) override;
    void finish() override;

  private:
    std::string folder_;
    unsigned fileMode_ = newFileMode(); // read here, before any thread of ours runs
    int lock_ = -1;
    std::thread thread_; // what later() was given
};
