/* Preloaded in front of GLFW (LD_PRELOAD) into the real game, it stands where
 * GLFW's own functions stand and nowhere else:
 *
 * - a pretend gamepad, joystick 0, plugged in while the file PRETEND_PAD
 *   names exists. The file holds what the pad shows, in words: the buttons
 *   held, by the names below, and the axes that are not at rest, as
 *   name=value (lx=-0.9). Replace it whole (write aside, then rename): the
 *   game reads it every frame.
 * - buffer swaps, GLFW's own, counted into the file SWAP_COUNT names, so
 *   that a test can tell whether the game draws, and wait for frames. */
#define _GNU_SOURCE
#include <GLFW/glfw3.h>
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

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

void glfwSwapBuffers(GLFWwindow* window) {
    static void (*swap)(GLFWwindow*);
    static unsigned long swaps;
    if (!swap) {
        *(void**)&swap = dlsym(RTLD_NEXT, "glfwSwapBuffers"); /* as POSIX has it */
    }
    swap(window);
    const char* path = getenv("SWAP_COUNT");
    char aside[4096];
    FILE* file = path && snprintf(aside, sizeof aside, "%s.new", path) > 0 ? fopen(aside, "w") : NULL;
    if (file) {
        fprintf(file, "%lu\n", ++swaps);
        fclose(file);
        rename(aside, path);
    }
}
