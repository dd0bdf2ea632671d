/* Preloaded in front of GLFW (LD_PRELOAD) into the real game, it stands where
 * GLFW's own functions stand and nowhere else:
 *
 * - a pretend gamepad, joystick 0, plugged in while the file PRETEND_PAD
 *   names exists. The file holds what the pad shows, in words: the buttons
 *   held, by the names below, and the axes that are not at rest, as
 *   name=value (lx=-0.9). Replace it whole (write aside, then rename): the
 *   game reads it every frame.
 * - buffer swaps, GLFW's own, counted into the file SWAP_COUNT names, so
 *   that a test can tell whether the game draws, and wait for frames.
 * - a pretend player, while PRETEND_GAME names a recording: the clock is the
 *   frames shown, each a sixtieth of a second on, so that each frame runs one
 *   step; time() is the recording's seed, which the game seeds its draws
 *   with; the recording's keys reach the game's key callback, each in the
 *   events after its step has run, and Q a second after its end (unless
 *   PRETEND_STAY is set: then the game stays until it is closed); the
 *   game never sleeps, so that it plays as fast as it draws; and it never
 *   hears that its window lost the focus, as when another game's window
 *   opens beside it, which would pause it for good.
 * - a steady display, while PRETEND_CLOCK is set: the clock is the frames
 *   shown, each a sixtieth of a second on, and each swap waits until a
 *   sixtieth of a second has passed since the last, as a 60 Hz display's
 *   does; so a game played with real keys shows each step exactly as it
 *   stands however loaded the machine is, as a replay's last picture does.
 * - a crash, while PRETEND_CRASH names a file: the game is killed as it
 *   would put a file of that name in place (by renaming one over it). */
#define _GNU_SOURCE
#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

/* Declares `real`, the function this one stands in front of: the next of
 * that name, found once (dlsym's answer stored as POSIX has it). */
#define REAL(name)                                                                                           \
    static __typeof__(name)* real;                                                                           \
    if (!real) {                                                                                             \
        *(void**)&real = dlsym(RTLD_NEXT, #name);                                                            \
    }

/* In the order of GLFW's gamepad buttons and axes. */
static const char* const names[] = {"a",     "b",     "x",  "y",  "lb", "rb",    "back",
                                    "start", "guide", "ls", "rs", "up", "right", "down",
                                    "left",  "lx",    "ly", "rx", "ry", "lt",    "rt"};

static FILE* padFile(int jid) {
    const char* path = getenv("PRETEND_PAD");
    return jid == GLFW_JOYSTICK_1 && path ? fopen(path, "r") : NULL;
}

int glfwJoystickIsGamepad(int jid) {
    FILE* file = padFile(jid);
    return file && fclose(file) == 0;
}

int glfwGetGamepadState(int jid, GLFWgamepadstate* state) {
    FILE* file = padFile(jid);
    if (!file) {
        return GLFW_FALSE;
    }
    memset(state, 0, sizeof *state);
    state->axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = state->axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    char word[32];
    while (fscanf(file, "%31[^= \n]", word) == 1) {
        float value = 1.0f;
        (void)!fscanf(file, "=%f ", &value); /* a button has no value */
        for (int i = 0; i < (int)(sizeof names / sizeof *names); ++i) {
            if (strcmp(word, names[i]) != 0) {
                continue;
            }
            if (i <= GLFW_GAMEPAD_BUTTON_LAST) {
                state->buttons[i] = GLFW_PRESS;
            } else {
                state->axes[i - GLFW_GAMEPAD_BUTTON_LAST - 1] = value;
            }
        }
        (void)!fscanf(file, " ");
    }
    fclose(file);
    return GLFW_TRUE;
}

static unsigned long swaps;

static void awaitSixtieth(void) {
    static struct timespec due;
    if (due.tv_sec) {
        clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &due, NULL);
    }
    clock_gettime(CLOCK_MONOTONIC, &due);
    due.tv_nsec += 1000000000L / 60;
    due.tv_sec += due.tv_nsec / 1000000000L;
    due.tv_nsec %= 1000000000L;
}

void glfwSwapBuffers(GLFWwindow* window) {
    REAL(glfwSwapBuffers);
    real(window);
    if (getenv("PRETEND_CLOCK")) {
        awaitSixtieth();
    }
    ++swaps;
    const char* path = getenv("SWAP_COUNT");
    char aside[4096];
    FILE* file = path && snprintf(aside, sizeof aside, "%s.new", path) > 0 ? fopen(aside, "w") : NULL;
    if (file) {
        fprintf(file, "%lu\n", swaps);
        fclose(file);
        rename(aside, path);
    }
}

