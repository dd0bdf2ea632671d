// Writes a file out of the game's way, and always whole: each text is written
// aside, in the file's directory, then renamed over the file. Texts posted
// while playing are written on a thread of the writer's own, the newest
// taking the place of any not yet begun; a text written now waits for that
// thread, and is written on the caller's.
#pragma once

#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// Whether a file could be written at that path: one is made aside in its
// directory and removed again, so nothing is left. False, with errno set, if not.
bool canWriteFile(const std::string& path);

// The mode a new file of the player's takes: 0666 less the player's umask.
// Read it before starting threads that make files: reading the umask sets it
// for a moment.
unsigned newFileMode();

// Writes the text whole at the path: aside in its directory, made durable if
// asked, then renamed over it. False, with errno set, if it could not be; then
// nothing is left aside and the file at the path is as it was.
bool writeWhole(const std::string& path, const std::string& text, unsigned mode, bool durable);

class FileWriter {
  public:
    FileWriter(std::string path, unsigned mode) : path_(std::move(path)), mode_(mode) {}
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;
    ~FileWriter() { stop(); }

    void post(std::string text);
    // After any posted text, made durable on the disk: false, with errno set,
    // if it could not be written.
    bool writeNow(const std::string& text);

  private:
    void stop();

    std::string path_;
    unsigned mode_;
    std::mutex mutex_;
    std::condition_variable posted_;
    std::optional<std::string> pending_;
    bool stopping_ = false;
    std::thread thread_; // started by the first post
};
