// A record set over one table of a SqliteDB: the rowids of all rows in ascending order as of the last
// refresh, a current row among them, and browse, insert or edit mode with one pending value per column.
// Every read and write is one statement prepared and stepped once; values travel as bound UTF-8 text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "remarks/sqlite_db.h"
#include "util/gbk_text.h"

struct sqlite3_stmt;

class SqliteDataset {
public:
    enum class Mode { browse, insert, edit };

    static constexpr std::size_t kMaxTableNameBytes = 1024;

    // Closes itself, then loads the column names and rowids of `tableName` in browse mode.
    // On failure the record set is closed again and the result is false. The database must outlive
    // the record set's use of it; the record set holds no SQLite resources of its own.
    bool open(const Text& tableName, SqliteDB& database);
    void close();
    // Discards the pending values and reloads column names and rowids; mode and current row stay.
    // On failure the earlier column names and rowids stay as well.
    bool requery();

    bool isOpen() const { return database_ != nullptr; }
    int rowCount() const { return static_cast<int>(rowids_.size()); }
    // 0 before the first row, rowCount() + 1 after the last.
    int currentRow() const { return currentRow_; }
    Mode mode() const { return mode_; }

    // Makes row `row` (from 1) current when it exists; otherwise moves before the first row (row <= 0)
    // or after the last, and gives false.
    bool goTo(int row);

    // The value of `column` (letter case of A-Z aside) in the current row; NULL reads as empty text.
    // Nothing when there is no such column or current row, the row has gone, or the stored value is
    // not accepted UTF-8 (utf8_check.h) or has no counterpart in the code page.
    std::optional<Text> readValue(const Text& column) const;
    // readValue, with empty text for nothing.
    Text readText(const Text& column) const { return readValue(column).value_or(Text()); }

    // The row (from 1) of the first row by rowid, among those of the last refresh, whose `column` reads
    // (readValue) as exactly `value`; 0 when there is none or no such column. The current row stays.
    // One query instead of one per row: it fetches only the rows whose stored text has the bytes of the
    // UTF-8 of `value` (and, for the empty value, the NULLs) and reads those as readValue does. That is
    // enough because the codec converts exactly: a stored value reads as a Text only when the Text
    // converts back to the very same UTF-8.
    int findRow(const Text& column, const Text& value) const;

    // Edit mode for the current row; false, changing nothing, without one.
    bool edit();
    // Insert mode; false when the record set is not open.
    bool addNew();
    // Keeps a copy of `value` as the pending value of `column`; false for a column the table lacks.
    bool setText(const Text& column, const Text& value);
    // Writes the pending values: INSERT in insert mode, UPDATE of the current row in edit mode. True
    // when the statement ran to completion (and, for an update, the row was still there); the mode then
    // returns to browse and the record set is refreshed. Otherwise mode and pending values stay.
    bool post();

private:
    std::optional<std::size_t> columnIndex(const Text& column) const;
    // The value in column `index` of the statement's current result row, read as readValue reads it.
    std::optional<Text> decodedValue(sqlite3_stmt* statement, int index) const;
    bool hasCurrentRow() const { return currentRow_ >= 1 && currentRow_ <= rowCount(); }
    std::int64_t currentRowid() const { return rowids_[static_cast<std::size_t>(currentRow_ - 1)]; }
    void clearPendingValues() { pendingValues_.assign(columnNames_.size(), std::nullopt); }

    SqliteDB* database_ = nullptr;
    std::string tableName_;                 // UTF-8, as it goes into statements
    std::vector<std::string> columnNames_;  // UTF-8, in the table's declared order
    std::vector<std::int64_t> rowids_;
    int currentRow_ = 0;
    Mode mode_ = Mode::browse;
    std::vector<std::optional<Text>> pendingValues_;
};
