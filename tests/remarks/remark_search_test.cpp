// The one-query search of the remark store against the search it replaced, one query per row: the same row
// for every nickname, over a table of the rows that other tools may leave, in the layouts they may use.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>

#include "fake_controls.h"
#include "gbk_test_codec.h"
#include "remarks/remark_store.h"
#include "row_by_row_search.h"
#include "sqlite_test_support.h"

namespace {

// Rowids 1 to 32 make rows 1 to 32; 100 and 101 follow.
const char* const kRows =
    u8"(12, 'Alice', 'upper'), (13, 'alice', 'lower'), (6, 'dup', 'newer'), (5, 'dup', 'older'),"
    u8"(3, NULL, 'null nickname'), (8, '', 'empty nickname'),"
    u8"(1, CAST(X'C3' AS TEXT), 'lone byte'), (2, X'C3', 'lone byte, blob'),"
    u8"(4, CAST(X'C0AF' AS TEXT), 'overlong'), (7, CAST(X'EDA080' AS TEXT), 'surrogate'),"
    u8"(9, '😀', 'four bytes'), (10, CAST(X'610062' AS TEXT), 'zero byte'), (11, '한국', 'no GBK form'),"
    u8"(14, '€', 'euro'), (15, '·', 'middle dot'), (16, '・', 'katakana middle dot'),"
    u8"(17, '—', 'em dash'), (18, '―', 'horizontal bar'), (19, '～', 'full-width tilde'),"
    u8"(20, '〜', 'wave dash'), (21, 42, 'integer'), (22, '042', 'text'), (23, 0.1 + 0.2, 'real'),"
    u8"(24, 1e20, 'large real'), (25, X'E78E8BE4BA94', '王五 as a blob'), (26, '王五', '王五 as text'),"
    u8"(27, X'410042', 'odd blob'), (28, CAST(X'00D84100' AS TEXT), 'lone surrogate in UTF-16'),"
    u8"(29, 'Bob ', 'trailing blank'), (30, 'Bob', 'Bob'), (31, 'a' || char(10) || 'b', 'line break'),"
    u8"(32, 'gone', 'deleted after the refresh'), (100, 'A', 'A'), (101, '1', 'one')";

// What changes after the record set was refreshed: rows it does not know, and one that went.
const char* const kLaterChanges =
    u8"DELETE FROM 信息 WHERE rowid = 32;"
    u8"INSERT INTO 信息 (rowid, 昵称, 备注) VALUES (0, 'late', 'before all'), (200, 'Alice', 'later');";

// Where "", 王五 and "A" are found. In UTF-16 the bytes of a cast or a blob are read as UTF-16 characters
// and an odd last byte is dropped: X'C3' reads as the empty text, X'410042' as "A", and the blob of 王五's
// UTF-8 as other characters.
const struct {
    const char* what;
    const char* create;
    int emptyRow, wangWuRow, aRow;
} kLayouts[] = {
    {"the program's own table", u8"CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT);", 3, 25, 33},
    {"columns without a type, values keep their kind", u8"CREATE TABLE 信息 (昵称, 备注);", 3, 25, 33},
    {"a UTF-16 database, nicknames compared without case",
     u8"PRAGMA encoding = 'UTF-16le'; CREATE TABLE 信息 (昵称 TEXT COLLATE NOCASE, 备注 TEXT);", 1, 26, 27},
};

std::string hexOf(const Text& text) {
    std::string hex;
    char byte[4];
    for (unsigned char c : text) {
        std::snprintf(byte, sizeof byte, "%02X", c);
        hex += byte;
    }
    return hex;
}

}  // namespace

TEST(RemarkSearch, FindsTheRowThatASearchRowByRowFinds) {
    for (const auto& layout : kLayouts) {
        SCOPED_TRACE(layout.what);
        TempFolder folder;
        query(folder.remarkFile(),
              std::string(layout.create) + u8"INSERT INTO 信息 (rowid, 昵称, 备注) VALUES " + kRows + ";");
        SqliteDB database(gbkTestCodec());
        SqliteDataset dataset;
        std::vector<SqliteFieldInfo> fields;
        openRemarkStore(database, dataset, fields, folder.path());
        ASSERT_EQ(dataset.rowCount(), 34);
        query(folder.remarkFile(), kLaterChanges);

        // Every nickname that a row reads as, and some that none does.
        std::set<Text> nicknames = {"",      "ALICE", "alice ", "nobody", "a",    "ab",  "42", "0.3",
                                    "1e+20", "\x81",  "王五",   "late",   "gone", "Bob", "A",  "1"};
        for (int row = 1; row <= dataset.rowCount(); ++row) {
            dataset.goTo(row);
            if (const std::optional<Text> stored = dataset.readValue(kNicknameColumn))
                nicknames.insert(*stored);
        }
        for (const Text& nickname : nicknames) {
            const int expected = findRowOneByOne(dataset, kNicknameColumn, nickname);
            dataset.goTo(0);
            EXPECT_EQ(dataset.findRow(kNicknameColumn, nickname), expected) << "nickname " << hexOf(nickname);
            EXPECT_EQ(dataset.currentRow(), 0) << "findRow leaves the current row alone";
            EXPECT_EQ(findRemarkRow(dataset, nickname), expected) << "nickname " << hexOf(nickname);
            EXPECT_EQ(dataset.currentRow(), expected) << "the row found is current, for edit and readText";
        }

        // Rows the search must find, in every layout.
        const struct {
            Text nickname;
            int row;
        } pinned[] = {{"dup", 5},
                      {"", layout.emptyRow},
                      {"Alice", 12},
                      {"alice", 13},
                      {"Bob", 30},
                      {"42", 21},
                      {"1", 34},
                      {"王五", layout.wangWuRow},
                      {"A", layout.aRow},
                      {"late", 0},
                      {"gone", 0},
                      {"nobody", 0}};
        for (const auto& c : pinned)
            EXPECT_EQ(dataset.findRow(kNicknameColumn, c.nickname), c.row) << c.nickname;
        // The real 0.1 + 0.2 as SQLite writes it ("0.3" or "0.30000000000000004", by version), which a
        // plain comparison with the column would turn back into a number that is not the one stored.
        dataset.goTo(23);
        EXPECT_EQ(dataset.findRow(kNicknameColumn, dataset.readText(kNicknameColumn)), 23);
        closeRemarkStore(dataset, database);
    }
}

TEST(RemarkSearch, LookupAndSaveUseTheRowFound) {
    TempFolder folder;
    query(folder.remarkFile(),
          std::string(kLayouts[0].create) + u8"INSERT INTO 信息 (rowid, 昵称, 备注) VALUES " + kRows + ";");
    SqliteDB database(gbkTestCodec());
    SqliteDataset dataset;
    std::vector<SqliteFieldInfo> fields;
    openRemarkStore(database, dataset, fields, folder.path());
    FakeField nicknameBox("王五"), remarkBox;
    lookupRemark(dataset, nicknameBox, remarkBox);
    EXPECT_EQ(remarkBox.text(), "王五 as a blob");

    nicknameBox.setText("dup");
    remarkBox.setText("changed");
    LoggingLabel status;
    saveRemark(dataset, nicknameBox, remarkBox, status, [](unsigned) {});
    EXPECT_EQ(query(folder.remarkFile(), u8"SELECT rowid, 备注 FROM 信息 WHERE 昵称 = 'dup' ORDER BY rowid;"),
              "5|changed\n6|newer\n");
}
