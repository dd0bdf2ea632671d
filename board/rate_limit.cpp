#include "board/rate_limit.h"

#include <algorithm>
#include <cmath>

namespace {

// Past this many addresses, those whose buckets are full again are forgotten.
constexpr std::size_t mostRemembered = 100000;

} // namespace

std::optional<int> RateLimit::take(const std::string& address, std::chrono::steady_clock::time_point now) {
    if (perMinute_ == 0) {
        return std::nullopt;
    }
    const double perSecond = perMinute_ / 60.0;
    const std::lock_guard lock(mutex_);
    const auto refilled = [&](const Bucket& b) {
        return std::min<double>(perMinute_,
                                b.sends + std::chrono::duration<double>(now - b.at).count() * perSecond);
    };
    if (buckets_.size() > mostRemembered) {
        std::erase_if(buckets_, [&](const auto& entry) { return refilled(entry.second) >= perMinute_; });
    }
    const auto [at, added] = buckets_.try_emplace(address, Bucket{static_cast<double>(perMinute_), now});
    Bucket& bucket = at->second;
    bucket.sends = refilled(bucket);
    bucket.at = now;
    if (bucket.sends < 1.0) {
        return static_cast<int>(std::ceil((1.0 - bucket.sends) / perSecond));
    }
    bucket.sends -= 1.0;
    return std::nullopt;
}
