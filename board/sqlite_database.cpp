#include "board/sqlite_database.h"

#include "bests/keeper.h"
#include "board/schema.h"

#include <sqlite3.h>

#include <mutex>

namespace {

// A prepared statement, reset and its values cleared once done with.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) {
        sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &s_, nullptr);
    }
    ~Statement() { sqlite3_finalize(s_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int i, long long v) { return sqlite3_bind_int64(s_, i, v), *this; }
    Statement& bind(int i, const std::string& v) {
        return sqlite3_bind_text(s_, i, v.data(), static_cast<int>(v.size()), SQLITE_TRANSIENT), *this;
    }
    // The next row: SQLITE_ROW, SQLITE_DONE, or an error code.
    int step() { return s_ ? sqlite3_step(s_) : SQLITE_ERROR; }
    long long number(int column) { return sqlite3_column_int64(s_, column); }
    std::string text(int column) {
        const auto* bytes = reinterpret_cast<const char*>(sqlite3_column_text(s_, column));
        return bytes ? std::string(bytes, static_cast<std::size_t>(sqlite3_column_bytes(s_, column))) : "";
    }
    void done() { sqlite3_reset(s_), sqlite3_clear_bindings(s_); }

  private:
    sqlite3_stmt* s_ = nullptr;
};

int run(sqlite3* db, const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
}

class SqliteDatabase : public Database {
  public:
    SqliteDatabase(sqlite3* writing, sqlite3* reading) : writing_(writing), reading_(reading) {}
    ~SqliteDatabase() override {
        sqlite3_close_v2(writing_);
        sqlite3_close_v2(reading_);
    }

    std::vector<Kept> keep(const std::vector<Entry>& games) override {
        std::vector<Kept> kept;
        int code = run(writing_, "BEGIN IMMEDIATE");
        const std::string date = dateNowUtc();
        for (std::size_t i = 0; code == SQLITE_OK && i < games.size(); ++i) {
            code = keepOne(games[i], date, kept.emplace_back());
        }
        code = code == SQLITE_OK ? run(writing_, "COMMIT") : code;
        if (code != SQLITE_OK) {
            const std::string why =
                code == SQLITE_FULL
                    ? "the board's disk is full: the game was not kept"
                    : std::string("the board cannot keep games now (SQLite: ") + sqlite3_errstr(code) + ")";
            run(writing_, "ROLLBACK");
            kept.assign(games.size(), Kept{Kept::NotKept, 0, 0, why});
        }
        return kept;
    }

    std::optional<std::vector<Row>> top(int mode, int count) override {
        const std::lock_guard lock(readingLock_);
        std::vector<Row> rows;
        top_.bind(1, mode).bind(2, count);
        int code = SQLITE_ROW;
        while ((code = top_.step()) == SQLITE_ROW) {
            rows.push_back({top_.number(0), static_cast<int>(rows.size()) + 1, top_.text(1), top_.number(2),
                            top_.text(3)});
        }
        top_.done();
        return code == SQLITE_DONE ? std::optional(rows) : std::nullopt;
    }

    std::optional<std::string> recording(long long id, bool& failed) override {
        const std::lock_guard lock(readingLock_);
        recording_.bind(1, id);
        const int code = recording_.step();
        std::optional<std::string> text;
        if (code == SQLITE_ROW) {
            text = recording_.text(0);
        }
        failed = code != SQLITE_ROW && code != SQLITE_DONE;
        recording_.done();
        return text;
    }

  private:
    int keepOne(const Entry& game, const std::string& date, Kept& kept) {
        insert_.bind(1, game.mode)
            .bind(2, game.steps)
            .bind(3, game.name)
            .bind(4, date)
            .bind(5, game.identity);
        int code = insert_.step();
        kept.outcome = code == SQLITE_ROW ? Kept::Placed : Kept::AlreadyHeld;
        kept.id = insert_.number(0);
        insert_.done();
        if (code == SQLITE_ROW) {
            code = recordingInsert_.bind(1, kept.id).bind(2, game.recording).step();
            recordingInsert_.done();
        }
        long long mode = game.mode, steps = game.steps;
        if (code == SQLITE_DONE) { // the same game, kept before
            code = held_.bind(1, game.identity).step();
            kept.id = held_.number(0), mode = held_.number(1), steps = held_.number(2);
            held_.done();
        }
        if (code != SQLITE_ROW && code != SQLITE_DONE) {
            return code;
        }
        code = place_.bind(1, mode).bind(2, steps).bind(3, kept.id).step();
        kept.place = static_cast<int>(place_.number(0));
        place_.done();
        return code == SQLITE_ROW ? SQLITE_OK : code;
    }

