// The keyboard and the games it starts: every event goes through the game's
// own callback, as GLFW hands it over.
#include "game/game_setup.h"
#include "game/game_state.h"
#include "input/key_labels.h"
#include "tests/support/game_test.h"

#include <GLFW/glfw3.h>

#include <cmath>
#include <tuple>

namespace {

using Keys = GameTest;

enum Condition { Title, Running, Lost, Won };

TEST_F(Keys, EachKeyActsOnlyInTheStatesAndActionsItIsFor) {
    struct Row {
        Condition condition;
        int mode, key, action;
        float from = 0, moved = 0; // the Player's y (UP, DOWN) or the Trap's x (LEFT, RIGHT), and the change
        int newGame = -1;          // the mode of the game the event starts
        bool fires = false, quits = false;
    };
    const float above = std::nextafter(0.7f, 1.0f), below = std::nextafter(-0.7f, -1.0f);
    const float right = std::nextafter(1.1f, 2.0f), left = std::nextafter(-1.1f, -2.0f);
    // clang-format off
    enum { P = GLFW_PRESS, R = GLFW_REPEAT, X = GLFW_RELEASE };
    enum { Up = GLFW_KEY_UP, Down = GLFW_KEY_DOWN, L = GLFW_KEY_LEFT, Rt = GLFW_KEY_RIGHT, Sp = GLFW_KEY_SPACE,
           F = GLFW_KEY_F, S = GLFW_KEY_S, A = GLFW_KEY_A, Q = GLFW_KEY_Q };
    const Row rows[] = {
        {Title, 0, Q, P, 0, 0, -1, false, true}, {Title, 0, Q, R}, {Title, 0, S, P, 0, 0, 0},
        {Title, 0, A, P, 0, 0, 1}, {Title, 0, S, R}, {Title, 0, A, X},
        {Title, 0, Up, P}, {Title, 0, Sp, P}, {Title, 0, F, P},
        {Title, 0, L, R}, {Running, 0, Up, P, 0, 0.03f}, {Running, 0, Up, R, 0, 0.03f},
        {Running, 0, Up, X}, {Running, 1, Up, P, 0.7f, 0.03f}, {Running, 1, Up, R, above, -1.4f},
        {Running, 0, Down, P, -0.7f, -0.03f}, {Running, 0, Down, R, below, 1.4f}, {Running, 0, Down, X, below},
        {Running, 0, Rt, P, 0, 0.03f}, {Running, 0, Rt, R, 1.1f, 0.03f}, {Running, 0, Rt, P, right, -2.2f},
        {Running, 0, L, P, -1.1f, -0.03f}, {Running, 0, L, R, left, 2.2f}, {Running, 0, L, X},
        {Running, 0, Sp, P, 0, 0, -1, true}, {Running, 0, Sp, R}, {Running, 0, F, P, 0, 0, -1, true},
        {Running, 0, F, R}, {Running, 0, S, P}, {Running, 1, A, P},
        {Running, 1, Q, P, 0, 0, -1, false, true}, {Running, 1, Rt, P}, {Running, 1, L, R},
        {Running, 1, F, P}, {Running, 1, Sp, P, 0, 0, -1, true}, {Lost, 0, Up, P},
        {Lost, 0, L, P}, {Lost, 0, Sp, P}, {Lost, 0, F, P},
        {Lost, 0, S, R}, {Lost, 0, S, P, 0, 0, 0}, {Lost, 0, A, P, 0, 0, 1},
        {Lost, 1, S, P, 0, 0, 0}, {Lost, 0, Q, P, 0, 0, -1, false, true}, {Won, 0, Rt, P, 0, 0.03f},
        {Won, 0, F, P, 0, 0, -1, true}, {Won, 0, Sp, P, 0, 0, -1, true}, {Won, 0, A, X},
        {Won, 0, A, P, 0, 0, 1}, {Won, 1, S, P, 0, 0, 0},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "condition " << row.condition << ", mode " << row.mode << ", key "
                                        << row.key << ", action " << row.action << ", from " << row.from);
        resetGame();
        const bool trapKey = row.key == L || row.key == Rt;
        if (row.condition != Title) {
            startGame(row.mode);
            (trapKey ? static_cast<Entity&>(*theTrap) : *thePlayer)
                .moveBy(trapKey ? row.from : 0, trapKey ? 0 : row.from);
            if (row.newGame >= 0) { // what a new game must sweep away, or keep
                trapFire();
                thePlayer->projectile = makeProjectile(0.0f, 0.0f, shotTile);
                explosionList.push_back(std::make_unique<Explosion>(0.0f, 0.0f, 0.0));
            }
            thePlayer->status = row.condition == Lost ? Finished : Active;
            if (row.condition == Won) {
                undeadList.clear();
            }
            thePlayer->flag = 42; // a mark no new game carries
            randomDraws = 0;
        }
        key(row.key, row.action, GLFW_MOD_SHIFT); // modifiers make no difference
        EXPECT_EQ(shouldQuit(), row.quits);
        if (row.newGame >= 0) {
            ASSERT_EQ(gameState, Playing);
            EXPECT_EQ(thePlayer->flag, 0);
            EXPECT_EQ(theTrap->flag, row.newGame);
            EXPECT_EQ(thePlayer->status, Active);
            EXPECT_EQ(undeadList.size(), 5u);
            EXPECT_EQ(randomDraws, 5) << "the press that starts a game must not also restart it";
            EXPECT_EQ(thePlayer->projectile, nullptr) << "the old shot goes with the old Player";
            EXPECT_EQ(theTrap->projectile, nullptr) << "the old bomb goes with the old Trap";
            EXPECT_EQ(explosionList.size(), row.condition == Title ? 0u : 1u) << "Explosions play on";
        } else if (row.condition == Title) {
            EXPECT_EQ(gameState, TitleScreen);
        } else {
            EXPECT_EQ(thePlayer->flag, 42);
            EXPECT_EQ(thePlayer->position, (Vec4{-0.9f, trapKey ? 0 : row.from + row.moved, 0.5f, 1}));
            EXPECT_EQ(theTrap->position, (Vec4{trapKey ? row.from + row.moved : 0, 0.68f, 0.5f, 1}));
            EXPECT_EQ(thePlayer->projectile || theTrap->projectile, row.fires);
        }
    }
}

