// Gamepads, frame by frame: scripted pad states and clock readings, and the
// key actions they send.
#include "input/pads.h"
#include "replay/replay_file.h"

#include <gtest/gtest.h>

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
            frame.state[i].buttons[button] = 1;
        }
        frame.state[i].axes[PadLeftX] = pad.x;
        frame.state[i].axes[PadLeftY] = pad.y;
    }
    return frame;
}

TEST(Pads, EachSequenceSendsTheKeyActionsOfItsKeys) {
    const double delay = HeldKey::repeatDelay, every = HeldKey::repeatInterval, hair = 1e-9;
    const float in = PadInput::stickPress, out = PadInput::stickRelease;
    struct Row {
        const char* what;
        std::vector<Frame> frames;
        std::string sent;
    };
    // clang-format off
    const Row rows[] = {
        {"D-pad up held: a step at once, a repeat after the delay, then steadily",
         {{0, {true, {PadUp}}}, {delay - hair, {true, {PadUp}}}, {delay, {true, {PadUp}}},
          {delay + every - hair, {true, {PadUp}}}, {delay + every, {true, {PadUp}}}, {delay + every + 0.01, {}}},
         "UP+ UP~ UP~ UP-"},
        {"a long frame gives one repeat, and the steady rate goes on from it",
         {{0, {true, {PadRight}}}, {5, {true, {PadRight}}}, {5 + every - hair, {true, {PadRight}}},
          {5 + every, {true, {PadRight}}}},
         "RIGHT+ RIGHT~ RIGHT~"},
        {"the stick up across the press line, back past it, inside the release line",
         {{0, {true, {}, 0, -in}}, {1, {true, {}, 0, -(in + 0.01f)}}, {2, {true, {}, 0, -(out + 0.01f)}},
          {3, {true, {}, 0, -out}}, {4, {true, {}, 0, -(out - 0.01f)}}, {5, {true, {}, 0, -in}}},
         "UP+ UP~ UP~ UP-"},
        {"the stick left and right, and down to the corner",
         {{0, {true, {}, -0.9f, 0}}, {0.1, {true, {}, 0.9f, 0}}, {0.2, {true, {}, 0.9f, 0.9f}}, {0.3, {}}},
         "LEFT+ LEFT- RIGHT+ DOWN+ DOWN- RIGHT-"},
        {"unplugged while held: released",
         {{0, {true, {PadRight}, 0, 0.8f}}, {0.1, {false, {}}}, {0.2, {true, {}, 0, 0.4f}}},
         "DOWN+ RIGHT+ DOWN- RIGHT-"},
        {"two pads act as one",
         {{0, {true, {PadA}}}, {0.1, {true, {PadA}}, {true, {PadA}}}, {0.2, {}, {true, {PadA}}}, {0.3, {}, {true, {}}}},
         "SPACE+ SPACE-"},
        {"B or X: F, held by either; Start once a press; neither repeats",
         {{0, {true, {PadB, PadStart}}}, {0.1, {true, {PadB, PadX}}}, {2, {true, {PadX}}}, {2.1, {}}},
         "START F+ F-"},
        {"nothing else on the pad does anything",
         {{0, {true, {PadGuide, PadLeftBumper, PadY, PadRightThumb}}}}, ""},
    };
    // clang-format on
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