    sqlite3* writing_;
    sqlite3* reading_;
    std::mutex readingLock_;
    Statement insert_{writing_,
                      "INSERT INTO games (mode, steps, name, kept_at, identity) VALUES (?, ?, ?, ?, ?) "
                      "ON CONFLICT (identity) DO NOTHING RETURNING id"};
    Statement recordingInsert_{writing_, "INSERT INTO recordings (game, text) VALUES (?, ?)"};
    Statement held_{writing_, "SELECT id, mode, steps FROM games WHERE identity = ?"};
    Statement place_{writing_, placeQuery(Dialect::Sqlite).c_str()};
    Statement top_{reading_,
                   "SELECT id, name, steps, kept_at FROM games WHERE mode = ? ORDER BY steps, id LIMIT ?"};
    Statement recording_{reading_, "SELECT text FROM recordings WHERE game = ?"};
};

// A connection to the file, its every commit synced to the disk in full.
sqlite3* connect(const std::string& path, std::string& why) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        why = path + ": cannot be opened (" + (db ? sqlite3_errmsg(db) : "out of memory") + ")";
        sqlite3_close_v2(db);
        return nullptr;
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// The schema's version in the file (0 for a file with no tables at all), or
// why it is no board's at all.
std::variant<int, std::string> versionIn(sqlite3* db, const std::string& path) {
    Statement tables(db, "SELECT count(*), count(*) FILTER (WHERE name = 'board_schema') FROM sqlite_schema "
                         "WHERE type = 'table'");
    if (tables.step() != SQLITE_ROW) {
        return path + ": not a board's database (" + sqlite3_errmsg(db) + ")";
    }
    if (tables.number(0) == 0) {
        return 0;
    }
    if (tables.number(1) == 0) {
        return path + ": another program's database, not a board's (it has tables, and none of a board's)";
    }
    Statement version(db, "SELECT version FROM board_schema");
    if (version.step() != SQLITE_ROW) {
        return path + ": not a board's database (its schema has no version)";
    }
    return static_cast<int>(version.number(0));
}

} // namespace

std::variant<std::unique_ptr<Database>, std::string> openSqlite(const std::string& path) {
    std::string why;
    sqlite3* writing = connect(path, why);
    sqlite3* reading = writing ? connect(path, why) : nullptr;
    const auto fail = [&](const std::string& line) {
        sqlite3_close_v2(writing);
        sqlite3_close_v2(reading);
        return std::variant<std::unique_ptr<Database>, std::string>(line);
    };
    if (!reading) {
        return fail(why);
    }
    // Looked at before anything is written: a file that is not a board's stays as it was.
    std::variant<int, std::string> found = versionIn(writing, path);
    if (const auto* refused = std::get_if<std::string>(&found)) {
        return fail(*refused);
    }
    if (std::get<int>(found) > schemaVersion) {
        return fail(newerSchema(path, std::get<int>(found)));
    }
    const char* full = "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL";
    if (run(writing, full) != SQLITE_OK || run(reading, "PRAGMA synchronous = FULL") != SQLITE_OK) {
        return fail(path + ": cannot be written (" + sqlite3_errmsg(writing) + ")");
    }
    if (std::get<int>(found) < schemaVersion) { // made, or upgraded, in one transaction
        int code = run(writing, "BEGIN IMMEDIATE");
        found =
            code == SQLITE_OK ? versionIn(writing, path) : found; // as it stands now, with the file locked
        const int from = std::holds_alternative<int>(found) ? std::get<int>(found) : schemaVersion;
        for (int version = from; code == SQLITE_OK && version < schemaVersion; ++version) {
            code = run(writing, schemaStep(version, Dialect::Sqlite));
        }
        code = code == SQLITE_OK ? run(writing, "COMMIT") : code;
        if (code != SQLITE_OK) {
            const std::string error = sqlite3_errmsg(writing);
            run(writing, "ROLLBACK");
            return fail(path + ": its schema could not be made or upgraded (" + error + ")");
        }
    }
    return std::unique_ptr<Database>(std::make_unique<SqliteDatabase>(writing, reading));
}
