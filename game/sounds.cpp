#include "game/sounds.h"

constinit HeardSounds heardSounds;

void noteSound(Sound sound) {
    if (heardSounds.count < HeardSounds::capacity) {
        heardSounds.sounds[heardSounds.count++] = sound;
    }
}
