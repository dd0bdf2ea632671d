#include "tests/support/process.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::string& workingDir,
                           const std::vector<std::string>& environment) {
    int out[2], err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return;
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(out[1], STDOUT_FILENO);
        dup2(err[1], STDERR_FILENO);
        close(out[0]), close(out[1]), close(err[0]), close(err[1]);
        int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, STDIN_FILENO);
        for (const std::string& setting : environment) {
            auto eq = setting.find('=');
            std::string name = setting.substr(0, eq);
            std::string value = setting.substr(eq + 1);
            if (value.empty()) {
                unsetenv(name.c_str());
            } else {
                setenv(name.c_str(), value.c_str(), 1);
            }
        }
        if (chdir(workingDir.c_str()) != 0) {
            _exit(126);
        }
        std::vector<char*> args;
        for (const std::string& a : argv) {
            args.push_back(const_cast<char*>(a.c_str()));
        }
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(out[1]), close(err[1]);
    outFd_ = out[0], errFd_ = err[0];
}

ChildProcess::~ChildProcess() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (outFd_ >= 0) {
        close(outFd_);
    }
    if (errFd_ >= 0) {
        close(errFd_);
    }
}

void ChildProcess::drain(int timeoutMs) {
    pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
    if (poll(fds, 2, timeoutMs) <= 0) {
        return;
    }
    char buffer[4096];
    for (int i = 0; i < 2; ++i) {
        if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP))) {
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                (i == 0 ? result_.out : result_.err).append(buffer, static_cast<size_t>(n));
            } else {
                close(fds[i].fd);
                (i == 0 ? outFd_ : errFd_) = -1;
            }
        }
    }
}

bool ChildProcess::running() {
    if (reaped_ || pid_ <= 0) {
        return false;
    }
    drain(0);
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        reaped_ = true;
        result_.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result_.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        return false;
    }
    return true;
}

ProcessResult ChildProcess::wait(std::chrono::milliseconds deadline) {
    auto end = std::chrono::steady_clock::now() + deadline;
    while (running()) {
        if (std::chrono::steady_clock::now() > end) {
            result_.timedOut = true;
            kill(pid_, SIGKILL);
        }
        drain(20);
    }
    while (outFd_ >= 0 || errFd_ >= 0) {
        drain(100);
    }
    return result_;
}

int runShell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

const std::vector<std::string>& gameEnvironment() {
#ifdef GORVATH_PRELOAD
    static const std::vector<std::string> settings = {GORVATH_PRELOAD};
#else
    static const std::vector<std::string> settings;
#endif
    return settings;
}
