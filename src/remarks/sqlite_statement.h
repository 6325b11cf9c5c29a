// One prepared SQLite statement, finalised when it goes out of scope. The remark store prepares each
// statement for a single use, so no statement outlives the operation that made it.
#pragma once

#include <sqlite3.h>

#include <memory>
#include <string>

struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;

// The statement for `utf8Sql` on `connection`; empty when there is no connection, SQLite rejects the
// text, or the text holds more than one statement (names spliced into it must not add a second one).
SqliteStatement prepareStatement(sqlite3* connection, const std::string& utf8Sql);

// Binds `utf8` to parameter `index` (from 1) as text; an empty string stays text, never NULL.
bool bindText(sqlite3_stmt* statement, int index, const std::string& utf8);
