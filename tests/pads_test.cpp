// Gamepads, frame by frame: scripted pad states and clock readings, and the
// key actions they send.
#include "game/game_state.h"
#include "input/pads.h"
#include "replay/replay_file.h"
#include "session/session.h"
#include "tests/support/game_test.h"

#include <string>
#include <vector>

namespace {

std::string sent;

void note(int key, int action) {
    sent += (sent.empty() ? "" : " ") + std::string(keyName(key)) + "-+~"[action];
}
void noteStart() { sent += sent.empty() ? "START" : " START"; }

// One frame: the time, and what two pads show (a pad absent when unplugged).
struct Pad {
    bool present = true;
    std::vector<int> buttons;
    float x = 0, y = 0; // the left stick
};
struct Frame {
    double time;
    Pad first, second = {false, {}};
};

PadFrame padFrame(const Frame& f) {
    PadFrame frame;
    for (int i = 0; i < 2; ++i) {
        const Pad& pad = i ? f.second : f.first;
        frame.present[i] = pad.present;
        for (int button : pad.buttons) {
            frame.state[i].buttons[button] = GLFW_PRESS;
        }
        frame.state[i].axes[GLFW_GAMEPAD_AXIS_LEFT_X] = pad.x;
        frame.state[i].axes[GLFW_GAMEPAD_AXIS_LEFT_Y] = pad.y;
    }
    return frame;
}

TEST(Pads, EachSequenceSendsTheKeyActionsOfItsKeys) {
    enum {
        Up = GLFW_GAMEPAD_BUTTON_DPAD_UP,
        Right = GLFW_GAMEPAD_BUTTON_DPAD_RIGHT,
        A = GLFW_GAMEPAD_BUTTON_A,
        B = GLFW_GAMEPAD_BUTTON_B,
        X = GLFW_GAMEPAD_BUTTON_X,
        Start = GLFW_GAMEPAD_BUTTON_START,
        Back = GLFW_GAMEPAD_BUTTON_BACK
    };
    const double delay = PadInput::repeatDelay, every = PadInput::repeatInterval, hair = 1e-9;
    const float in = PadInput::stickPress, out = PadInput::stickRelease;
    struct Row {
        const char* what;
        std::vector<Frame> frames;
        std::string sent;
    };
    const Row rows[] = {
        {"D-pad up held: a step at once, a repeat after the delay, then steadily",
         {{0, {true, {Up}}},
          {delay - hair, {true, {Up}}},
          {delay, {true, {Up}}},
          {delay + every - hair, {true, {Up}}},
          {delay + every, {true, {Up}}},
          {delay + every + 0.01, {}}},
         "UP+ UP~ UP~ UP-"},
        {"a long frame gives one repeat, and the steady rate goes on from it",
         {{0, {true, {Right}}},
          {5, {true, {Right}}},
          {5 + every - hair, {true, {Right}}},
          {5 + every, {true, {Right}}}},
         "RIGHT+ RIGHT~ RIGHT~"},
        {"the stick up across the press line, back past it, inside the release line",
         {{0, {true, {}, 0, -in}},
          {1, {true, {}, 0, -(in + 0.01f)}},
          {2, {true, {}, 0, -(out + 0.01f)}},
          {3, {true, {}, 0, -out}},
          {4, {true, {}, 0, -(out - 0.01f)}},
          {5, {true, {}, 0, -in}}},
         "UP+ UP~ UP~ UP-"},
        {"the stick left and right, and down to the corner",
         {{0, {true, {}, -0.9f, 0}}, {0.1, {true, {}, 0.9f, 0}}, {0.2, {true, {}, 0.9f, 0.9f}}, {0.3, {}}},
         "LEFT+ LEFT- RIGHT+ DOWN+ DOWN- RIGHT-"},
        {"unplugged while held: released",
         {{0, {true, {Right}, 0, 0.8f}}, {0.1, {false, {}}}, {0.2, {true, {}, 0, 0.4f}}},
         "DOWN+ RIGHT+ DOWN- RIGHT-"},
        {"two pads act as one",
         {{0, {true, {A}}}, {0.1, {true, {A}}, {true, {A}}}, {0.2, {}, {true, {A}}}, {0.3, {}, {true, {}}}},
         "SPACE+ SPACE-"},
        {"B or X: F, held by either",
         {{0, {true, {B}}}, {0.1, {true, {B, X}}}, {0.2, {true, {X}}}, {2, {true, {X}}}, {2.1, {}}},
         "F+ F-"},
        {"Start: once a press; Back: A; neither repeats",
         {{0, {true, {Start}}}, {2, {true, {Start}}}, {2.1, {true, {Back}}}, {4, {}}, {4.1, {true, {Start}}}},
         "START A+ A- START"},
        {"nothing else on the pad does anything",
         {{0,
           {true,
            {GLFW_GAMEPAD_BUTTON_GUIDE, GLFW_GAMEPAD_BUTTON_LEFT_BUMPER, GLFW_GAMEPAD_BUTTON_Y,
             GLFW_GAMEPAD_BUTTON_RIGHT_THUMB}}}},
         ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        PadInput pads;
        sent.clear();
        for (const Frame& frame : row.frames) {
            pads.update(padFrame(frame), 100.0 + frame.time, note, noteStart);
        }
        EXPECT_EQ(sent, row.sent);
    }
}

} // namespace