/* The pretend player's recording: its seed, its keys and its end. */
static struct {
    int read;
    unsigned long seed, end, count, next;
    struct {
        unsigned long step;
        int key, action;
    } keys[4096];
} game;

static void readGame(void) {
    static const char* const keyNames[] = {"S", "A", "UP", "DOWN", "LEFT", "RIGHT", "SPACE", "F"};
    static const int keyTokens[] = {GLFW_KEY_S,    GLFW_KEY_A,     GLFW_KEY_UP,    GLFW_KEY_DOWN,
                                    GLFW_KEY_LEFT, GLFW_KEY_RIGHT, GLFW_KEY_SPACE, GLFW_KEY_F};
    FILE* file = game.read ? NULL : fopen(getenv("PRETEND_GAME"), "r");
    game.read = 1;
    char line[256], kind[16], key[16], action[16];
    unsigned long step;
    while (file && fgets(line, sizeof line, file)) {
        const int words = sscanf(line, "step %lu %15s %15s %15s", &step, kind, key, action);
        if (sscanf(line, "seed %lu", &game.seed) == 1 ||
            (words >= 2 && strcmp(kind, "end") == 0 && (game.end = step))) {
            continue;
        }
        if (words == 4 && strcmp(kind, "key") == 0 && game.count < 4096) {
            for (int i = 0; i < 8; ++i) {
                if (strcmp(key, keyNames[i]) == 0) {
                    game.keys[game.count].step = step;
                    game.keys[game.count].key = keyTokens[i];
                    game.keys[game.count++].action = strcmp(action, "release") == 0  ? GLFW_RELEASE
                                                     : strcmp(action, "repeat") == 0 ? GLFW_REPEAT
                                                                                     : GLFW_PRESS;
                }
            }
        }
    }
    if (file) {
        fclose(file);
    }
}

static int pretending(void) {
    if (getenv("PRETEND_GAME")) {
        readGame();
        return 1;
    }
    return 0;
}

time_t time(time_t* out) {
    REAL(time);
    const time_t now = pretending() ? (time_t)game.seed : real(NULL);
    if (out) {
        *out = now;
    }
    return now;
}

double glfwGetTime(void) {
    REAL(glfwGetTime);
    return pretending() || getenv("PRETEND_CLOCK") ? (double)swaps / 60.0 : real();
}

int nanosleep(const struct timespec* wait, struct timespec* left) {
    REAL(nanosleep);
    return pretending() ? 0 : real(wait, left);
}

static GLFWwindow* keyWindow;
static GLFWkeyfun keyCallback;

GLFWkeyfun glfwSetKeyCallback(GLFWwindow* window, GLFWkeyfun callback) {
    REAL(glfwSetKeyCallback);
    keyWindow = window, keyCallback = callback;
    return real(window, callback);
}

GLFWwindowfocusfun glfwSetWindowFocusCallback(GLFWwindow* window, GLFWwindowfocusfun callback) {
    REAL(glfwSetWindowFocusCallback);
    return real(window, pretending() ? NULL : callback);
}

/* The keys whose steps have run: one step a frame, so as many as the frames shown. */
void glfwPollEvents(void) {
    REAL(glfwPollEvents);
    real();
    if (!pretending() || !keyCallback) {
        return;
    }
    for (; game.next < game.count && game.keys[game.next].step <= swaps; ++game.next) {
        const int key = game.keys[game.next].key;
        keyCallback(keyWindow, key, glfwGetKeyScancode(key), game.keys[game.next].action, 0);
    }
    if (swaps == game.end + 60 && !getenv("PRETEND_STAY")) {
        keyCallback(keyWindow, GLFW_KEY_Q, glfwGetKeyScancode(GLFW_KEY_Q), GLFW_PRESS, 0);
    }
}

int rename(const char* from, const char* to) {
    REAL(rename);
    const char* crash = getenv("PRETEND_CRASH");
    const size_t length = crash ? strlen(crash) : 0, toLength = strlen(to);
    if (crash && toLength >= length && strcmp(to + toLength - length, crash) == 0) {
        raise(SIGKILL);
    }
    return real(from, to);
}