TEST_F(Keys, ShotsAndBombsStartBesideTheirOwnerOneAtATime) {
    play(KeyTrapMode);
    thePlayer->moveBy(0.0f, 0.2f);
    theTrap->moveBy(0.3f, 0.0f);
    key(GLFW_KEY_SPACE);
    key(GLFW_KEY_F);
    EXPECT_EQ(thePlayer->projectile->position, (Vec4{-0.9f + 0.05f, 0.2f, 0.5f, 1}));
    EXPECT_EQ(theTrap->projectile->position, (Vec4{0.3f, 0.68f + 0.05f, 0.5f, 1}));
    thePlayer->projectile->flag = theTrap->projectile->flag = 1;
    key(GLFW_KEY_SPACE);
    key(GLFW_KEY_F);
    EXPECT_EQ(thePlayer->projectile->flag, 1) << "a press while the shot flies is lost";
    EXPECT_EQ(theTrap->projectile->flag, 1);
}

// What each layout prints on a key (what GLFW names it), by the key's US place,
// and the key the game sees.
TEST(KeyLabels, LettersGoByTheLayoutsLabelOtherKeysByTheirPlace) {
    enum { Q = GLFW_KEY_Q, A = GLFW_KEY_A, S = GLFW_KEY_S, M = GLFW_KEY_M, F = GLFW_KEY_F, P = GLFW_KEY_P };
    enum { Semicolon = GLFW_KEY_SEMICOLON, None = GLFW_KEY_UNKNOWN };
    const std::tuple<const char*, int, const char*, int> rows[] = {
        // layout, key, name, the key seen
        // clang-format off
        {"US", Q, "q", Q}, {"US", M, "m", M}, {"US", Semicolon, ";", Semicolon},
        {"AZERTY", Q, "a", A}, {"AZERTY", A, "q", Q}, {"AZERTY", Semicolon, "m", M}, {"AZERTY", M, ",", None},
        {"Dvorak", S, "o", GLFW_KEY_O}, {"Dvorak", Semicolon, "s", S}, {"Dvorak", GLFW_KEY_X, "q", Q},
        {"Dvorak", Q, "'", None}, {"Dvorak", GLFW_KEY_Y, "f", F}, {"Dvorak", GLFW_KEY_R, "p", P},
        {"QWERTZ", GLFW_KEY_Y, "z", GLFW_KEY_Z}, {"QWERTZ", GLFW_KEY_Z, "y", GLFW_KEY_Y},
        {"QWERTZ", Semicolon, "\xc3\xb6", Semicolon}, // ö
        {"Russian", Q, "\xd0\xb9", Q}, {"Russian", A, "\xd1\x84", A}, {"Russian", M, "\xd1\x8c", M}, // й ф ь
        {"a browser's, Shift held", A, "Q", Q}, {"no name", GLFW_KEY_UP, nullptr, GLFW_KEY_UP},
        {"no name", GLFW_KEY_SPACE, nullptr, GLFW_KEY_SPACE}, {"no name", GLFW_KEY_F11, nullptr, GLFW_KEY_F11},
        {"no name", M, "", M}, {"placed by no token", None, "s", S}, {"placed by no token", None, "<", None},
        // clang-format on
    };
    for (const auto& [layout, key, name, seen] : rows) {
        EXPECT_EQ(keyByLabel(key, name), seen) << layout << ": " << (name ? name : "none");
    }
}

} // namespace
