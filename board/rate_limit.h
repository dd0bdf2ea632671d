// How often each address may send a game: a few a minute, each address with
// a bucket of that many sends, filled again at that rate.
#pragma once

#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>

class RateLimit {
  public:
    // perMinute 0: no limit.
    explicit RateLimit(int perMinute) : perMinute_(perMinute) {}
    // Takes a send for the address; if it has none left, the seconds until it has.
    std::optional<int> take(const std::string& address, std::chrono::steady_clock::time_point now);

  private:
    struct Bucket {
        double sends;
        std::chrono::steady_clock::time_point at;
    };
    int perMinute_;
    std::mutex mutex_;
    std::unordered_map<std::string, Bucket> buckets_;
};
