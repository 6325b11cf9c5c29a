#include "remarks/sqlite_db.h"

#include <sqlite3.h>

#include "remarks/sqlite_statement.h"

SqliteDB::~SqliteDB() {
    sqlite3_close_v2(connection_);
}

bool SqliteDB::open(const Text& path, bool createIfMissing) {
    close();
    if (connection_ != nullptr) return false;
    const std::optional<std::string> utf8Path = codec_.toUtf8(path);
    if (!utf8Path || utf8Path->empty()) return false;
    const int flags = SQLITE_OPEN_READWRITE | (createIfMissing ? SQLITE_OPEN_CREATE : 0);
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(utf8Path->c_str(), &connection, flags, nullptr) != SQLITE_OK) {
        sqlite3_close(connection);  // SQLite hands out a handle even when the open fails
        return false;
    }
    connection_ = connection;
    return true;
}

bool SqliteDB::tableExists(const Text& tableName) {
    if (connection_ == nullptr || tableName.empty()) return false;
    const std::optional<std::string> utf8Name = codec_.toUtf8(tableName);
    if (!utf8Name) return false;
    // The name is a bound value compared as a whole: a quote, "%" or "_" in it is just a character.
    SqliteStatement statement = prepareStatement(
        connection_,
        "SELECT 1 FROM sqlite_master WHERE name = ?1 COLLATE NOCASE AND type IN ('table','view')");
    return statement && bindText(statement.get(), 1, *utf8Name) &&
           sqlite3_step(statement.get()) == SQLITE_ROW;
}

bool SqliteDB::createTable(const Text& tableName, const std::vector<SqliteFieldInfo>& fields) {
    if (connection_ == nullptr || tableName.empty() || fields.empty()) return false;
    Text columns;
    for (const SqliteFieldInfo& field : fields) {
        if (field.name.empty() || field.type != kSqliteTextField) return false;
        if (!columns.empty()) columns += ", ";
        columns += field.name + " TEXT";
        if (field.size > 0) columns += "(" + std::to_string(field.size) + ")";
    }
    const std::optional<std::string> sql = codec_.toUtf8("CREATE TABLE " + tableName + " (" + columns + ")");
    if (!sql) return false;
    SqliteStatement statement = prepareStatement(connection_, *sql);
    return statement && sqlite3_step(statement.get()) == SQLITE_DONE;
}

bool SqliteDB::close() {
    if (sqlite3_close(connection_) == SQLITE_BUSY) return false;
    connection_ = nullptr;
    return true;
}
