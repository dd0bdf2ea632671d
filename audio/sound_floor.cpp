#include "audio/sound_floor.h"

#include "files/console_line.h"

#include <string>

namespace {

constexpr ALCenum connectedQuery = 0x313; // ALC_CONNECTED, of ALC_EXT_disconnect

} // namespace

void loadSoundFiles(std::optional<DecodedSound> (&sounds)[soundCount]) {
    for (int i = 0; i < soundCount; ++i) {
        sounds[i] = decodeSoundFile(soundFiles[i]);
        if (!sounds[i]) {
            sayLine(stderr, "could not load sound file " + std::string(soundFiles[i]));
        }
    }
}

bool SoundFloor::start(ALCdevice* device, const ALCint* attributes) {
    close();
    device_ = device;
    context_ = device_ ? alcCreateContext(device_, attributes) : nullptr;
    if (!context_ || !alcMakeContextCurrent(context_)) {
        close();
        return false;
    }
    tellsDisconnect_ = alcIsExtensionPresent(device_, "ALC_EXT_disconnect");
    alGenBuffers(soundCount, buffers_);
    alGenSources(sourceCount, sources_);
    alListenerf(AL_GAIN, muted_ ? 0.0f : 1.0f);
    return alGetError() == AL_NO_ERROR || (close(), false);
}

void SoundFloor::load(const std::optional<DecodedSound> (&sounds)[soundCount]) {
    for (int i = 0; i < soundCount && context_; ++i) {
        const std::optional<DecodedSound>& sound = sounds[i];
        if (!sound) {
            continue;
        }
        alBufferData(buffers_[i], sound->channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16,
                     sound->samples.data(), static_cast<ALsizei>(sound->samples.size() * sizeof(short)),
                     sound->rate);
        loaded_[i] = alGetError() == AL_NO_ERROR;
    }
}

void SoundFloor::close() {
    if (context_) {
        alDeleteSources(sourceCount, sources_);
        alDeleteBuffers(soundCount, buffers_);
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context_);
    }
    if (device_) {
        alcCloseDevice(device_);
    }
    device_ = nullptr, context_ = nullptr, renderSamples_ = nullptr;
    std::fill(std::begin(loaded_), std::end(loaded_), false);
}

bool SoundFloor::live() {
    if (!context_) {
        return false;
    }
    ALCint connected = ALC_TRUE;
    if (tellsDisconnect_) {
        alcGetIntegerv(device_, connectedQuery, 1, &connected);
    }
    if (!connected) {
        close(); // gone: silent from now on
    }
    return connected;
}

void SoundFloor::play(Sound sound) {
    const auto kind = static_cast<int>(sound);
    if (muted_ || !live() || !loaded_[kind]) {
        return;
    }
    int chosen = 0; // a free source, or else the one started longest ago
    for (int i = 0; i < sourceCount; ++i) {
        ALint state = AL_STOPPED;
        alGetSourcei(sources_[i], AL_SOURCE_STATE, &state);
        if (state != AL_PLAYING) {
            chosen = i;
            break;
        }
        if (startedAt_[i] < startedAt_[chosen]) {
            chosen = i;
        }
    }
    alSourceStop(sources_[chosen]);
    alSourcei(sources_[chosen], AL_BUFFER, static_cast<ALint>(buffers_[kind]));
    alSourcePlay(sources_[chosen]);
    startedAt_[chosen] = ++starts_;
}

void SoundFloor::setMuted(bool muted) {
    muted_ = muted;
    if (context_) {
        alListenerf(AL_GAIN, muted ? 0.0f : 1.0f);
    }
}

bool SoundFloor::sounding(Sound sound) const {
    for (ALuint source : sources_) {
        ALint state = AL_STOPPED, buffer = 0;
        if (context_) {
            alGetSourcei(source, AL_SOURCE_STATE, &state);
            alGetSourcei(source, AL_BUFFER, &buffer);
        }
        if (state == AL_PLAYING && buffer == static_cast<ALint>(buffers_[static_cast<int>(sound)])) {
            return true;
        }
    }
    return false;
}

void SoundFloor::render(short* out, int frames) {
    if (renderSamples_) {
        renderSamples_(device_, out, frames);
    }
}
