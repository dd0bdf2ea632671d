// The sounds of a scripted game: each started in the step or key event that
// makes it, mixed by OpenAL Soft's loopback device a step's worth at a time.
#include "game/game_setup.h"
#include "game/game_state.h"
#include "game/step.h"
#include "session/session.h"
#include "tests/support/game_test.h"

#include <GLFW/glfw3.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <unistd.h>

namespace {

class Sounds : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_EQ(chdir(GORVATH_SOURCE_DIR), 0);
        std::optional<DecodedSound> sounds[soundCount];
        testing::internal::CaptureStderr();
        loadSoundFiles(sounds);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        ASSERT_TRUE(soundFloor.openLoopback(44100));
        soundFloor.load(sounds);
        heardSounds.count = 0;
    }
    void TearDown() override {
        soundFloor.close();
        GameTest::TearDown();
    }
};

// The loudest sample in the next step's worth of the mix.
int loudestOfNextStep() {
    short mix[735 * 2];
    soundFloor.render(mix, 735);
    return std::abs(
        *std::max_element(mix, std::end(mix), [](short a, short b) { return std::abs(a) < std::abs(b); }));
}

void step() {
    stepGame(testClock);
    testClock += 1.0 / 60;
}

TEST_F(Sounds, EachEventSoundsInTheStepOrKeyThatMakesItAndMuteSilencesThem) {
    using enum Sound;
    struct Row {
        const char* what;
        std::function<void()> act;
        std::vector<Sound> heard;
    };
    const auto steps = [](int n) {
        return [n] {
            for (int i = 0; i < n; ++i) {
                step();
            }
        };
    };
    const Row rows[] = {
        {"the title screen", steps(30), {}},
        {"S starts a game", [] { key(GLFW_KEY_S); }, {GameStarted}},
        {"an Undead stands in front of the Player", [] { undeadList.clear(), addUndead(-0.65f, 0.0f); }, {}},
        {"SPACE fires", [] { key(GLFW_KEY_SPACE); }, {ShotFired}},
        {"the shot flies", steps(1), {}},
        {"and stuns", steps(1), {UndeadStunned}},
        {"F drops the bomb over it", [] { theTrap->moveBy(-0.67f, 0.0f), key(GLFW_KEY_F); }, {BombDropped}},
        {"the bomb falls", steps(11), {}},
        {"and destroys the last Undead", steps(1), {UndeadDestroyed, WaveCleared}},
        {"the won game plays on without a fanfare", steps(30), {}},
        {"A starts the next game", [] { key(GLFW_KEY_A); }, {GameStarted}},
        {"an Undead reaches the Player",
         [] { undeadList.clear(), addUndead(-0.9f, 0.05f), step(); },
         {PlayerCaught}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        row.act();
        EXPECT_EQ(std::vector<Sound>(heardSounds.sounds, heardSounds.sounds + heardSounds.count), row.heard);
        playHeardSounds();
        for (Sound sound : row.heard) {
            EXPECT_TRUE(soundFloor.sounding(sound)) << static_cast<int>(sound);
        }
        if (!row.heard.empty()) {
            EXPECT_GT(loudestOfNextStep(), 1000);
        }
    }

    // Muted, what plays fades out within two steps' worth of the mix (the
    // mixer takes the change at its next update, and fades so as not to
    // click), leaving the mixer's dither of a unit or so; nothing new starts.
    toggleMute();
    loudestOfNextStep(), loudestOfNextStep();
    EXPECT_LE(loudestOfNextStep(), 2);
    for (int i = 0; i < 60; ++i) {
        loudestOfNextStep(); // a second on: every sound has ended
    }
    key(GLFW_KEY_S);
    playHeardSounds();
    EXPECT_FALSE(soundFloor.sounding(GameStarted));
    toggleMute();
    EXPECT_LE(loudestOfNextStep(), 2);
    key(GLFW_KEY_SPACE);
    playHeardSounds();
    EXPECT_GT(loudestOfNextStep(), 1000);
}

TEST_F(Sounds, WhenEverySourceIsBusyTheOneStartedLongestAgoGivesWay) {
    soundFloor.play(Sound::ShotFired);
    for (int i = 1; i < SoundFloor::sourceCount; ++i) {
        soundFloor.play(Sound::UndeadStunned);
    }
    soundFloor.play(Sound::UndeadDestroyed); // in place of the shot
    soundFloor.play(Sound::BombDropped);     // in place of the first stun
    EXPECT_FALSE(soundFloor.sounding(Sound::ShotFired));
    EXPECT_TRUE(soundFloor.sounding(Sound::UndeadDestroyed) && soundFloor.sounding(Sound::BombDropped));
    EXPECT_TRUE(soundFloor.sounding(Sound::UndeadStunned));
    EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

} // namespace
