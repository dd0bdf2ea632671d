#include "board/schema.h"

#include "board/database.h"

namespace {

// The one difference of naming: PostgreSQL keeps the board in a schema of its
// own within whatever database it is given.
std::string table(const char* name, Dialect dialect) {
    return (dialect == Dialect::Postgres ? "gorvath_board." : "") + std::string(name);
}

} // namespace

std::string schemaStep(int version, Dialect dialect) {
    const std::string games = table("games", dialect), recordings = table("recordings", dialect);
    const std::string schema = table("board_schema", dialect);
    const bool postgres = dialect == Dialect::Postgres;
    std::string sql;
    if (version == 0) {
        sql = std::string(postgres ? "CREATE SCHEMA IF NOT EXISTS gorvath_board; " : "") + "CREATE TABLE " +
              schema + " (version integer NOT NULL); INSERT INTO " + schema +
              " (version) VALUES (0); CREATE TABLE " + games + " (id " +
              (postgres ? "bigserial PRIMARY KEY" : "INTEGER PRIMARY KEY") +
              ", mode integer NOT NULL, steps bigint NOT NULL, name text NOT NULL, kept_at text NOT NULL, "
              "identity text NOT NULL UNIQUE, recording text NOT NULL); ";
    } else if (version == 1) {
        sql = "CREATE TABLE " + recordings + " (game bigint PRIMARY KEY REFERENCES " + games +
              " (id), text text NOT NULL); INSERT INTO " + recordings +
              " (game, text) SELECT id, recording FROM " + games + "; ALTER TABLE " + games +
              " DROP COLUMN recording; CREATE INDEX games_in_order ON " + games + " (mode, steps, id); ";
    }
    return sql + "UPDATE " + schema + " SET version = " + std::to_string(version + 1);
}

std::string placeQuery(Dialect dialect) {
    const bool postgres = dialect == Dialect::Postgres;
    return "SELECT 1 + count(*) FROM " + table("games", dialect) +
           " WHERE mode = " + (postgres ? "$1" : "?1") + " AND (steps, id) < (" +
           (postgres ? "$2, $3" : "?2, ?3") + ")";
}

std::string newerSchema(const std::string& where, int version) {
    return where + ": a newer board's database (its schema is version " + std::to_string(version) +
           "; this board knows versions 1 to " + std::to_string(schemaVersion) + "), left as it is";
}
