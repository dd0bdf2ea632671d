// The sound floor's device in a browser: emscripten's OpenAL on WebAudio. The
// browser lets it sound from the player's first key on (emscripten resumes
// it then), or from a finger lifted (wake); where there is no WebAudio the
// game is silent.
#include "audio/sound_floor.h"

#include <emscripten/emscripten.h>

bool SoundFloor::openDevice() { return start(alcOpenDevice(nullptr), nullptr); }

bool SoundFloor::openLoopback(int) { return false; }

namespace {

// Whether the browser still holds the device's WebAudio output suspended.
bool heldSuspended() {
    return EM_ASM_INT({
        return Object.values(AL.contexts).some(function(context) {
            return context.audioCtx.state == "suspended";
        });
    });
}

} // namespace

// Paused and resumed at once, only while the browser still holds the output
// suspended: WebAudio resumes it in the player's gesture, which is all it
// waited for. Once it sounds, a pause would cut every sound that is playing.
// (ALC_SOFT_pause_device's two calls: emscripten's OpenAL has no header of its extensions.)
void SoundFloor::wake() {
    using DeviceCall = void (*)(ALCdevice*);
    auto pause = reinterpret_cast<DeviceCall>(alcGetProcAddress(device_, "alcDevicePauseSOFT"));
    auto resume = reinterpret_cast<DeviceCall>(alcGetProcAddress(device_, "alcDeviceResumeSOFT"));
    if (device_ && pause && resume && heldSuspended()) {
        pause(device_);
        resume(device_);
    }
}
