#include "session/page_recordings.h"

#include "play/played_games.h"
#include "replay/packed_replay.h"
#include "replay/replay_file.h"
#include "session/session.h"
#include "session/wins.h"

#include <emscripten/emscripten.h>

#include <ctime>
#include <string>
#include <utility>
#include <variant>

// Says to the page how the recording shown goes.
EM_JS(void, tellPage, (const char* line), { Module.playbackSaid(UTF8ToString(line)); });

namespace {

std::string shownText;    // the recording shown, as it came
std::string answer;       // what the page was last handed
std::string playbackSaid; // what the page was told of the recording shown: once, as it never changes
int bestsShown = -1;      // the table's changes the page has shown

// The recording asked for: "" for the one shown, else the game being played
// as it stands, else the last one played (empty before any); or a best's, by
// its mode and place ("S1" to "A5"; empty if there is none).
std::string recordingAskedFor(const std::string& which) {
    if (which.empty()) {
        return playback ? shownText : gameSoFar();
    }
    const int mode = which[0] == 'S' ? 0 : 1;
    const std::size_t place = static_cast<std::size_t>(which[1] - '1');
    if (!keeper || which.size() != 2 || place >= keeper->bests().of[mode].size()) {
        return "";
    }
    return keeper->recordingOf(keeper->bests().of[mode][place]);
}

// A recording's text, named as the page names it: shown from now on as
// --replay shows one, and "" said; or the one line that says why not.
const char* show(const std::string& name, std::string text) {
    std::variant<Replay, std::string> read = readReplay(text, name);
    if (const auto* refused = std::get_if<std::string>(&read)) {
        return (answer = *refused).c_str();
    }
    shownText = std::move(text);
    playbackSaid.clear();
    showRecording(std::move(std::get<Replay>(read)));
    return (answer = "").c_str();
}

} // namespace

void tellPageOfBests() {
    if (keeper && keeper->changes() != bestsShown) {
        bestsShown = keeper->changes();
        EM_ASM(Module.bestsChanged());
    }
}

void tellPageOfWins() {
    static int told = 0;
    if (gamesWon != told && lastWin) {
        told = gamesWon;
        const std::string mode(1, modeLetter(lastWin->mode)), time = secondsOf(lastWin->steps);
        EM_ASM(Module.gameWon(UTF8ToString($0), UTF8ToString($1)), mode.c_str(), time.c_str());
    }
}

void tellPageOfPlayback() {
    if (playback && playbackSaid.empty() && !(playbackSaid = playback->outcome()).empty()) {
        tellPage(playbackSaid.c_str());
    }
}

// The recording to save or share (recordingAskedFor).
extern "C" EMSCRIPTEN_KEEPALIVE const char* recordingToKeep(const char* which) {
    return (answer = recordingAskedFor(which)).c_str();
}

// The same packed for a link (packed_replay.h), its bytes' count in `size`;
// none if there is no such recording.
extern "C" EMSCRIPTEN_KEEPALIVE const char* packedRecordingToKeep(const char* which, int* size) {
    const auto read = readReplay(recordingAskedFor(which), "");
    const auto* replay = std::get_if<Replay>(&read);
    answer = replay ? packReplay(*replay) : "";
    *size = static_cast<int>(answer.size());
    return answer.data();
}

// The bests for the page's tables, as JSON: each one's mode, place, time and
// date (as shown, and whole), fastest first.
extern "C" EMSCRIPTEN_KEEPALIVE const char* bestsForPage() {
    answer = "[";
    for (int mode = 0; keeper && mode < modes; ++mode) {
        const std::vector<Best>& table = keeper->bests().of[mode];
        for (std::size_t i = 0; i < table.size(); ++i) {
            answer += std::string(answer.size() > 1 ? "," : "") + "{\"mode\":\"" + modeLetter(mode) +
                      "\",\"place\":" + std::to_string(i + 1) + ",\"time\":\"" + secondsOf(table[i].steps) +
                      "\",\"date\":\"" + dayAndMinute(table[i].date) + "\",\"when\":\"" + table[i].date +
                      "\"}";
        }
    }
    return (answer += "]").c_str();
}

// The bests entered and not yet kept, kept now: the page is going away.
extern "C" EMSCRIPTEN_KEEPALIVE void keepBestsNow() {
    if (keeper) {
        keeper->keepEntered();
    }
}

// A best shown, as a recording opened is ("S1" to "A5"): "" or why not.
extern "C" EMSCRIPTEN_KEEPALIVE const char* watchBest(const char* which) {
    const std::string text = recordingAskedFor(which);
    const std::string name = std::string("best ") + which[0] + " #" + (which[0] ? which + 1 : "");
    return text.empty() ? (answer = name + ": no such best kept").c_str() : show(name, text);
}

// A recording the page was handed (`size` bytes at `bytes`, its text or packed
// for a link; none read when larger than any recording can be), named as the
// page names it: shown from now on, as --replay shows one, and "" said; or,
// refused, the one line that says why, and the game goes on as it was.
extern "C" EMSCRIPTEN_KEEPALIVE const char* showRecordingGiven(const char* name, const char* bytes,
                                                               double size) {
    if (size > static_cast<double>(maxReplayBytes) || !bytes) {
        return (answer = tooLargeForAReplay(name)).c_str();
    }
    return show(name, unpackReplay(std::string(bytes, static_cast<std::size_t>(size))));
}

// The page's "stop watching": the title screen, and games of the player's own again.
extern "C" EMSCRIPTEN_KEEPALIVE void stopWatching() {
    if (playback) {
        stopShowing(static_cast<unsigned>(std::time(nullptr)));
    }
}
