#include "remarks/remark_store.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "fake_controls.h"
#include "gbk_test_codec.h"
#include "sqlite_test_support.h"

namespace {

using Log = std::vector<std::string>;
const Log kSaved = {"show", "text 已保存", "wait 300", "hide"};
const Log kFailed = {"text 保存失败", "show", "wait 300", "hide"};

class RemarkStoreTest : public testing::Test {
protected:
    void open() { openRemarkStore(database, dataset, fields, folder.path()); }

    // The remark box after the nickname box changed to `name`; `before` is what the remark box held.
    Text lookUp(const Text& name, const Text& before = "previous") {
        nicknameBox.setText(name);
        remarkBox.setText(before);
        lookupRemark(dataset, nicknameBox, remarkBox);
        return remarkBox.text();
    }

    // What the status label went through during a save of `remark` for `name`.
    Log save(const Text& name, const Text& remark) {
        nicknameBox.setText(name);
        remarkBox.setText(remark);
        LoggingLabel status;
        waitLog = &status.log;
        saveRemark(dataset, nicknameBox, remarkBox, status, loggedWait);
        waitLog = nullptr;
        return status.log;
    }

    std::string rows() {
        return query(folder.remarkFile(), u8"SELECT rowid, 昵称, 备注 FROM 信息 ORDER BY rowid;");
    }
    void fill(const std::string& values) {
        query(folder.remarkFile(), u8"INSERT INTO 信息 (rowid, 昵称, 备注) VALUES " + values + ";");
    }
    void createTable() { query(folder.remarkFile(), u8"CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT);"); }

    TempFolder folder;
    SqliteDB database{gbkTestCodec()};
    SqliteDataset dataset;
    std::vector<SqliteFieldInfo> fields = std::vector<SqliteFieldInfo>(2);
    FakeField nicknameBox;
    FakeField remarkBox;
};

}  // namespace

TEST_F(RemarkStoreTest, FirstStartCreatesTheFileWithItsTable) {
    ASSERT_FALSE(fileExists(folder.remarkFile()));
    open();
    EXPECT_TRUE(fileExists(folder.remarkFile()));
    EXPECT_TRUE(dataset.isOpen());
    EXPECT_EQ(dataset.rowCount(), 0);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[0].name, "昵称");
    EXPECT_EQ(fields[1].name, "备注");
    for (const SqliteFieldInfo& field : fields) {
        EXPECT_EQ(field.type, 10);
        EXPECT_EQ(field.size, 0);
    }
    const std::string schema = u8"table|信息|CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT)\n";
    EXPECT_EQ(query(folder.remarkFile(), "SELECT type, name, sql FROM sqlite_master;"), schema);

    // The next start finds the table and opens it as it is.
    fill("(1, 'a', 'b')");
    closeRemarkStore(dataset, database);
    EXPECT_FALSE(dataset.isOpen());
    EXPECT_FALSE(database.isOpen());
    open();
    EXPECT_EQ(dataset.rowCount(), 1);
    EXPECT_EQ(query(folder.remarkFile(), "SELECT type, name, sql FROM sqlite_master;"), schema);
}

TEST_F(RemarkStoreTest, AnEmptyTableKeepsTheRemarkBoxAndTheFirstSaveInserts) {
    open();
    EXPECT_EQ(lookUp("Alice", "typed"), "typed");
    EXPECT_EQ(save("Alice", "school friend"), kSaved);
    EXPECT_EQ(rows(), "1|Alice|school friend\n");
    EXPECT_EQ(lookUp("Alice"), "school friend");
    EXPECT_EQ(lookUp("Bob"), "") << "no match in a non-empty table empties the box";
}

