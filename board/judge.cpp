#include "board/judge.h"

#include "play/replay_check.h"
#include "replay/replay_file.h"

#include <openssl/evp.h>

#include <cstdio>
#include <mutex>

namespace {

std::mutex judging; // the one game the program holds

std::string sha256(const std::string& text) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned length = 0;
    EVP_Digest(text.data(), text.size(), digest, &length, EVP_sha256(), nullptr);
    std::string hex;
    for (unsigned i = 0; i < length; ++i) {
        char two[3];
        std::snprintf(two, sizeof two, "%02x", digest[i]);
        hex += two;
    }
    return hex;
}

} // namespace

std::string tooLargeToJudge() { return "game: too large for a won game's recording (over 1 MiB)"; }

std::variant<JudgedGame, std::string> judge(const std::string& text) {
    if (text.size() > mostSentBytes) {
        return tooLargeToJudge();
    }
    const std::variant<Replay, std::string> read = readReplay(text, "game");
    if (const auto* refused = std::get_if<std::string>(&read)) {
        return *refused;
    }
    const Replay& replay = std::get<Replay>(read);
    if (replay.version < 2) {
        return "game: a recording of version 1, which does not say where its game's random draws began: "
               "send one the game kept alone (version 2)";
    }
    if (replay.end.step - replay.start() > mostJudgedSteps) {
        return "game: longer than an hour of play (" + std::to_string(replay.end.step - replay.start()) +
               " steps)";
    }
    ReplayPlayed played;
    {
        const std::lock_guard lock(judging);
        played = playThrough(replay);
    }
    if (!played.matched) {
        return played.outcome;
    }
    if (played.gamesBegun == 0) {
        return "game: no game in it (no S or A begins one)";
    }
    if (played.gamesBegun > 1) {
        return "game: " + std::to_string(played.gamesBegun) + " games in one recording: send each alone";
    }
    if (!played.firstGame) {
        return "game: not won (the game had not ended at its last step)";
    }
    const PlayedGame& game = *played.firstGame;
    if (game.start != replay.start()) {
        return "game: its game does not begin at its first key (a game alone begins with its S or A)";
    }
    if (!game.won) {
        return "game: not won (the Player was caught)";
    }
    return JudgedGame{game.mode, game.steps, game.recording, sha256(game.recording)};
}
