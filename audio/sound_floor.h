// The audio floor: the sound files decoded and played. The only code that
// makes a sound; it may use game/ (which sounds the game heard) and files/.
//
// The game's sounds, played through OpenAL: a buffer for each sound the game
// can make, decoded from ./sounds, and a small pool of sources, so that sounds
// that overlap all play; when every source is busy, the one started longest
// ago gives way. Without a sound device, or once it has gone away, the floor
// is silent and says nothing, and the game plays on as ever.
#pragma once

#include "audio/sound_file.h"
#include "game/sounds.h"

#include <AL/al.h>
#include <AL/alc.h>

#include <optional>

// The sound files, in the order of Sound.
inline constexpr const char* soundFiles[soundCount] = {
    "./sounds/start.ogg",     "./sounds/shot.ogg",   "./sounds/stun.ogg", "./sounds/bomb.ogg",
    "./sounds/explosion.ogg", "./sounds/caught.ogg", "./sounds/won.ogg"};

// Decodes every sound file; for each that cannot be loaded, one line on
// standard error, and that sound stays silent.
void loadSoundFiles(std::optional<DecodedSound> (&sounds)[soundCount]);

class SoundFloor {
  public:
    static constexpr int sourceCount = 8;

    SoundFloor() = default;
    SoundFloor(const SoundFloor&) = delete;
    SoundFloor& operator=(const SoundFloor&) = delete;
    ~SoundFloor() { close(); }

    // The system's default device, quietly: the audio libraries are told to
    // keep their complaints to themselves. False, and silent, without one. In
    // a browser: its WebAudio, which starts with the player's first key.
    bool openDevice();
    // A device that mixes only when asked (render), for tests: 16-bit stereo.
    // OpenAL Soft's; false where there is none.
    bool openLoopback(int rate);
    // In a browser, in a gesture of the player's that lets a page sound (a
    // finger lifted): the device's output started. Elsewhere nothing.
    void wake();
    // Hands the decoded sounds to the device.
    void load(const std::optional<DecodedSound> (&sounds)[soundCount]);
    void close();

    void play(Sound sound);
    // Muted, nothing is heard, and nothing new starts.
    void setMuted(bool muted);
    bool muted() const { return muted_; }
    // Whether a source is playing that sound now.
    bool sounding(Sound sound) const;
    // Mixes the next frames of a loopback device into out (two samples a frame).
    void render(short* out, int frames);

  private:
    bool start(ALCdevice* device, const ALCint* attributes);
    bool live(); // the device is open and still there

    ALCdevice* device_ = nullptr;
    ALCcontext* context_ = nullptr;
    bool tellsDisconnect_ = false;                                    // the device says when it is gone
    void (*renderSamples_)(ALCdevice*, ALCvoid*, ALCsizei) = nullptr; // a loopback device's mixer
    ALuint buffers_[soundCount] = {};
    bool loaded_[soundCount] = {};
    ALuint sources_[sourceCount] = {};
    unsigned long startedAt_[sourceCount] = {}; // when each source last started, counted in starts
    unsigned long starts_ = 0;
    bool muted_ = false;
};
