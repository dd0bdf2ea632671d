#include "board/server.h"

#include "board/judge.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <deque>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

thread_local bool refusing = false; // the connection is past the bound: 503 at once
thread_local bool lastRequest = false;

// Waits for the socket to be readable (or writable) for up to `seconds`.
bool await(int fd, short events, double seconds) {
    pollfd p{fd, events, 0};
    const int ms = static_cast<int>(std::ceil(std::max(0.0, seconds) * 1000));
    return poll(&p, 1, ms) > 0 && (p.revents & (events | POLLHUP | POLLERR));
}

std::string addressOf(const sockaddr_storage& a, int& port) {
    char text[INET6_ADDRSTRLEN] = "";
    if (a.ss_family == AF_INET) {
        const auto& in = reinterpret_cast<const sockaddr_in&>(a);
        inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
        port = ntohs(in.sin_port);
    } else if (a.ss_family == AF_INET6) {
        const auto& in6 = reinterpret_cast<const sockaddr_in6&>(a);
        inet_ntop(AF_INET6, &in6.sin6_addr, text, sizeof text);
        port = ntohs(in6.sin6_port);
    }
    return text;
}

// One connection's bytes, a request at a time: each request must come whole
// within its deadline and its size, whatever the pace of its bytes.
class Connection : public httplib::Stream {
  public:
    Connection(int fd, const ConnectionLimits& limits) : fd_(fd), limits_(limits) {}

    // Waits for the next request to begin: false if none comes in time, or the client has gone.
    bool awaitRequest() {
        if (begin_ == end_ && !await(fd_, POLLIN, limits_.waitSeconds)) {
            return false;
        }
        deadline_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                       std::chrono::duration<double>(limits_.requestSeconds));
        read_ = 0;
        return true;
    }
    // The request broke a limit: the connection ends with it.
    bool broken() const { return broken_; }

    bool is_readable() const override { return begin_ < end_ || await(fd_, POLLIN, waitLeft()); }
    bool is_writable() const override { return await(fd_, POLLOUT, limits_.waitSeconds); }

    ssize_t read(char* ptr, std::size_t size) override {
        if (begin_ == end_) {
            if (waitLeft() <= 0 || !await(fd_, POLLIN, waitLeft())) {
                broken_ = true; // too slow: the request's time is up, or its bytes stopped coming
                return -1;
            }
            const ssize_t n = recv(fd_, buffer_.data(), buffer_.size(), 0);
            if (n <= 0) {
                return n;
            }
            read_ += static_cast<std::size_t>(n);
            if (read_ > limits_.requestBytes) {
                broken_ = true;
                return -1;
            }
            begin_ = 0, end_ = static_cast<std::size_t>(n);
        }
        const std::size_t taken = std::min(size, end_ - begin_);
        std::copy_n(buffer_.data() + begin_, taken, ptr);
        begin_ += taken;
        return static_cast<ssize_t>(taken);
    }

    ssize_t write(const char* ptr, std::size_t size) override {
        if (!is_writable()) {
            return -1;
        }
        return send(fd_, ptr, size, MSG_NOSIGNAL);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage a{};
        socklen_t length = sizeof a;
        ip = getpeername(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0 ? addressOf(a, port) : "";
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage a{};
        socklen_t length = sizeof a;
        ip = getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &length) == 0 ? addressOf(a, port) : "";
    }
    socket_t socket() const override { return fd_; }

  private:
    // How long a read may wait: for the bytes to go on coming, and within the request's time.
    double waitLeft() const {
        const double left = std::chrono::duration<double>(deadline_ - Clock::now()).count();
        return std::min(left, limits_.waitSeconds);
    }

    int fd_;
    const ConnectionLimits& limits_;
    std::array<char, 4096> buffer_{};
    std::size_t begin_ = 0, end_ = 0, read_ = 0;
    Clock::time_point deadline_;
    bool broken_ = false;
};

