// The board in PostgreSQL, in a schema of its own (gorvath_board) within the
// database the address names: any number of board processes, on any number
// of machines, serve one board from it, each keeping nothing of its own. A
// game answered for is committed; one the board already holds (kept by any of
// them) stays the first sent.
#pragma once

#include "board/database.h"

std::variant<std::unique_ptr<Database>, std::string> openPostgres(const std::string& address);
