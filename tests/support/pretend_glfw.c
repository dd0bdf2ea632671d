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
static const char* const buttonNames[] = {"a",     "b",  "x",  "y",  "lb",    "rb",   "back", "start",
                                          "guide", "ls", "rs", "up", "right", "down", "left"};
static const char* const axisNames[] = {"lx", "ly", "rx", "ry", "lt", "rt"};

static FILE* padFile(int jid) {
    const char* path = getenv("PRETEND_PAD");
    return jid == GLFW_JOYSTICK_1 && path ? fopen(path, "r") : NULL;
}

int glfwJoystickIsGamepad(int jid) {
    FILE* file = padFile(jid);
    if (!file) {
        return GLFW_FALSE;
    }
    fclose(file);
    return GLFW_TRUE;
}

int glfwGetGamepadState(int jid, GLFWgamepadstate* state) {
    FILE* file = padFile(jid);
    if (!file) {
        return GLFW_FALSE;
    }
    memset(state, 0, sizeof *state);
    state->axes[GLFW_GAMEPAD_AXIS_LEFT_TRIGGER] = state->axes[GLFW_GAMEPAD_AXIS_RIGHT_TRIGGER] = -1.0f;
    char word[32];
    while (fscanf(file, "%31s", word) == 1) {
        char* value = strchr(word, '=');
        if (value) {
            *value++ = '\0';
        }
        for (int i = 0; i <= GLFW_GAMEPAD_BUTTON_LAST; ++i) {
            if (!value && strcmp(word, buttonNames[i]) == 0) {
                state->buttons[i] = GLFW_PRESS;
            }
        }
        for (int i = 0; i <= GLFW_GAMEPAD_AXIS_LAST; ++i) {
            if (value && strcmp(word, axisNames[i]) == 0) {
                state->axes[i] = strtof(value, NULL);
            }
        }
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
    if (!path) {
        return;
    }
    char aside[4096];
    snprintf(aside, sizeof aside, "%s.new", path);
    FILE* file = fopen(aside, "w");
    if (file) {
        fprintf(file, "%lu\n", ++swaps);
        fclose(file);
        rename(aside, path);
    }
}
