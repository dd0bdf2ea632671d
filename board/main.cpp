// gorvath-board: the world's bests of Gorvath. Reads its command line, opens
// (or makes, or upgrades) its database, and serves the board, and the game's
// web build beside it if asked, until it is stopped (SIGTERM or SIGINT).
#include "board/options.h"
#include "board/routes.h"
#include "board/server.h"
#include "files/data_folder.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <thread>

namespace {

[[noreturn]] void fail(const std::string& line) {
    std::cerr << "gorvath-board: " << line << std::endl;
    std::exit(EXIT_FAILURE);
}

// The database by default: in the state folder systemd gives the service,
// else where the player's data lives.
std::string defaultDatabase() {
    const char* state = std::getenv("STATE_DIRECTORY");
    std::string folder =
        state && state[0] == '/' ? std::string(state).substr(0, std::string(state).find(':')) : dataFolder();
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return folder + "/board.sqlite";
}

std::atomic<httplib::Server*> listening{nullptr}; // once bound: the server that is to stop

// Stops the server on SIGTERM or SIGINT, from a thread of its own; every other
// thread has them blocked (blocked here, before any other is made, and
// inherited). Before the server is bound nothing has been answered: the board
// ends as the signal ends a process.
void stopOnSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGTERM);
    sigaddset(&signals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    std::thread([signals] {
        int signal = 0;
        sigwait(&signals, &signal);
        httplib::Server* server = listening.load();
        if (!server) {
            pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);
            raise(signal);
            return;
        }
        // Until it listens, the server has nothing to stop, and would then
        // listen for good: a signal that comes sooner waits for it.
        while (!server->is_running()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        server->stop();
    }).detach();
}

} // namespace

int main(int argc, char** argv) {
    stopOnSignals();
    BoardOptions options;
    if (const std::optional<int> status = parseBoardOptions(argc, argv, options, std::cout, std::cerr)) {
        return *status;
    }
    if (!options.site.empty() && !std::filesystem::is_directory(options.site)) {
        fail("cannot serve the site " + options.site + ": not a folder");
    }
    const std::string place = options.database.empty() ? defaultDatabase() : options.database;
    std::variant<std::unique_ptr<Database>, std::string> opened = openDatabase(place);
    if (const auto* why = std::get_if<std::string>(&opened)) {
        fail(*why);
    }
    Database& database = *std::get<std::unique_ptr<Database>>(opened);
    Commits commits(database);
    Tables tables(database);
    RateLimit sends(options.sendsPerMinute);
    Board board{database, commits, tables, sends, options.trustProxy};
    BoardServer server({.connections = options.connections});
    route(server, board, options.site);
    const int port = server.bind(options.address, options.port);
    if (port < 0) {
        fail("cannot listen on " + options.address + " port " + std::to_string(options.port) + " (" +
             std::strerror(errno) + ")");
    }
    listening = &server;
    const std::string shown =
        options.address.find(':') == std::string::npos ? options.address : "[" + options.address + "]";
    std::cout << "gorvath-board: the world's bests in " << shownAddress(place) << ", on http://" << shown
              << ":" << port << "/" << (options.site.empty() ? "" : " beside the game in " + options.site)
              << std::endl;
    server.listen_after_bind();
    return EXIT_SUCCESS;
}
