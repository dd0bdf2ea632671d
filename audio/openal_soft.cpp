// The sound floor's device on the desktop: OpenAL Soft, kept quiet, and its
// loopback device, which mixes only when asked (for tests).
#include "audio/sound_floor.h"

#include <AL/alext.h>

#include <cstdlib>
#include <dlfcn.h>

namespace {

// ALSA's library, which OpenAL loads for itself, prints its failures on
// standard error unless given a handler of its own.
extern "C" void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

void quietenAudioLibraries() {
    setenv("ALSOFT_LOGLEVEL", "0", 0); // unless the player asked for OpenAL's log
    using Handler = void (*)(const char*, int, const char*, int, const char*, ...);
    if (void* alsa = dlopen("libasound.so.2", RTLD_LAZY | RTLD_LOCAL)) {
        if (auto setHandler = reinterpret_cast<int (*)(Handler)>(dlsym(alsa, "snd_lib_error_set_handler"))) {
            setHandler(ignoreAlsaError);
        }
    }
}

} // namespace

static_assert(ALC_CONNECTED == 0x313);

bool SoundFloor::openDevice() {
    quietenAudioLibraries();
    return start(alcOpenDevice(nullptr), nullptr);
}

bool SoundFloor::openLoopback(int rate) {
    auto openLoopbackDevice = reinterpret_cast<LPALCLOOPBACKOPENDEVICESOFT>(
        alcGetProcAddress(nullptr, "alcLoopbackOpenDeviceSOFT"));
    const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                                 ALC_STEREO_SOFT,
                                 ALC_FORMAT_TYPE_SOFT,
                                 ALC_SHORT_SOFT,
                                 ALC_FREQUENCY,
                                 rate,
                                 0};
    if (!openLoopbackDevice || !start(openLoopbackDevice(nullptr), attributes)) {
        return false;
    }
    renderSamples_ =
        reinterpret_cast<LPALCRENDERSAMPLESSOFT>(alcGetProcAddress(device_, "alcRenderSamplesSOFT"));
    return true;
}

void SoundFloor::wake() {} // a desktop's device sounds from the start
