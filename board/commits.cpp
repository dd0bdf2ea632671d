#include "board/commits.h"

#include <algorithm>

namespace {

constexpr std::size_t mostInACommit = 256;

} // namespace

Commits::Commits(Database& database) : database_(database), thread_([this] { run(); }) {}

Commits::~Commits() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    arrived_.notify_one();
    thread_.join();
}

Kept Commits::keep(Entry entry) {
    Waiting waiting{std::move(entry), std::nullopt};
    std::unique_lock lock(mutex_);
    waiting_.push_back(&waiting);
    arrived_.notify_one();
    committed_.wait(lock, [&] { return waiting.kept.has_value(); });
    return *waiting.kept;
}

std::pair<long long, long long> Commits::counts() {
    const std::lock_guard lock(mutex_);
    return {games_, commits_};
}

void Commits::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        arrived_.wait(lock, [this] { return !waiting_.empty() || stopping_; });
        if (waiting_.empty()) {
            return;
        }
        const std::size_t taken = std::min(waiting_.size(), mostInACommit);
        std::vector<Waiting*> batch(waiting_.begin(), waiting_.begin() + static_cast<long>(taken));
        waiting_.erase(waiting_.begin(), waiting_.begin() + static_cast<long>(taken));
        lock.unlock();
        std::vector<Entry> entries;
        for (const Waiting* w : batch) {
            entries.push_back(w->entry);
        }
        std::vector<Kept> kept = database_.keep(entries);
        lock.lock();
        for (std::size_t i = 0; i < batch.size(); ++i) {
            batch[i]->kept = kept[i];
        }
        games_ += static_cast<long long>(batch.size());
        ++commits_;
        committed_.notify_all();
    }
}