// Ends the connection so that what was written reaches the client: its own
// bytes still coming are read, and dropped, for a moment first.
void closeGently(int fd, bool waitForClient) {
    shutdown(fd, SHUT_WR);
    std::array<char, 4096> dropped{};
    const auto until = Clock::now() + std::chrono::seconds(waitForClient ? 1 : 0);
    for (std::size_t total = 0; total < (std::size_t{256} << 10);) {
        if (waitForClient &&
            !await(fd, POLLIN, std::chrono::duration<double>(until - Clock::now()).count())) {
            break;
        }
        const ssize_t n = recv(fd, dropped.data(), dropped.size(), waitForClient ? 0 : MSG_DONTWAIT);
        if (n <= 0) {
            break;
        }
        total += static_cast<std::size_t>(n);
    }
    close(fd);
}

// So many threads, each serving a connection at a time; a connection that
// comes while all are busy is answered 503 on the accepting thread, at once.
class BoundedPool : public httplib::TaskQueue {
  public:
    explicit BoundedPool(int threads) {
        for (int i = 0; i < threads; ++i) {
            threads_.emplace_back([this] { work(); });
        }
    }
    void enqueue(std::function<void()> fn) override {
        {
            const std::lock_guard lock(mutex_);
            if (busy_ < threads_.size()) {
                ++busy_;
                jobs_.push_back(std::move(fn));
                arrived_.notify_one();
                return;
            }
        }
        refusing = true;
        fn();
        refusing = false;
    }
    void shutdown() override {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        arrived_.notify_all();
        for (std::thread& t : threads_) {
            t.join();
        }
    }

  private:
    void work() {
        std::unique_lock lock(mutex_);
        while (true) {
            arrived_.wait(lock, [this] { return !jobs_.empty() || stopping_; });
            if (jobs_.empty()) {
                return;
            }
            std::function<void()> job = std::move(jobs_.front());
            jobs_.pop_front();
            lock.unlock();
            job();
            lock.lock();
            --busy_;
        }
    }

    std::vector<std::thread> threads_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<std::function<void()>> jobs_;
    std::size_t busy_ = 0;
    bool stopping_ = false;
};

// What a connection past the bound is told, whole.
std::string busyAnswer() {
    const std::string body = "{\"refused\":\"the board is busy: try again in a moment\"}";
    return "HTTP/1.1 503 Service Unavailable\r\nRetry-After: 1\r\nContent-Type: application/json\r\n"
           "Content-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

} // namespace

BoardServer::BoardServer(ConnectionLimits limits) : limits_(limits) {
    if (limits_.requestBytes == 0) {
        limits_.requestBytes = mostSentBytes + (std::size_t{64} << 10);
    }
    new_task_queue = [this] { return new BoundedPool(limits_.connections); };
}

void BoardServer::lastOfItsConnection() { lastRequest = true; }

int BoardServer::bind(const std::string& address, int port) {
    const int bound = port == 0 ? bind_to_any_port(address) : (bind_to_port(address, port) ? port : -1);
    if (bound >= 0) {
        ::listen(svr_sock_, SOMAXCONN); // a burst of new connections waits to be taken, rather than dropped
    }
    return bound;
}

bool BoardServer::process_and_close_socket(socket_t sock) {
    if (refusing) {
        static const std::string busy = busyAnswer();
        send(sock, busy.data(), busy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        closeGently(sock, false);
        return true;
    }
    // An answer's head and body go out as they are written, not held for the client's
    // acknowledgement of the head: with delayed acknowledgements that costs 40 ms an answer.
    const int noDelay = 1;
    setsockopt(sock, IPPROTO_TCP, TCP_NODELAY, &noDelay, sizeof noDelay);
    Connection connection(sock, limits_);
    for (int served = 0; served < limits_.requestsPerConnection && connection.awaitRequest(); ++served) {
        lastRequest = false;
        bool closed = false;
        const bool answered =
            process_request(connection, served + 1 == limits_.requestsPerConnection, closed, nullptr);
        if (!answered || closed || lastRequest || connection.broken()) {
            break;
        }
    }
    closeGently(sock, lastRequest);
    return true;
}
