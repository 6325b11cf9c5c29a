#include "remarks/sqlite_db.h"

#include <gtest/gtest.h>

#include "gbk_test_codec.h"
#include "sqlite_test_support.h"

namespace {
const std::vector<SqliteFieldInfo> kTwoTextFields = {{"昵称", kSqliteTextField, 0},
                                                     {"备注", kSqliteTextField, 0}};
}

TEST(SqliteDB, CreatesTheFileAndTablesAsWritten) {
    TempFolder folder;
    SqliteDB database(gbkTestCodec());
    ASSERT_FALSE(fileExists(folder.remarkFile()));
    ASSERT_TRUE(database.open(folder.path() + "/微信备注.db", true));
    EXPECT_TRUE(fileExists(folder.remarkFile()));

    EXPECT_FALSE(database.tableExists("信息"));
    EXPECT_TRUE(database.createTable("信息", kTwoTextFields));
    EXPECT_TRUE(database.tableExists("信息"));
    EXPECT_FALSE(database.createTable("信息", kTwoTextFields)) << "the table exists already";
    EXPECT_TRUE(database.createTable("短", {{"名", kSqliteTextField, 8}}));
    EXPECT_FALSE(database.createTable("空", {}));
    EXPECT_FALSE(database.createTable("数", {{"值", 4, 0}})) << "only text columns are made";
    EXPECT_TRUE(database.close());
    EXPECT_FALSE(database.isOpen());

    EXPECT_EQ(query(folder.remarkFile(), "SELECT type, name, sql FROM sqlite_master ORDER BY rowid;"),
              u8"table|信息|CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT)\n"
              u8"table|短|CREATE TABLE 短 (名 TEXT(8))\n");
}

TEST(SqliteDB, TableExistsMatchesTheWholeNameOnly) {
    TempFolder folder;
    query(folder.remarkFile(),
          u8"CREATE TABLE abc (x); CREATE TABLE \"it's\" (x); CREATE VIEW 视图 AS SELECT 1;"
          u8"CREATE INDEX idx ON abc (x);");
    SqliteDB database(gbkTestCodec());
    ASSERT_TRUE(database.open(folder.path() + "/微信备注.db", false));
    const struct {
        Text name;
        bool exists;
    } cases[] = {
        {"abc", true},
        {"ABC", true},   // SQLite itself does not tell A-Z from a-z in names
        {"视图", true},  // a view counts
        {"it's", true},
        {"a_c", false},  // "_" and "%" are characters, not wildcards
        {"%", false},
        {"ab%", false},
        {"idx", false},  // an index is no table
        {"x' OR '1'='1", false},
        {"", false},
        {"\xFF", false},  // not GBK
    };
    for (const auto& c : cases) EXPECT_EQ(database.tableExists(c.name), c.exists) << c.name;
}

TEST(SqliteDB, FailuresLeaveNoConnectionAndNoFile) {
    TempFolder folder;
    SqliteDB database(gbkTestCodec());
    EXPECT_FALSE(database.open(folder.path() + "/missing/db", true));
    EXPECT_FALSE(database.open(folder.path() + "/absent.db", false));
    EXPECT_FALSE(database.open("\xFF", true)) << "a path that is not GBK";
    EXPECT_FALSE(database.isOpen());
    EXPECT_FALSE(fileExists(folder.path() + "/absent.db"));
    EXPECT_FALSE(database.tableExists("abc"));
    EXPECT_FALSE(database.createTable("abc", kTwoTextFields));
    EXPECT_TRUE(database.close());
}

TEST(SqliteDB, AFileThatIsNotADatabaseStaysUntouched) {
    TempFolder folder;
    const std::string garbage(3000, 'x');
    writeFile(folder.remarkFile(), garbage);
    SqliteDB database(gbkTestCodec());
    database.open(folder.path() + "/微信备注.db", true);
    EXPECT_FALSE(database.tableExists("信息"));
    EXPECT_FALSE(database.createTable("信息", kTwoTextFields));
    database.close();
    EXPECT_TRUE(fileBytes(folder.remarkFile()) == garbage);
}
