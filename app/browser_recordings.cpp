#include "app/browser_recordings.h"

#include "replay/packed_replay.h"
#include "replay/replay_file.h"
#include "session/played_games.h"
#include "session/session.h"

#include <emscripten/emscripten.h>

#include <ctime>
#include <string>
#include <variant>

// Says to the page how the recording shown goes.
EM_JS(void, tellPage, (const char* line), { Module.playbackSaid(UTF8ToString(line)); });

namespace {

std::string shownText; // the recording shown, as it came
std::string answer;    // what the page was last handed
bool divergenceSaid = false, endSaid = false;

} // namespace

void tellPageOfPlayback() {
    if (!playback) {
        return;
    }
    if (playback->divergedAt() && !std::exchange(divergenceSaid, true)) {
        tellPage(("replay diverged at step " + std::to_string(*playback->divergedAt())).c_str());
    }
    if (playback->ended() && !playback->divergedAt() && !std::exchange(endSaid, true)) {
        const Replay& replay = playback->replay();
        tellPage(("replay matches: " + std::to_string(replay.end.step - replay.start()) + " steps").c_str());
    }
}

// The recording to save or share: the one shown, else the game being played
// as it stands, else the last one played; empty before any.
extern "C" EMSCRIPTEN_KEEPALIVE const char* recordingToKeep() {
    answer = playback ? shownText : gameSoFar();
    return answer.c_str();
}

// The same packed for a link (packed_replay.h), its bytes' count first in
// `size`; none before any game.
extern "C" EMSCRIPTEN_KEEPALIVE const char* packedRecordingToKeep(int* size) {
    const std::string text = playback ? shownText : gameSoFar();
    const auto read = readReplay(text, "");
    answer = text.empty() ? "" : packReplay(std::get<Replay>(read));
    *size = static_cast<int>(answer.size());
    return answer.data();
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
    std::string text = unpackReplay(std::string(bytes, static_cast<std::size_t>(size)));
    std::variant<Replay, std::string> read = readReplay(text, name);
    if (const auto* refused = std::get_if<std::string>(&read)) {
        return (answer = *refused).c_str();
    }
    shownText = std::move(text);
    divergenceSaid = endSaid = false;
    showRecording(std::move(std::get<Replay>(read)));
    return (answer = "").c_str();
}

// The page's "stop watching": the title screen, and games of the player's own again.
extern "C" EMSCRIPTEN_KEEPALIVE void stopWatching() {
    if (playback) {
        stopShowing(static_cast<unsigned>(std::time(nullptr)));
    }
}
