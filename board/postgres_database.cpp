#include "board/postgres_database.h"

#include "bests/keeper.h"
#include "board/schema.h"

#include <libpq-fe.h>

#include <mutex>

namespace {

// One result, cleared once done with.
class Result {
  public:
    explicit Result(PGresult* r) : r_(r) {}
    ~Result() { PQclear(r_); }
    Result(const Result&) = delete;
    Result& operator=(const Result&) = delete;
    bool ok() const {
        const ExecStatusType s = PQresultStatus(r_);
        return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK;
    }
    int rows() const { return PQntuples(r_); }
    std::string text(int row, int column) const { return PQgetvalue(r_, row, column); }
    long long number(int row, int column) const { return std::stoll(text(row, column)); }
    // Its error's first line.
    std::string error() const {
        const std::string message = PQresultErrorMessage(r_);
        return message.substr(0, message.find('\n'));
    }
    // Why a game was not kept, as the sender is told: a full disk (insufficient resources, SQLSTATE 53), or
    // anything else the server said.
    std::string whyNotKept() const {
        const char* state = PQresultErrorField(r_, PG_DIAG_SQLSTATE);
        return state && std::string(state, 2) == "53"
                   ? "the board's disk is full: the game was not kept"
                   : "the board cannot keep games now (PostgreSQL: " + error() + ")";
    }

  private:
    PGresult* r_;
};

// The board's statements, prepared on each connection by name.
constexpr std::pair<const char*, const char*> statements[] = {
    {"insert",
     "INSERT INTO gorvath_board.games (mode, steps, name, kept_at, identity) VALUES ($1, $2, $3, $4, $5) "
     "ON CONFLICT (identity) DO NOTHING RETURNING id"},
    {"recording insert", "INSERT INTO gorvath_board.recordings (game, text) VALUES ($1, $2)"},
    {"held", "SELECT id, mode, steps FROM gorvath_board.games WHERE identity = $1"},
    {"top",
     "SELECT id, name, steps, kept_at FROM gorvath_board.games WHERE mode = $1 ORDER BY steps, id LIMIT $2"},
    {"recording", "SELECT text FROM gorvath_board.recordings WHERE game = $1"},
};

// A connection, its statements prepared as they are first needed (once the
// schema is there): made again, and they with it, once the server is back.
class Connection {
  public:
    explicit Connection(const std::string& address) : conn_(PQconnectdb(address.c_str())) {}
    ~Connection() { PQfinish(conn_); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool ok() const { return PQstatus(conn_) == CONNECTION_OK; }
    std::string error() const {
        const std::string message = PQerrorMessage(conn_);
        return message.substr(0, message.find('\n'));
    }
    // A connection lost (the server restarted, say) made again, its statements with it.
    void mend() {
        if (!ok()) {
            PQreset(conn_);
            prepared_ = false;
        }
        if (!prepared_ && ok()) {
            for (const auto& [name, sql] : statements) {
                Result(PQprepare(conn_, name, sql, 0, nullptr));
            }
            Result(PQprepare(conn_, "place", placeQuery(Dialect::Postgres).c_str(), 0, nullptr));
            prepared_ = true;
        }
    }

    Result run(const std::string& sql) { return Result(PQexec(conn_, sql.c_str())); }
    Result run(const char* statement, std::initializer_list<std::string> values) {
        mend();
        std::vector<const char*> texts;
        for (const std::string& value : values) {
            texts.push_back(value.c_str());
        }
        return Result(PQexecPrepared(conn_, statement, static_cast<int>(texts.size()), texts.data(), nullptr,
                                     nullptr, 0));
    }

  private:
    PGconn* conn_;
    bool prepared_ = false;
};

class PostgresDatabase : public Database {
  public:
    explicit PostgresDatabase(const std::string& address) : writing_(address), reading_(address) {}
    bool ok() const { return writing_.ok() && reading_.ok(); }
    std::string error() const { return writing_.ok() ? reading_.error() : writing_.error(); }

    std::vector<Kept> keep(const std::vector<Entry>& games) override {
        std::vector<Kept> kept;
        const std::string date = dateNowUtc();
        writing_.mend();
        const Result begun = writing_.run("BEGIN");
        std::string why = begun.ok() ? "" : begun.whyNotKept();
        for (std::size_t i = 0; why.empty() && i < games.size(); ++i) {
            why = keepOne(games[i], date, kept.emplace_back());
        }
        if (why.empty()) {
            const Result commit = writing_.run("COMMIT");
            why = commit.ok() ? "" : commit.whyNotKept();
        }
        if (!why.empty()) {
            writing_.run("ROLLBACK");
            kept.assign(games.size(), Kept{Kept::NotKept, 0, 0, why});
        }
        return kept;
    }

