#include "board/routes.h"

#include "bests/bests.h"
#include "board/judge.h"
#include "board/names.h"
#include "board/server.h"

#include <charconv>

namespace {

constexpr const char* json = "application/json; charset=utf-8";

void answer(httplib::Response& response, int status, const std::string& body) {
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(body, json);
}

void refuse(httplib::Response& response, int status, const std::string& why, const std::string& more = "") {
    answer(response, status, "{\"refused\":" + jsonString(why) + more + "}");
}

// The sender: the connection's address, or, behind a trusted reverse proxy,
// the last address it names (the one it took the request from).
std::string senderOf(const Board& board, const httplib::Request& request) {
    const std::string forwarded = board.trustProxy ? request.get_header_value("X-Forwarded-For") : "";
    if (forwarded.empty()) {
        return request.remote_addr;
    }
    const std::string last = forwarded.substr(forwarded.rfind(',') + 1);
    const std::size_t from = last.find_first_not_of(' '), to = last.find_last_not_of(' ');
    return from == std::string::npos ? request.remote_addr : last.substr(from, to - from + 1);
}

bool tooLarge(const httplib::Request& request) {
    const std::string length = request.get_header_value("Content-Length");
    unsigned long long bytes = 0;
    const auto [end, error] = std::from_chars(length.data(), length.data() + length.size(), bytes);
    return !length.empty() && (error != std::errc() || bytes > mostSentBytes);
}

bool sendsAGame(const httplib::Request& request) {
    return request.method == "POST" && request.path == "/api/games";
}

// A number in [1, most], or the fallback.
int numberIn(const std::string& text, int most, int fallback) {
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    return error == std::errc() && end == text.data() + text.size() && n >= 1 && n <= most ? n : fallback;
}

void judgeAndKeep(Board& board, const std::string& name, const std::string& text,
                  httplib::Response& response) {
    if (const std::string wrong = whatIsWrongWithName(name); !wrong.empty()) {
        return refuse(response, 422, wrong);
    }
    const std::variant<JudgedGame, std::string> judged = judge(text);
    if (const auto* refused = std::get_if<std::string>(&judged)) {
        return refuse(response, 422, *refused);
    }
    const JudgedGame& game = std::get<JudgedGame>(judged);
    const Kept kept = board.commits.keep({game.mode, game.steps, name, game.recording, game.identity});
    const std::string entry =
        ",\"place\":" + std::to_string(kept.place) + ",\"id\":" + std::to_string(kept.id);
    if (kept.outcome == Kept::NotKept) {
        response.set_header("Retry-After", "60");
        return refuse(response, 503, kept.why);
    }
    if (kept.outcome == Kept::AlreadyHeld) {
        return refuse(response, 409, "game: already on the board, sent before", entry);
    }
    board.tables.changed();
    answer(response, 201,
           "{\"mode\":\"" + std::string(1, modeLetter(game.mode)) + "\",\"time\":\"" + secondsOf(game.steps) +
               "\",\"steps\":" + std::to_string(game.steps) + entry + "}");
}

} // namespace

httplib::Server::HandlerResponse beforeReading(Board& board, const httplib::Request& request,
                                               httplib::Response& response) {
    if (!sendsAGame(request)) {
        return httplib::Server::HandlerResponse::Unhandled;
    }
    if (tooLarge(request)) {
        BoardServer::lastOfItsConnection(); // its body is left unread
        refuse(response, 413, tooLargeToJudge());
        return httplib::Server::HandlerResponse::Handled;
    }
    if (const std::optional<int> wait =
            board.sends.take(senderOf(board, request), std::chrono::steady_clock::now())) {
        BoardServer::lastOfItsConnection();
        response.set_header("Retry-After", std::to_string(*wait));
        refuse(response, 429,
               "too many games sent from one address: try again in " + std::to_string(*wait) + " s");
        return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

int beforeSending(const httplib::Request& request, httplib::Response& response) {
    if (sendsAGame(request) && tooLarge(request)) {
        BoardServer::lastOfItsConnection();
        refuse(response, 413, tooLargeToJudge());
        return 413;
    }
    return 100;
}

void sendGame(Board& board, const httplib::Request& request, httplib::Response& response,
              const httplib::ContentReader& content) {
    std::string text;
    bool whole = true;
    content([&](const char* data, std::size_t length) {
        whole = text.size() + length <= mostSentBytes;
        return whole && (text.append(data, length), true);
    });
    if (!whole) { // sent without its length, and longer than any won game's: no more of it is read
        BoardServer::lastOfItsConnection();
        return refuse(response, 413, tooLargeToJudge());
    }
    judgeAndKeep(board, request.get_param_value("name"), text, response);
}

void readTables(Board& board, const httplib::Request& request, httplib::Response& response) {
    const int rows = numberIn(request.get_param_value("top"), mostTableRows, tableRows);
    if (const std::optional<std::string> tables = board.tables.json(rows)) {
        return answer(response, 200, *tables);
    }
    response.set_header("Retry-After", "10");
    refuse(response, 503, "the board cannot read its tables now");
}

void readGame(Board& board, const httplib::Request& request, httplib::Response& response) {
    long long id = 0;
    const std::string number = request.matches[1];
    std::from_chars(number.data(), number.data() + number.size(), id);
    bool failed = false;
    const std::optional<std::string> recording = board.database.recording(id, failed);
    if (recording) {
        response.set_header("Cache-Control", "public, max-age=86400"); // an entry's recording never changes
        return response.set_content(*recording, "text/plain; charset=utf-8");
    }
    if (failed) {
        response.set_header("Retry-After", "10");
        return refuse(response, 503, "the board cannot read its games now");
    }
    refuse(response, 404, "no such game on the board");
}

void route(httplib::Server& server, Board& board, const std::string& site) {
    server.set_pre_routing_handler(
        [&](const auto& request, auto& response) { return beforeReading(board, request, response); });
    server.set_expect_100_continue_handler(beforeSending);
    server.Post("/api/games", [&](const auto& request, auto& response, const auto& content) {
        sendGame(board, request, response, content);
    });
    server.Post("/api/games", [&](const auto& request, auto& response) { // sent with no body at all
        judgeAndKeep(board, request.get_param_value("name"), "", response);
    });
    server.Get("/api/board",
               [&](const auto& request, auto& response) { readTables(board, request, response); });
    server.Get(R"(/api/games/(\d{1,18}))",
               [&](const auto& request, auto& response) { readGame(board, request, response); });
    if (!site.empty()) {
        server.set_mount_point("/", site);
        server.set_file_extension_and_mimetype_mapping("webmanifest", "application/manifest+json");
        server.set_file_extension_and_mimetype_mapping("wasm", "application/wasm");
    }
}
