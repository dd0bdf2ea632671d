// The board in SQLite: one file, for a board on one machine. Every game is
// on the disk when keep() returns (a write-ahead log, synced in full at each
// commit); a file that is not a board's, or a newer board's, is never touched.
#pragma once

#include "board/database.h"

std::variant<std::unique_ptr<Database>, std::string> openSqlite(const std::string& path);
