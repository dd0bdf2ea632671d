#include "files/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::optional<std::string> readDataFile(const char* path, std::size_t limit) {
    // Without blocking: opening a pipe that nobody writes to returns at once.
    const int fd = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::optional<std::string> bytes;
    struct stat info {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) <= limit) {
        bytes.emplace();
        bytes->reserve(static_cast<std::size_t>(info.st_size));
        // The file may grow while it is read: never past the limit.
        char chunk[1 << 16];
        for (ssize_t n; (n = read(fd, chunk, sizeof chunk)) != 0;) {
            if (n < 0 || bytes->size() + static_cast<std::size_t>(n) > limit) {
                bytes.reset();
                break;
            }
            bytes->append(chunk, static_cast<std::size_t>(n));
        }
    }
    close(fd);
    return bytes;
}
