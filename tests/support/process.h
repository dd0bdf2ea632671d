// Runs a program as a child process and collects what it printed and how it ended.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

struct ProcessResult {
    std::string out;
    std::string err;
    int exitStatus = -1; // -1 unless the child exited normally
    int signal = 0;      // the signal that ended it, if one did
    bool timedOut = false;
};

class ChildProcess {
  public:
    // Starts argv[0] in workingDir. Entries of environment of the form "NAME=" unset NAME.
    ChildProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                 const std::vector<std::string>& environment = {});
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t pid() const { return pid_; }
    bool running();
    // Waits for the child to end; past the deadline it is killed and timedOut set.
    ProcessResult wait(std::chrono::milliseconds deadline);

  private:
    void drain(int timeoutMs);
    pid_t pid_ = -1;
    int outFd_ = -1, errFd_ = -1;
    ProcessResult result_;
    bool reaped_ = false;
};

// The environment the game under test runs in: as it is, but for what a
// sanitized build needs preloaded.
const std::vector<std::string>& gameEnvironment();

// Runs a shell command to its end and returns its exit status.
int runShell(const std::string& command);
