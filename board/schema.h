// The board's schema, step by step, in both databases' words: version 1 kept
// each game with its recording in one table; version 2 keeps the recordings
// in a table of their own, so that reading the tables reads only the games,
// and orders them by an index. A board makes a new database by the same
// steps it upgrades an old one with.
//
//   games:      id, mode (0 S, 1 A), steps, name, kept_at (UTC), identity (its
//               recording's SHA-256: one entry a game, the first sent)
//   recordings: game (an entry's id), text
#pragma once

#include <string>

enum class Dialect { Sqlite, Postgres };

// The statements that take a database from `version` to the next, the
// version kept in the database included: run in one transaction.
std::string schemaStep(int version, Dialect dialect);

// The place in its mode of the entry whose mode, steps and id are bound to
// the first three parameters: one more than the entries faster than it, or as
// fast and kept before it (counted along the index, as it is ordered).
std::string placeQuery(Dialect dialect);

// What is said of a database a newer board has made.
std::string newerSchema(const std::string& where, int version);
