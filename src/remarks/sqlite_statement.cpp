#include "remarks/sqlite_statement.h"

#include <cstring>

SqliteStatement prepareStatement(sqlite3* connection, const std::string& utf8Sql) {
    if (connection == nullptr || utf8Sql.find('\0') != std::string::npos) return SqliteStatement();
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    sqlite3_prepare_v2(connection, utf8Sql.c_str(), static_cast<int>(utf8Sql.size()) + 1, &raw, &tail);
    SqliteStatement statement(raw);
    if (statement && tail != nullptr && tail[std::strspn(tail, " \t\r\n")] != '\0') return SqliteStatement();
    return statement;
}

bool bindText(sqlite3_stmt* statement, int index, const std::string& utf8) {
    return sqlite3_bind_text(statement, index, utf8.c_str(), static_cast<int>(utf8.size()),
                             SQLITE_TRANSIENT) == SQLITE_OK;
}
