// The board's routes, a function each, and what they share:
//
//   POST /api/games?name=NAME   a won game's recording, sent to be kept under the name
//   GET  /api/board[?top=N]     each mode's top (ten, or N up to 100), as JSON
//   GET  /api/games/ID          an entry's recording, to watch (--replay)
//
// Answers are JSON (but a recording's, its text): a kept game's place, mode,
// time, steps and id (201); or "refused", the one line that says why: 413 too
// large, 422 not a won game alone or a name not taken, 409 a game the board
// holds already (with that entry's place and id), 429 too many sends from one
// address (with Retry-After), 503 the board cannot keep or read games now.
#pragma once

#include "board/commits.h"
#include "board/rate_limit.h"
#include "board/tables.h"

#include <httplib.h>

struct Board {
    Database& database;
    Commits& commits;
    Tables& tables;
    RateLimit& sends;
    bool trustProxy = false; // the address a reverse proxy names in X-Forwarded-For is the sender's
};

// Before a sent game's body is read: one larger than any won game's is
// refused, and so is one from an address past its rate. Handled, or not.
httplib::Server::HandlerResponse beforeReading(Board& board, const httplib::Request& request,
                                               httplib::Response& response);
// A client that asks first whether to send its body is told whether it is too large.
int beforeSending(const httplib::Request& request, httplib::Response& response);

void sendGame(Board& board, const httplib::Request& request, httplib::Response& response,
              const httplib::ContentReader& content);
void readTables(Board& board, const httplib::Request& request, httplib::Response& response);
void readGame(Board& board, const httplib::Request& request, httplib::Response& response);

// Every route on the server; and the site, if given, served from the same origin.
void route(httplib::Server& server, Board& board, const std::string& site);
