#include "files/file_writer.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A new file beside the one at path, open for writing; -1, with errno set, if none can be made.
int makeAside(const std::string& path, std::string& aside) {
    aside = path + ".XXXXXX";
    return mkstemp(aside.data());
}

} // namespace

bool canWriteFile(const std::string& path) {
    std::string aside;
    const int fd = makeAside(path, aside);
    if (fd < 0) {
        return false;
    }
    close(fd);
    unlink(aside.c_str());
    return true;
}

unsigned newFileMode() {
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

void FileWriter::post(std::string text) {
    {
        const std::lock_guard lock(mutex_);
        pending_ = std::move(text);
    }
    if (!thread_.joinable()) {
        thread_ = std::thread([this] {
            std::unique_lock lock(mutex_);
            while (true) {
                posted_.wait(lock, [this] { return pending_ || stopping_; });
                if (!pending_) {
                    return;
                }
                const std::string text = std::move(*pending_);
                pending_.reset();
                lock.unlock();
                writeWhole(path_, text, mode_,
                           false); // a later text follows: a failure is the end's to report
                lock.lock();
            }
        });
    }
    posted_.notify_one();
}

bool FileWriter::writeNow(const std::string& text) {
    stop();
    return writeWhole(path_, text, mode_, true);
}

void FileWriter::stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        pending_.reset(); // whatever comes now supersedes it
    }
    posted_.notify_one();
    if (thread_.joinable()) {
        thread_.join();
    }
    stopping_ = false;
}

bool writeWhole(const std::string& path, const std::string& text, unsigned mode, bool durable) {
    std::string aside;
    const int fd = makeAside(path, aside);
    if (fd < 0) {
        return false;
    }
    bool written = ::write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    written = fchmod(fd, mode) == 0 && (!durable || fsync(fd) == 0) && written;
    written = close(fd) == 0 && written && std::rename(aside.c_str(), path.c_str()) == 0;
    if (!written) {
        const int error = errno;
        unlink(aside.c_str());
        errno = error;
    }
    return written;
}
