#include "remarks/sqlite_dataset.h"

#include <sqlite3.h>

#include <algorithm>

#include "remarks/sqlite_statement.h"
#include "remarks/utf8_check.h"

namespace {

// Column names compare as SQLite compares them: A-Z equal a-z, every other byte exactly. Compared in
// UTF-8, where no byte of a non-ASCII character lies in the ASCII range.
bool sameColumnName(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

bool SqliteDataset::open(const Text& tableName, SqliteDB& database) {
    close();
    if (tableName.empty() || tableName.size() > kMaxTableNameBytes) return false;
    const std::optional<std::string> utf8Name = database.codec().toUtf8(tableName);
    if (!utf8Name) return false;
    database_ = &database;
    tableName_ = *utf8Name;
    mode_ = Mode::browse;
    if (!requery()) {
        close();
        return false;
    }
    return true;
}

void SqliteDataset::close() {
    database_ = nullptr;
    tableName_.clear();
    columnNames_.clear();
    rowids_.clear();
    pendingValues_.clear();
    currentRow_ = 0;
    mode_ = Mode::browse;
}

bool SqliteDataset::requery() {
    clearPendingValues();
    if (database_ == nullptr) return false;
    sqlite3* connection = database_->connection();

    SqliteStatement columnQuery = prepareStatement(connection, "SELECT * FROM " + tableName_ + " LIMIT 0");
    if (!columnQuery || sqlite3_step(columnQuery.get()) != SQLITE_DONE) return false;
    std::vector<std::string> columnNames;
    for (int i = 0; i < sqlite3_column_count(columnQuery.get()); ++i) {
        const char* name = sqlite3_column_name(columnQuery.get(), i);
        if (name == nullptr) return false;
        columnNames.emplace_back(name);
    }

    SqliteStatement rowidQuery =
        prepareStatement(connection, "SELECT _ROWID_ FROM " + tableName_ + " ORDER BY _ROWID_ ");
    if (!rowidQuery) return false;
    std::vector<std::int64_t> rowids;
    int step;
    while ((step = sqlite3_step(rowidQuery.get())) == SQLITE_ROW) {
        rowids.push_back(sqlite3_column_int64(rowidQuery.get(), 0));
    }
    if (step != SQLITE_DONE) return false;

    columnNames_ = std::move(columnNames);
    rowids_ = std::move(rowids);
    clearPendingValues();
    return true;
}

bool SqliteDataset::goTo(int row) {
    if (row >= 1 && row <= rowCount()) {
        currentRow_ = row;
        return true;
    }
    currentRow_ = row <= 0 ? 0 : rowCount() + 1;
    return false;
}

std::optional<std::size_t> SqliteDataset::columnIndex(const Text& column) const {
    if (database_ == nullptr) return std::nullopt;
    const std::optional<std::string> utf8Column = database_->codec().toUtf8(column);
    if (!utf8Column) return std::nullopt;
    for (std::size_t i = 0; i < columnNames_.size(); ++i) {
        if (sameColumnName(columnNames_[i], *utf8Column)) return i;
    }
    return std::nullopt;
}

std::optional<Text> SqliteDataset::readValue(const Text& column) const {
    const std::optional<std::size_t> index = columnIndex(column);
    if (!index || !hasCurrentRow()) return std::nullopt;
    SqliteStatement query = prepareStatement(database_->connection(),
                                             "SELECT " + columnNames_[*index] + " FROM " + tableName_ +
                                                 " WHERE _ROWID_ = " + std::to_string(currentRowid()) + " ");
    if (!query || sqlite3_step(query.get()) != SQLITE_ROW) return std::nullopt;
    return decodedValue(query.get(), 0);
}

std::optional<Text> SqliteDataset::decodedValue(sqlite3_stmt* statement, int index) const {
    if (sqlite3_column_type(statement, index) == SQLITE_NULL) return Text();
    const unsigned char* bytes = sqlite3_column_text(statement, index);
    if (bytes == nullptr) return std::nullopt;
    const std::string utf8(reinterpret_cast<const char*>(bytes),
                           static_cast<std::size_t>(sqlite3_column_bytes(statement, index)));
    if (!isAcceptedUtf8(utf8)) return std::nullopt;
    return database_->codec().fromUtf8(utf8);
}

int SqliteDataset::findRow(const Text& column, const Text& value) const {
    const std::optional<std::size_t> index = columnIndex(column);
    if (!index || rowids_.empty()) return 0;
    // A Text without a UTF-8 form is what no stored value reads as.
    const std::optional<std::string> utf8Value = database_->codec().toUtf8(value);
    if (!utf8Value) return 0;
    // CAST gives the bytes that readValue gets, whatever the storage class (numbers as their text, a blob's
    // bytes as they are); COLLATE BINARY compares those bytes even where the column names a collation of
    // its own. NULL reads as the empty text.
    const std::string& name = columnNames_[*index];
    std::string sql = "SELECT _ROWID_, " + name + " FROM " + tableName_ + " WHERE CAST(" + name +
                      " AS TEXT) = ? COLLATE BINARY ";
    if (utf8Value->empty()) sql += "OR " + name + " IS NULL ";
    sql += "ORDER BY _ROWID_ ";
    SqliteStatement query = prepareStatement(database_->connection(), sql);
    if (!query || !bindText(query.get(), 1, *utf8Value)) return 0;
    while (sqlite3_step(query.get()) == SQLITE_ROW) {
        // Rows added since the last refresh are not the record set's rows.
        const auto found =
            std::lower_bound(rowids_.begin(), rowids_.end(), sqlite3_column_int64(query.get(), 0));
        if (found == rowids_.end() || *found != sqlite3_column_int64(query.get(), 0)) continue;
        if (decodedValue(query.get(), 1) == value) return static_cast<int>(found - rowids_.begin()) + 1;
    }
    return 0;
}

bool SqliteDataset::edit() {
    if (!isOpen() || !hasCurrentRow()) return false;
    clearPendingValues();
    mode_ = Mode::edit;
    return true;
}

bool SqliteDataset::addNew() {
    if (!isOpen()) return false;
    clearPendingValues();
    mode_ = Mode::insert;
    return true;
}

bool SqliteDataset::setText(const Text& column, const Text& value) {
    const std::optional<std::size_t> index = columnIndex(column);
    if (!index) return false;
    pendingValues_[*index] = value;
    return true;
}

bool SqliteDataset::post() {
    if (mode_ == Mode::browse || database_ == nullptr || !database_->isOpen() || columnNames_.empty())
        return false;
    if (mode_ == Mode::edit && !hasCurrentRow()) return false;

    std::vector<std::string> names;
    std::vector<std::string> values;
    for (std::size_t i = 0; i < columnNames_.size(); ++i) {
        if (!pendingValues_[i]) continue;
        const std::optional<std::string> utf8Value = database_->codec().toUtf8(*pendingValues_[i]);
        if (!utf8Value) return false;
        names.push_back(columnNames_[i]);
        values.push_back(*utf8Value);
    }
    if (names.empty()) return false;

    std::string sql;
    if (mode_ == Mode::edit) {
        sql = "UPDATE " + tableName_ + " SET ";
        for (std::size_t i = 0; i < names.size(); ++i) sql += (i ? "," : "") + names[i] + "=?";
        sql += " WHERE _ROWID_=" + std::to_string(currentRowid());
    } else {
        std::string placeholders;
        sql = "INSERT INTO " + tableName_ + " (";
        for (std::size_t i = 0; i < names.size(); ++i) {
            sql += (i ? "," : "") + names[i];
            placeholders += i ? ",?" : "?";
        }
        sql += ") VALUES (" + placeholders + ")";
    }

    sqlite3* connection = database_->connection();
    SqliteStatement statement = prepareStatement(connection, sql);
    if (!statement) return false;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!bindText(statement.get(), static_cast<int>(i) + 1, values[i])) return false;
    }
    if (sqlite3_step(statement.get()) != SQLITE_DONE) return false;
    // An update of a row that another program deleted since the last refresh changes nothing: no save.
    if (mode_ == Mode::edit && sqlite3_changes(connection) == 0) return false;

    mode_ = Mode::browse;
    requery();
    return true;
}
