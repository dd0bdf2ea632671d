#include "replay/packed_replay.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr unsigned char packed = 2; // never the first byte of a recording's text
constexpr int keys[] = {GLFW_KEY_S,    GLFW_KEY_A,     GLFW_KEY_UP,    GLFW_KEY_DOWN,
                        GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_SPACE, GLFW_KEY_F};
constexpr int actions[] = {GLFW_PRESS, GLFW_REPEAT, GLFW_RELEASE};
constexpr int keyCodes = 24, checkCode = 24, endCode = 25, codes = 26;

template <class Table> unsigned indexIn(const Table& table, int value) {
    unsigned i = 0;
    while (table[i] != value) {
        ++i;
    }
    return i;
}

void putNumber(std::string& out, unsigned long long n) {
    for (; n >= 0x80; n >>= 7) {
        out += static_cast<char>((n & 0x7f) | 0x80);
    }
    out += static_cast<char>(n);
}

template <class Value> void putBytes(std::string& out, Value value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

// Reads the packed bytes in order; once they run out, `whole` is false and
// every read gives 0.
struct Reader {
    const std::string& bytes;
    std::size_t at = 1;
    bool whole = true;

    unsigned long long number() {
        unsigned long long n = 0;
        for (int shift = 0; whole; shift += 7) {
            if (at == bytes.size() || shift > 63) {
                whole = false;
                return 0;
            }
            const auto byte = static_cast<unsigned char>(bytes[at++]);
            n |= static_cast<unsigned long long>(byte & 0x7f) << shift;
            if (byte < 0x80) {
                return n;
            }
        }
        return 0;
    }
    template <class Value> Value value() {
        Value v{};
        if (whole && bytes.size() - at >= sizeof v) {
            std::memcpy(&v, bytes.data() + at, sizeof v);
            at += sizeof v;
        } else {
            whole = false;
        }
        return v;
    }
};

} // namespace

std::string packReplay(const Replay& replay) {
    std::string out(1, static_cast<char>(packed));
    for (const long long n :
         {static_cast<long long>(replay.seed), replay.draws, static_cast<long long>(replay.trapCount),
          static_cast<long long>(replay.explosions.size())}) {
        putNumber(out, static_cast<unsigned long long>(n));
    }
    for (const ReplayExplosion& e : replay.explosions) {
        putBytes(out, e.x), putBytes(out, e.y), putNumber(out, static_cast<unsigned>(e.tile)),
            putBytes(out, e.lastStep);
    }
    long long last = replay.end.step; // the first line's step
    if (!replay.keys.empty()) {
        last = std::min(last, replay.keys.front().step);
    }
    if (!replay.checks.empty()) {
        last = std::min(last, replay.checks.front().step);
    }
    putNumber(out, static_cast<unsigned long long>(last));
    const auto line = [&](long long step, unsigned code) {
        putNumber(out, static_cast<unsigned long long>(step - last) * codes + code);
        last = step;
    };
    auto check = replay.checks.begin();
    const auto checksUpTo = [&](long long step) {
        for (; check != replay.checks.end() && check->step <= step; ++check) {
            line(check->step, checkCode);
            putBytes(out, check->sum);
        }
    };
    for (const ReplayKey& key : replay.keys) { // in the order the game writes them
        checksUpTo(key.step);
        line(key.step, indexIn(keys, key.key) * 3 + indexIn(actions, key.action));
    }
    checksUpTo(replay.end.step);
    line(replay.end.step, endCode);
    putBytes(out, replay.end.sum);
    return out;
}

std::string unpackReplay(const std::string& bytes) {
    if (bytes.empty() || static_cast<unsigned char>(bytes[0]) != packed) {
        return bytes;
    }
    Reader in{bytes};
    std::string text = "gorvath replay 2\nseed " + std::to_string(in.number());
    text += "\ndraws " + std::to_string(in.number()) + "\n";
    if (const unsigned long long trapCount = in.number()) {
        text += "trapcount " + std::to_string(trapCount) + "\n";
    }
    const unsigned long long explosions = in.number();
    for (unsigned long long i = 0; i < explosions && in.whole; ++i) {
        if (i == mostReplayExplosions) {
            return text + explosionLine({}); // one too many, refused as such
        }
        ReplayExplosion e;
        e.x = in.value<float>(), e.y = in.value<float>();
        const unsigned long long tile = in.number();
        e.lastStep = in.value<double>();
        e.tile = tile > 10 ? 11 : static_cast<int>(tile); // past the last tile: refused as such
        text += explosionLine(e);
    }
    unsigned long long step = std::min(in.number(), static_cast<unsigned long long>(mostReplaySteps) + 1);
    while (in.whole && text.size() <= maxReplayBytes) {
        const unsigned long long n = in.number();
        const unsigned code = n % codes;
        step = std::min(step + n / codes, static_cast<unsigned long long>(mostReplaySteps) + 1);
        const auto at = static_cast<long long>(step); // past the last step: refused as such
        if (!in.whole) {
            break;
        } else if (code < keyCodes) {
            text += keyLine({at, keys[code / 3], actions[code % 3]});
        } else if (const auto sum = in.value<std::uint32_t>(); in.whole) {
            text += code == checkCode ? checkLine({at, sum}) : endLine({at, sum});
            if (code == endCode) {
                break;
            }
        }
    }
    return text; // cut short, it has no end line, and is refused as such
}