    std::optional<std::vector<Row>> top(int mode, int count) override {
        const std::lock_guard lock(readingLock_);
        const Result r = reading_.run("top", {std::to_string(mode), std::to_string(count)});
        if (!r.ok()) {
            return std::nullopt;
        }
        std::vector<Row> rows;
        for (int i = 0; i < r.rows(); ++i) {
            rows.push_back({r.number(i, 0), i + 1, r.text(i, 1), r.number(i, 2), r.text(i, 3)});
        }
        return rows;
    }

    std::optional<std::string> recording(long long id, bool& failed) override {
        const std::lock_guard lock(readingLock_);
        const Result r = reading_.run("recording", {std::to_string(id)});
        failed = !r.ok();
        return r.ok() && r.rows() == 1 ? std::optional(r.text(0, 0)) : std::nullopt;
    }

  private:
    // Keeps one game in the transaction begun: "", or why it could not be.
    std::string keepOne(const Entry& game, const std::string& date, Kept& kept) {
        const Result inserted = writing_.run("insert", {std::to_string(game.mode), std::to_string(game.steps),
                                                        game.name, date, game.identity});
        if (!inserted.ok()) {
            return inserted.whyNotKept();
        }
        kept.outcome = inserted.rows() == 1 ? Kept::Placed : Kept::AlreadyHeld;
        long long mode = game.mode, steps = game.steps;
        if (kept.outcome == Kept::Placed) {
            kept.id = inserted.number(0, 0);
            if (const Result r = writing_.run("recording insert", {std::to_string(kept.id), game.recording});
                !r.ok()) {
                return r.whyNotKept();
            }
        } else { // the same game, kept before: by this process or any other
            const Result held = writing_.run("held", {game.identity});
            if (!held.ok() || held.rows() != 1) {
                return held.whyNotKept();
            }
            kept.id = held.number(0, 0), mode = held.number(0, 1), steps = held.number(0, 2);
        }
        const Result place =
            writing_.run("place", {std::to_string(mode), std::to_string(steps), std::to_string(kept.id)});
        if (!place.ok() || place.rows() != 1) {
            return place.whyNotKept();
        }
        kept.place = static_cast<int>(place.number(0, 0));
        return "";
    }

    Connection writing_, reading_;
    std::mutex readingLock_;
};

} // namespace

std::variant<std::unique_ptr<Database>, std::string> openPostgres(const std::string& address) {
    const std::string shown = shownAddress(address);
    Connection setup(address);
    if (!setup.ok()) {
        return shown + ": cannot be reached (" + setup.error() + ")";
    }
    // Made or upgraded in one transaction, one board at a time however many start at once.
    const auto failed = [&](const Result& r) {
        setup.run("ROLLBACK");
        return std::variant<std::unique_ptr<Database>, std::string>(
            shown + ": the board's schema could not be read, made or upgraded (" + r.error() + ")");
    };
    if (Result r = setup.run("BEGIN; SELECT pg_advisory_xact_lock(7041970)"); !r.ok()) {
        return failed(r);
    }
    const Result found = setup.run("SELECT to_regnamespace('gorvath_board') IS NOT NULL, "
                                   "to_regclass('gorvath_board.board_schema') IS NOT NULL");
    if (!found.ok()) {
        return failed(found);
    }
    int version = 0;
    if (found.text(0, 1) == "t") {
        const Result v = setup.run("SELECT version FROM gorvath_board.board_schema");
        if (!v.ok() || v.rows() != 1) {
            return failed(v);
        }
        version = static_cast<int>(v.number(0, 0));
    } else if (found.text(0, 0) == "t") {
        setup.run("ROLLBACK");
        return shown + ": its schema gorvath_board is another program's, not a board's (it has no version)";
    }
    if (version > schemaVersion) {
        setup.run("ROLLBACK");
        return newerSchema(shown, version);
    }
    for (; version < schemaVersion; ++version) {
        if (Result r = setup.run(schemaStep(version, Dialect::Postgres)); !r.ok()) {
            return failed(r);
        }
    }
    if (Result r = setup.run("COMMIT"); !r.ok()) {
        return failed(r);
    }
    auto database = std::make_unique<PostgresDatabase>(address);
    if (!database->ok()) {
        return shown + ": cannot be reached (" + database->error() + ")";
    }
    return std::unique_ptr<Database>(std::move(database));
}
