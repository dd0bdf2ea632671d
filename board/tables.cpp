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

std::optional<std::string> Tables::json(int rows) {
    const auto now = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    if (rows == tableRows && !atHand_.empty() && now - readAt_ < keptAtHand) {
        return atHand_;
    }
    lock.unlock();
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
    json += "]}";
    if (rows == tableRows) {
        lock.lock();
        atHand_ = json;
        readAt_ = now;
    }
    return json;
}

void Tables::changed() {
    const std::lock_guard lock(mutex_);
    atHand_.clear();
}
