#include "replay/recording_file.h"

#include "replay/replay_file.h"

#include <sys/stat.h>

bool RecordingFile::open(const std::string& path, unsigned seed, long long step, std::uint32_t sum) {
    const mode_t mask = umask(0); // new files as the player's umask makes them
    umask(mask);
    file_ = std::make_unique<FileWriter>(path, 0666 & ~mask);
    text_ = headerLines(seed);
    return file_->writeNow(text_ + endLine({step, sum}));
}

void RecordingFile::begin(long long step) {
    if (!start_) {
        start_ = step;
    }
}

void RecordingFile::key(long long step, int key, int action) {
    if (start_ && keyName(key)) {
        text_ += keyLine({step, key, action});
    }
}

void RecordingFile::check(long long step, std::uint32_t sum) {
    text_ += checkLine({step, sum});
    file_->post(text_ + endLine({step, sum}));
}

bool RecordingFile::finish(long long step, std::uint32_t sum) {
    return file_->writeNow(text_ + endLine({step, sum}));
}
