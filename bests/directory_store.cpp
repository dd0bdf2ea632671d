#include "bests/directory_store.h"

#include "files/data_file.h"
#include "files/file_writer.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

Store::Found DirectoryStore::read(const std::string& name, std::size_t limit, std::string& text) {
    const std::string path = where(name);
    struct stat link {};
    if (lstat(path.c_str(), &link) != 0) {
        text = std::strerror(errno);
        return errno == ENOENT || errno == ENOTDIR ? Found::Nothing : Found::Broken;
    }
    if (std::optional<std::string> bytes = readDataFile(path.c_str(), limit)) {
        text = std::move(*bytes);
        return Found::Text;
    }
    struct stat info {};
    const bool found = stat(path.c_str(), &info) == 0;
    text = !found                                     ? std::strerror(errno)
           : S_ISDIR(info.st_mode)                    ? "a folder"
           : !S_ISREG(info.st_mode)                   ? "not a plain file"
           : info.st_size > static_cast<off_t>(limit) ? "larger than any could be"
                                                      : "unreadable";
    return Found::Broken;
}

bool DirectoryStore::write(const std::string& name, const std::string& text, std::string& why) {
    const std::string path = where(name);
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error || !writeWhole(path, text, fileMode_, true)) {
        why = error ? error.message() : std::strerror(errno);
        return false;
    }
    return true;
}

void DirectoryStore::remove(const std::string& name) { unlink(where(name).c_str()); }

std::string DirectoryStore::setAside(const std::string& name) {
    std::string date = dateNow();
    std::erase_if(date, [](char c) { return c == ':'; });
    const std::string path = where(name), base = path + ".broken-" + date;
    std::string aside = base;
    struct stat there {};
    for (int more = 2; lstat(aside.c_str(), &there) == 0; ++more) { // never over another
        aside = base + "-" + std::to_string(more);
    }
    return std::rename(path.c_str(), aside.c_str()) == 0 ? aside
                                                         : path + " (it could not be moved: left as it is)";
}

void DirectoryStore::lock() {
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    lock_ = open(where("bests.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock_ >= 0) {
        while (flock(lock_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
}

void DirectoryStore::later(std::function<void()> work) {
    finish();
    thread_ = std::thread(std::move(work));
}

void DirectoryStore::finish() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void DirectoryStore::unlock() {
    if (lock_ >= 0) {
        close(lock_); // lets the lock go
        lock_ = -1;
    }
}
