#include "input/held_key.h"

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

void HeldKey::update(bool held, double now, int key, bool repeats, SendKey send) {
    if (held && !held_) {
        send(key, GLFW_PRESS);
        nextRepeat_ = now + repeatDelay;
    } else if (held && repeats && now >= nextRepeat_) {
        send(key, GLFW_REPEAT);
        nextRepeat_ += repeatInterval;
        if (nextRepeat_ <= now) { // a long frame: one repeat, and the rest dropped
            nextRepeat_ = now + repeatInterval;
        }
    } else if (!held && held_) {
        send(key, GLFW_RELEASE);
    }
    held_ = held;
}
