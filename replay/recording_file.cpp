#include "replay/recording_file.h"

bool RecordingFile::open(const std::string& path, const Replay& header, long long step, std::uint32_t sum) {
    file_ = std::make_unique<FileWriter>(path, newFileMode());
    recording_.emplace(header);
    return file_->writeNow(recording_->text({step, sum}));
}

void RecordingFile::check(long long step, std::uint32_t sum) {
    recording_->check(step, sum);
    file_->post(recording_->text({step, sum}));
}

bool RecordingFile::finish(long long step, std::uint32_t sum) {
    return file_->writeNow(recording_->text({step, sum}));
}