TEST_F(RemarkStoreTest, LookupShowsTheFirstRowWithExactlyThatNickname) {
    createTable();
    fill(
        u8"(1, CAST(X'C3' AS TEXT), '坏昵称'), (2, CAST(X'F09F9880' AS TEXT), '表情昵称'),"
        u8"(3, 'Alice', 'upper'), (4, 'alice', 'lower'),"
        u8"(6, 'dup', 'newer'), (5, 'dup', 'older'),"
        u8"(7, '', 'empty nickname'), (8, NULL, 'null nickname'),"
        u8"(9, '多行', 'line1' || char(13, 10) || 'line2' || char(10) || 'line3'),"
        u8"(10, 'bad remark', CAST(X'C3' AS TEXT)), (11, 'emoji remark', CAST(X'F09F9880' AS TEXT)),"
        u8"(12, 'null remark', NULL), (13, '韩文', '한국'), (14, '中文', '老同学（大学）')");
    open();
    const struct {
        Text nickname;
        Text remark;
    } cases[] = {
        {"Alice", "upper"},
        {"alice", "lower"},
        {"ALICE", ""},           // letter case tells nicknames apart
        {"dup", "older"},        // the smaller rowid, not the row inserted first
        {"", "empty nickname"},  // unreadable nicknames before it match nothing
        {"多行", "line1\r\nline2\nline3"},
        {"bad remark", ""},
        {"emoji remark", ""},
        {"null remark", ""},
        {"韩文", ""},  // no GBK form
        {"中文", "老同学（大学）"},
        {"nobody", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(lookUp(c.nickname), c.remark) << c.nickname;
}

TEST_F(RemarkStoreTest, SaveUpdatesTheFirstOfDuplicateRowsOnly) {
    createTable();
    fill("(6, 'dup', 'newer'), (5, 'dup', 'older'), (7, CAST(X'C3' AS TEXT), 'unreadable')");
    open();
    EXPECT_EQ(save("dup", "changed"), kSaved);
    EXPECT_EQ(save("", "empty nickname"), kSaved) << "inserts: an unreadable nickname is not the empty one";
    EXPECT_EQ(query(folder.remarkFile(), u8"SELECT rowid, hex(昵称), 备注 FROM 信息 ORDER BY rowid;"),
              "5|647570|changed\n6|647570|newer\n7|C3|unreadable\n8||empty nickname\n");
}

TEST_F(RemarkStoreTest, EmptyTextsAreStoredAsTextNotNull) {
    open();
    EXPECT_EQ(save("", ""), kSaved);
    EXPECT_EQ(query(folder.remarkFile(),
                    u8"SELECT typeof(昵称), typeof(备注), length(昵称), length(备注) FROM 信息;"),
              "text|text|0|0\n");
    EXPECT_EQ(lookUp("", "junk"), "");
    EXPECT_EQ(save("", "now with text"), kSaved);
    EXPECT_EQ(rows(), "1||now with text\n");
    EXPECT_EQ(lookUp(""), "now with text");
}

TEST_F(RemarkStoreTest, LineBreaksAndLetterCaseAreKeptAsTyped) {
    open();
    EXPECT_EQ(save("Bob", "a\r\nb\n"), kSaved);
    EXPECT_EQ(save("bob", "中文备注"), kSaved);
    EXPECT_EQ(save("Bob", "a\r\nb\nc"), kSaved) << "the second save of a name updates its row";
    EXPECT_EQ(query(folder.remarkFile(), u8"SELECT rowid, 昵称, hex(备注) FROM 信息 ORDER BY rowid;"),
              "1|Bob|610D0A620A63\n2|bob|E4B8ADE69687E5A487E6B3A8\n");
    EXPECT_EQ(lookUp("Bob"), "a\r\nb\nc");
    EXPECT_EQ(lookUp("bob"), "中文备注");
}

TEST_F(RemarkStoreTest, StatementsAreTheDocumentedOnes) {
    createTable();
    fill("(1, 'Alice', 'x')");
    open();
    std::vector<std::string> statements;
    sqlite3_trace_v2(
        database.connection(), SQLITE_TRACE_STMT,
        [](unsigned, void* log, void*, void* sql) {
            static_cast<std::vector<std::string>*>(log)->push_back(static_cast<const char*>(sql));
            return 0;
        },
        &statements);
    lookUp("Bob");
    save("Bob", "first");
    save("Bob", "second");
    lookUp("Alice");
    lookUp("");
    const std::string search =
        u8"SELECT _ROWID_, 昵称 FROM 信息 WHERE CAST(昵称 AS TEXT) = ? COLLATE BINARY ORDER BY _ROWID_ ";
    const std::string searchEmpty =
        u8"SELECT _ROWID_, 昵称 FROM 信息 WHERE CAST(昵称 AS TEXT) = ? COLLATE "
        u8"BINARY OR 昵称 IS NULL ORDER BY _ROWID_ ";
    const std::string columns = u8"SELECT * FROM 信息 LIMIT 0";
    const std::string rowids = u8"SELECT _ROWID_ FROM 信息 ORDER BY _ROWID_ ";
    // Each lookup and save starts with a refresh of the record set.
    const std::vector<std::string> expected = {
        columns, rowids, search,  // lookup
        columns, rowids, search,      u8"INSERT INTO 信息 (昵称,备注) VALUES (?,?)",
        columns, rowids, columns,     rowids,
        columns, rowids, search,      u8"UPDATE 信息 SET 昵称=?,备注=? WHERE _ROWID_=2",
        columns, rowids, columns,     rowids,
        columns, rowids, search,      u8"SELECT 备注 FROM 信息 WHERE _ROWID_ = 1 ",
        columns, rowids, searchEmpty,
    };
    EXPECT_EQ(statements, expected);
}

// A second panel started beside the first works on the same file: each sees what the other saved, and
// neither hides the other's remark behind a second row of the same nickname.
TEST_F(RemarkStoreTest, TwoPanelsOnOneFileSeeEachOthersSaves) {
    open();
    SqliteDB otherDatabase(gbkTestCodec());
    SqliteDataset otherDataset;
    openRemarkStore(otherDatabase, otherDataset, fields, folder.path());
    FakeField otherNickname, otherRemark;
    LoggingLabel otherStatus;

    EXPECT_EQ(save("王五", "from the first"), kSaved);
    otherNickname.setText("王五");
    otherRemark.setText("typed before");
    lookupRemark(otherDataset, otherNickname, otherRemark);
    EXPECT_EQ(otherRemark.text(), "from the first") << "the second panel shows what the first saved";

    otherRemark.setText("from the second");
    saveRemark(otherDataset, otherNickname, otherRemark, otherStatus, loggedWait);
    EXPECT_EQ(rows(), u8"1|王五|from the second\n") << "the save updates the row, adding none";
    EXPECT_EQ(lookUp("王五"), "from the second") << "and the first panel shows it";
    closeRemarkStore(otherDataset, otherDatabase);
}

TEST_F(RemarkStoreTest, ASaveMeetingAnotherProgramsLockFailsAndChangesNothing) {
    createTable();
    fill("(1, 'Alice', 'kept')");
    open();
    for (const char* begin : {"BEGIN IMMEDIATE", "BEGIN EXCLUSIVE"}) {
        const std::string before = fileBytes(folder.remarkFile());
        {
            HeldLock lock(folder.remarkFile(), begin);
            ASSERT_TRUE(lock.held()) << begin;
            EXPECT_EQ(save("Alice", "changed"), kFailed) << begin;
            EXPECT_EQ(save("Dora", "new"), kFailed) << begin;
        }
        EXPECT_TRUE(fileBytes(folder.remarkFile()) == before) << begin;
        EXPECT_EQ(lookUp("Alice"), "kept") << "the record set survives a refresh that met the lock";
    }
    EXPECT_EQ(save("Alice", "changed"), kSaved) << "the next save tries again";
    EXPECT_EQ(rows(), "1|Alice|changed\n");
}

TEST_F(RemarkStoreTest, AReadOnlyFileIsReadButNeverWritten) {
    createTable();
    fill("(1, 'Alice', 'kept')");
    const std::string before = fileBytes(folder.remarkFile());
    {
        ReadOnlyFile readOnly(folder.remarkFile());
        open();
        EXPECT_EQ(lookUp("Alice"), "kept");
        EXPECT_EQ(save("Alice", "changed"), kFailed);
        EXPECT_EQ(save("Dora", "new"), kFailed);
        closeRemarkStore(dataset, database);
    }
    EXPECT_TRUE(fileBytes(folder.remarkFile()) == before);
}

TEST_F(RemarkStoreTest, WithoutAUsableTableEverySaveFails) {
    const struct {
        const char* what;
        std::string setUp;  // SQL, or the content of a file that is not a database
        bool sql;
    } cases[] = {
        {"not a database", std::string(5000, '#'), false},
        {"信息 is a view", u8"CREATE TABLE t (昵称, 备注); CREATE VIEW 信息 AS SELECT * FROM t;", true},
        {"信息 lacks a column", u8"CREATE TABLE 信息 (昵称 TEXT);", true},
    };
    for (const auto& c : cases) {
        TempFolder other;
        if (c.sql) {
            query(other.remarkFile(), c.setUp);
        } else {
            writeFile(other.remarkFile(), c.setUp);
        }
        const std::string before = fileBytes(other.remarkFile());
        SqliteDB otherDatabase(gbkTestCodec());
        SqliteDataset otherDataset;
        openRemarkStore(otherDatabase, otherDataset, fields, other.path());
        FakeField nickname("Alice");
        FakeField remark("typed");
        lookupRemark(otherDataset, nickname, remark);
        EXPECT_EQ(remark.text(), "typed") << c.what;
        LoggingLabel status;
        waitLog = &status.log;
        saveRemark(otherDataset, nickname, remark, status, loggedWait);
        waitLog = nullptr;
        EXPECT_EQ(status.log, kFailed) << c.what;
        closeRemarkStore(otherDataset, otherDatabase);
        EXPECT_TRUE(fileBytes(other.remarkFile()) == before) << c.what;
    }
}

TEST_F(RemarkStoreTest, AFolderThatCannotHoldTheFileLeavesEverySaveFailing) {
    openRemarkStore(database, dataset, fields, folder.path() + "/missing");
    EXPECT_FALSE(database.isOpen());
    EXPECT_EQ(lookUp("Alice", "typed"), "typed");
    EXPECT_EQ(save("Alice", "x"), kFailed);
    EXPECT_FALSE(fileExists(folder.path() + u8"/missing/微信备注.db"));
    closeRemarkStore(dataset, database);
}
