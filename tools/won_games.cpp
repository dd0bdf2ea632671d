// Plays games by itself, through the game's own keys, and writes each one it
// wins as the game records a game alone: the board's tests and benchmark send
// them, a different game for each seed. Seeds 1, 2, ... are played until COUNT
// are won; and one game lost, the first seed's with its start key alone
// (lost.txt).
//
//   won_games COUNT DIR [S|A]     (S, the Trap steered by the keys, unless A)
//
// The player it plays: the Player rises or falls to the nearest Undead still
// walking and shoots it; in S games the Trap goes to the stunned Undead
// farthest from the Player and bombs it, never one in the Player's own column.
#include "game/controls.h"
#include "game/game_state.h"
#include "play/draws.h"
#include "play/play.h"
#include "replay/replay_file.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr long long mostSteps = 60 * 60; // a minute: a game not over by then is given up

void key(int key) {
    for (const int action : {GLFW_PRESS, GLFW_RELEASE}) {
        notePlayersKey(key, action);
        keyCallback(nullptr, key, 0, action, 0);
    }
}

// This step's keys, as the player decides them from the field as it stands.
void play(bool steersTrap) {
    const Entity& player = *thePlayer;
    const Undead* chased = nullptr; // the nearest still walking
    const Undead* bombed = nullptr; // the stunned one farthest from the Player
    for (const auto& undead : undeadList) {
        if (undead->status == Active && (!chased || undead->position.x < chased->position.x)) {
            chased = undead.get();
        }
        const bool clear = undead->position.x - player.position.x > 0.25f; // not over the Player's head
        if (undead->status == Stunned && clear && (!bombed || undead->position.x > bombed->position.x)) {
            bombed = undead.get();
        }
    }
    if (chased) {
        const float dy = chased->position.y - player.position.y;
        if (std::fabs(dy) > 0.02f) {
            key(dy > 0 ? GLFW_KEY_UP : GLFW_KEY_DOWN);
        } else if (!thePlayer->projectile) {
            key(GLFW_KEY_SPACE);
        }
    }
    if (steersTrap && bombed) {
        const float dx = bombed->position.x - theTrap->position.x;
        if (std::fabs(dx) > 0.025f) {
            key(dx > 0 ? GLFW_KEY_RIGHT : GLFW_KEY_LEFT);
        } else if (!theTrap->projectile) {
            key(GLFW_KEY_F);
        }
    }
}

// A game of that seed, from its mode's key to its end, played or left alone:
// the game, as the game records it alone.
PlayedGame playGame(unsigned seed, int mode, bool playing) {
    Replay title; // the title screen, the draws seeded, the clock at zero
    title.seed = seed;
    startPlayback(title);
    key(mode);
    while (stepsRun < mostSteps) {
        if (playing) {
            play(mode == GLFW_KEY_S);
        }
        if (const PlayedGame* ended = playOneStep()) {
            return *ended;
        }
    }
    return {};
}

void write(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc >= 3 ? std::atoi(argv[1]) : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: won_games COUNT DIR [S|A]\n");
        return 2;
    }
    const std::string dir = argv[2];
    const int mode = argc > 3 && std::string(argv[3]) == "A" ? GLFW_KEY_A : GLFW_KEY_S;
    int won = 0, played = 0;
    for (unsigned seed = 1; won < count; ++seed, ++played) {
        if (const PlayedGame game = playGame(seed, mode, true); game.won) {
            char name[32];
            std::snprintf(name, sizeof name, "/won-%04d.txt", ++won);
            write(dir + name, game.recording);
        }
    }
    write(dir + "/lost.txt", playGame(1, mode, false).recording);
    std::printf("%d won of %d played\n", won, played);
    return 0;
}
