#include "board/tables.h"

#include "bests/bests.h"

#include <cstdio>

namespace {

constexpr std::chrono::seconds keptAtHand{1};

} // namespace

std::string jsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\' || c == '<' || c == '>' || c == '&' ||
            static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::optional<std::string> Tables::read(int rows) {
    std::string json = "{";
    for (int mode = 0; mode < modes; ++mode) {
        const std::optional<std::vector<Row>> top = database_.top(mode, rows);
        if (!top) {
            return std::nullopt;
        }
        json += std::string(mode ? "]," : "") + "\"" + modeLetter(mode) + "\":[";
        for (const Row& row : *top) {
            json += std::string(row.place > 1 ? "," : "") + "{\"place\":" + std::to_string(row.place) +
                    ",\"name\":" + jsonString(row.name) + ",\"time\":\"" + secondsOf(row.steps) +
                    "\",\"steps\":" + std::to_string(row.steps) + ",\"date\":" + jsonString(row.date) +
                    ",\"id\":" + std::to_string(row.id) + "}";
        }
    }
    return json + "]}";
}

std::optional<std::string> Tables::json(int rows) {
    if (rows != tableRows) {
        return read(rows);
    }
    std::unique_lock lock(mutex_);
    auto now = std::chrono::steady_clock::now();
    while (atHand_.empty() || now - readAt_ >= keptAtHand) {
        if (!reading_) {
            break;
        }
        if (!atHand_.empty()) {
            return atHand_; // being read afresh by another request meanwhile
        }
        readDone_.wait(lock); // nothing at hand: the read under way waited for
        now = std::chrono::steady_clock::now();
    }
    if (!atHand_.empty() && now - readAt_ < keptAtHand) {
        return atHand_;
    }
    reading_ = true;
    const long long before = changes_;
    lock.unlock();
    const std::optional<std::string> json = read(rows);
    lock.lock();
    reading_ = false;
    if (changes_ == before) { // else read before a game kept here: not to be kept at hand
        atHand_ = json.value_or("");
        readAt_ = now;
    }
    readDone_.notify_all();
    return json;
}

void Tables::changed() {
    const std::lock_guard lock(mutex_);
    ++changes_;
    atHand_.clear();
}
