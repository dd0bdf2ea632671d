#include "bests/keeper.h"

#include <ctime>
#include <unistd.h>
#include <utility>
#include <variant>

namespace {

constexpr std::size_t maxRecordingBytes = std::size_t{64} << 20; // as any recording

} // namespace

std::string recordingName(const std::string& game) { return "games/" + game; }

namespace {

std::string now(bool utc) {
    const std::time_t now = std::time(nullptr);
    std::tm time{};
    utc ? gmtime_r(&now, &time) : localtime_r(&now, &time);
    char text[32];
    std::strftime(text, sizeof text, utc ? "%Y-%m-%dT%H:%M:%SZ" : "%Y-%m-%dT%H:%M:%S", &time);
    return text;
}

} // namespace

std::string dateNow() { return now(false); }

std::string dateNowUtc() { return now(true); }

Keeper::Keeper(std::unique_ptr<Store> store, void (*say)(const std::string& line))
    : store_(std::move(store)), say_(say) {}

Keeper::~Keeper() {
    store_->finish();
    keepEntered();
}

void Keeper::readAtStart() {
    std::string text, why;
    switch (store_->read(bestsName, maxBestsBytes, text)) {
    case Store::Found::Nothing: return;
    case Store::Found::Refused: cannotKeep(text); return;
    case Store::Found::Broken: why = text; break;
    case Store::Found::Text: {
        auto read = readBests(text);
        if (auto* bests = std::get_if<Bests>(&read)) {
            bests_ = std::move(*bests);
            return;
        }
        why = std::get<std::string>(read);
    }
    }
    setAsideBroken(why);
}

int Keeper::enter(int mode, long long steps, const std::string& date, const std::string& recording) {
    std::string stamp = date;
    std::erase_if(stamp, [](char c) { return c == ':'; });
    // Named by the game's time, its date and the process, so that no two share a name.
    const Best best{mode, steps, date,
                    std::string(1, static_cast<char>(modeLetter(mode) + 'a' - 'A')) + "-" + stamp + "-" +
                        std::to_string(steps) + "-" + std::to_string(getpid()) + ".txt"};
    const int place = placeFor(bests_, mode, steps);
    if (place == 0) {
        return 0;
    }
    enterBest(bests_, best);
    ++changes_;
    {
        const std::lock_guard lock(mutex_);
        entered_.emplace_back(best, recording);
    }
    store_->later([this] { keepEntered(); });
    return place;
}

void Keeper::keepEntered() {
    std::vector<std::pair<Best, std::string>> entered;
    {
        const std::lock_guard lock(mutex_);
        entered.swap(entered_);
    }
    for (const auto& [best, recording] : entered) {
        keep(best, recording);
    }
}

std::string Keeper::recordingOf(const Best& best) {
    std::string text;
    return store_->read(recordingName(best.game), maxRecordingBytes, text) == Store::Found::Text ? text : "";
}

void Keeper::cannotKeep(const std::string& why) {
    if (!std::exchange(said_, true)) {
        say_("cannot keep bests in " + store_->where("") + ": " + why);
    }
}

void Keeper::setAsideBroken(const std::string& why) {
    const std::string aside = store_->setAside(bestsName);
    say_("the bests in " + store_->where(bestsName) + " could not be read (" + why + "); set aside as " +
         aside);
}

// The recording first, then the table as the store holds it now with this
// best merged in; the recordings it pushes out of the five go.
void Keeper::keep(const Best& best, const std::string& recording) {
    std::string why;
    if (!store_->write(recordingName(best.game), recording, why)) {
        cannotKeep(why);
        return;
    }
    store_->lock();
    Bests stored;
    std::string text;
    const Store::Found found = store_->read(bestsName, maxBestsBytes, text);
    auto read = found == Store::Found::Text ? readBests(text) : std::variant<Bests, std::string>(text);
    if (auto* bests = std::get_if<Bests>(&read)) {
        stored = std::move(*bests);
    } else if (found == Store::Found::Refused) {
        store_->unlock();
        cannotKeep(text);
        return;
    } else if (found != Store::Found::Nothing) { // broken since start-up
        setAsideBroken(std::get<std::string>(read));
    }
    const std::vector<Best> out = enterBest(stored, best);
    const bool written = store_->write(bestsName, bestsText(stored), why);
    store_->unlock();
    if (!written) {
        cannotKeep(why);
        store_->remove(recordingName(best.game));
        return;
    }
    for (const Best& gone : out) {
        store_->remove(recordingName(gone.game));
    }
}
