// libFuzzer target: any bytes as a sound file decode either to a sound whose
// every sample can be read, or to nothing; never a crash.
#include "audio/sound_file.h"
#include "tests/fuzz/scratch_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = writeScratchFile("sound", data, size);
    const std::optional<DecodedSound> sound = decodeSoundFile(path.c_str());
    if (sound && (sound->samples.empty() || sound->channels < 1 || sound->channels > 2 ||
                  sound->samples.size() % static_cast<size_t>(sound->channels) != 0)) {
        std::abort();
    }
    return 0;
}
