// Recorded games: recorded in process, read and written back, checked twice,
// checked again with one key changed; a later game recorded alone; packed for a
// link and unpacked; the game's own generator against the C library's.
#include "game/game_state.h"
#include "game/play_field.h"
#include "game/random.h"
#include "game/sources.h"
#include "play/draws.h"
#include "play/played_games.h"
#include "play/replay_check.h"
#include "replay/packed_replay.h"
#include "session/session.h"
#include "tests/support/game_test.h"

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <variant>

namespace {

const std::string keptGame = GORVATH_SOURCE_DIR "/tests/replays/a-game.txt";

std::string textOf(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// checkReplayFile's exit status, standard output and standard error.
std::tuple<int, std::string, std::string> check(const std::string& path) {
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = checkReplayFile(path);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

using Replays = GameTest;

TEST_F(Replays, AGameRecordedHereChecksOutAndHoldsWhatItShould) {
    const std::string path = scratchPath("replay");
    seedDraws(77);
    readClock = gameClock;
    stepsRun = 0;
    recorder = std::make_unique<Recorder>();
    ASSERT_TRUE(recorder->open(path, stepsRun));
    const auto steps = [](int n) {
        for (int i = 0; i < n; ++i) {
            runOneStep();
        }
    };
    steps(10);
    gameKey(GLFW_KEY_UP, GLFW_PRESS); // on the title screen: not kept
    steps(5);
    gameKey(GLFW_KEY_A, GLFW_PRESS);
    gameKey(GLFW_KEY_A, GLFW_RELEASE);
    steps(70);
    gameKey(GLFW_KEY_SPACE, GLFW_PRESS);
    gameKey(GLFW_KEY_Q, GLFW_PRESS); // not a key of the game's play
    steps(100);
    ASSERT_TRUE(recorder->finish(stepsRun));
    recorder.reset();

    EXPECT_EQ(std::regex_replace(textOf(path), std::regex("[0-9a-f]{8}\n"), "SUM\n"),
              "gorvath replay 2\nseed 77\ndraws 0\n"
              "step 15 key A press\nstep 15 key A release\nstep 75 check SUM\n"
              "step 85 key SPACE press\nstep 135 check SUM\nstep 185 end SUM\n");
    const auto replay = readReplayFile(path);
    ASSERT_TRUE(std::holds_alternative<Replay>(replay));
    EXPECT_EQ(replayText(std::get<Replay>(replay)), textOf(path)) << "read and written back, the same text";
    EXPECT_EQ(check(path), std::tuple(0, std::string("replay matches: 170 steps\n"), std::string()));
    std::filesystem::remove(path);
}

TEST_F(Replays, CheckedTwiceTheSameAndChangedItDivergesAtTheNextChecksum) {
    const auto first = check(keptGame);
    EXPECT_EQ(std::get<0>(first), 0);
    EXPECT_EQ(check(keptGame), first);

    // What is changed in the kept game, and from which step on its game differs.
    const std::pair<std::string, std::string> rows[] = {
        {"step (\\d+) key UP press", "step $1 key DOWN press"}, // the Player's first step up goes down
        {"step (\\d+) end [0-9a-f]+", "step $1 end 00000000"},  // only the end's checksum
        // After the last check, keys that change any game: a step up, and S once it is over.
        {"(step (\\d+) check [0-9a-f]+\n)(step \\d+ end)", "$1step $2 key UP press\nstep $2 key S press\n$3"},
    };
    for (const auto& [change, into] : rows) {
        SCOPED_TRACE(change);
        const std::string kept = textOf(keptGame);
        std::smatch line;
        ASSERT_TRUE(std::regex_search(kept, line, std::regex(change)));
        const long long changedAt = std::stoll(line.str().substr(5)); // each change begins "step N"
        const std::string path = scratchPath("changed");
        std::ofstream(path) << std::regex_replace(kept, std::regex(change), into,
                                                  std::regex_constants::format_first_only);
        const auto [status, out, err] = check(path);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(out, "");
        std::smatch diverged;
        ASSERT_TRUE(std::regex_match(err, diverged, std::regex("replay diverged at step (\\d+)\n"))) << err;
        EXPECT_GE(std::stoll(diverged[1]), changedAt);
        EXPECT_LE(std::stoll(diverged[1]), changedAt + 60) << "at the next checksum";
        std::filesystem::remove(path);
    }
}

// A later game of a visit, recorded alone, plays back by itself: what it took
// over from the game before (where the draws stood, the self-steering Trap's
// count, the Explosion of the Player caught) said in its header.
TEST_F(Replays, ALaterGameRecordedAloneChecksOutByItself) {
    seedDraws(1796653085);
    readClock = gameClock;
    stepsRun = 1000;
    const auto steps = [](int n) {
        for (int i = 0; i < n; ++i) {
            runOneStep();
        }
    };
    gameKey(GLFW_KEY_A, GLFW_PRESS);
    steps(30);
    trapAutoCounter = 3;
    explodePlayer(); // the first game lost
    steps(14);       // its Explosion two tiles on
    gameKey(GLFW_KEY_S, GLFW_PRESS);
    gameKey(GLFW_KEY_S, GLFW_RELEASE);
    steps(70);
    gameKey(GLFW_KEY_UP, GLFW_PRESS);
    gameKey(GLFW_KEY_SPACE, GLFW_PRESS);
    steps(80);
    const std::string path = scratchPath("alone");
    std::ofstream(path) << gameSoFar();
    const std::string text = textOf(path);
    EXPECT_TRUE(std::regex_search(text, std::regex("^gorvath replay 2\nseed 1796653085\ndraws 225\n"
                                                   "trapcount 3\nexplosion -0.899999976 0 2 17\\.3\\d+\n"
                                                   "step 1044 key S press\nstep 1044 key S release\n")))
        << text;
    EXPECT_EQ(check(path), std::tuple(0, std::string("replay matches: 150 steps\n"), std::string()));
    std::filesystem::remove(path);
}

// The game's own generator, which a browser's build draws from, against the
// desktop's draws from Debian's C library: the same numbers for every seed,
// the edges included, whatever else draws from that library's generator.
TEST(Draws, TheGamesOwnGeneratorDrawsWhatDebiansRandDraws) {
    for (const unsigned seed : {0u, 1u, 2u, 77u, 1796653085u, 2147483647u, 2147483648u, 4294967295u}) {
        SCOPED_TRACE(seed);
        seedDraws(seed);
        DebianRandom own(seed);
        for (int draw = 0; draw < 1000; ++draw) {
            std::srand(draw), std::rand(),
                random(); // anyone else's draws, which reach a generator of their own
            ASSERT_EQ(own.next(), drawRandom()) << "draw " << draw;
        }
    }
}

// Each limit at its top, and comments and blank lines, in files read and
// written back as the game writes one (version 2); one past the tops:
// tests/bad_files.bats.
TEST(ReplayFiles, TheLimitsTopsAreTakenAndCommentsAndBlankLinesLeftOut) {
    const auto tenTimes = [](const std::string& line) {
        std::string lines;
        for (int i = 0; i < 10; ++i) {
            lines += line;
        }
        return lines;
    };
    const std::pair<std::string, std::string> rows[] = {
        {"gorvath replay 1   # the version\n\n# a comment\nseed 4294967295\n"
         "step 36288000 key F release#at the top\nstep 36288000 check ffffffff # a checksum\n"
         "step 36288000 end 00000000\n",
         "gorvath replay 2\nseed 4294967295\ndraws 0\nstep 36288000 check ffffffff\nstep 36288000 key F "
         "release\n"
         "step 36288000 end 00000000\n"},
        {"gorvath replay 2\nseed 0\ndraws 362880000\ntrapcount 6\nexplosion -2 2 10 604800\n"
         "explosion 0.1 -0.45 0 0 # the top and bottom of each\n" +
             tenTimes("explosion 0 0 1 0\n") + "step 0 end 00000000\n",
         "gorvath replay 2\nseed 0\ndraws 362880000\ntrapcount 6\nexplosion -2 2 10 604800\n"
         "explosion 0.100000001 -0.449999988 0 0\n" +
             tenTimes("explosion 0 0 1 0\n") + "step 0 end 00000000\n"},
    };
    for (const auto& [text, written] : rows) {
        const auto replay = readReplay(text, "format");
        ASSERT_TRUE(std::holds_alternative<Replay>(replay)) << std::get<std::string>(replay);
        EXPECT_EQ(replayText(std::get<Replay>(replay)), written);
    }
}

// A link's packed recording unpacks to the very text the game writes; one
// broken is refused for what the text it unpacks to would be refused for.
TEST(ReplayFiles, APackedRecordingUnpacksToItsOwnTextAndABrokenOneIsRefusedAsItsTextWouldBe) {
    std::vector<std::string> texts = {
        "gorvath replay 2\nseed 7\ndraws 12\ntrapcount 6\nexplosion -0.5 0.25 10 1.5\n"
        "step 9 check 00000001\nstep 9 key S press\nstep 70 end ffffffff\n"};
    for (const char* kept : {"a-game", "s-then-a"}) {
        texts.push_back(textOf(GORVATH_SOURCE_DIR "/tests/replays/" + std::string(kept) + ".txt"));
    }
    for (const std::string& text : texts) {
        const Replay replay = std::get<Replay>(readReplay(text, "kept"));
        EXPECT_EQ(unpackReplay(packReplay(replay)), replayText(replay));
    }
    const std::string whole = packReplay(std::get<Replay>(readReplay(texts[0], "kept")));
    const std::pair<std::string, std::string> rows[] = {
        {whole.substr(0, whole.size() - 3), "link: cut short: no end line"},
        {"\x02\xff\xff\xff\xff\x7f", "link:2: the seed must be a whole number from 0 to 4294967295"},
        {std::string("\x02\0\0\0\x01\0\0\xc0\x7f\0\0\0\0", 13) + std::string(8, '\0'),
         "link:4: an explosion is its x and y (-2 to 2), its tile (0 to 10) and when it last stepped (0 to "
         "604800 s)"},
        {std::string("\x02\0\0\0\xff\xff\xff\xff\x0f", 9) + std::string(13 * 17, '\0'),
         "link:16: more explosions than a game leaves behind (at most 12)"},
        {std::string("\x02\0\0\0\0\0", 6) + std::string(4 << 20, '\0'),
         "link: too large for a Gorvath replay (over 64 MiB)"},
        {"\x89PNG\r\n", "link: not a Gorvath replay (its first line is not \"gorvath replay 2\")"},
    };
    for (const auto& [bytes, refused] : rows) {
        const std::string text = unpackReplay(bytes);
        EXPECT_LE(text.size(), maxReplayBytes + 64) << "unpacked past any recording's size: " << refused;
        const auto read = readReplay(text, "link");
        ASSERT_TRUE(std::holds_alternative<std::string>(read)) << refused;
        EXPECT_EQ(std::get<std::string>(read), refused);
    }
}

} // namespace
