#include "board/database.h"

#include "board/postgres_database.h"
#include "board/sqlite_database.h"

namespace {

bool postgres(const std::string& address) {
    return address.starts_with("postgresql://") || address.starts_with("postgres://");
}

} // namespace

std::string shownAddress(const std::string& address) {
    if (!postgres(address)) {
        return address;
    }
    std::string shown = address.substr(0, address.find('?'));
    const std::size_t at = shown.find('@');
    return at == std::string::npos ? shown : "postgresql://" + shown.substr(at + 1);
}

std::variant<std::unique_ptr<Database>, std::string> openDatabase(const std::string& address) {
    return postgres(address) ? openPostgres(address) : openSqlite(address);
}
