#include "remarks/sqlite_dataset.h"

#include <gtest/gtest.h>

#include "gbk_test_codec.h"
#include "sqlite_test_support.h"

namespace {

// A table made by another tool: rowids out of insertion order, a NULL, ASCII column names in mixed case.
class SqliteDatasetTest : public testing::Test {
protected:
    void SetUp() override {
        query(folder.remarkFile(),
              "CREATE TABLE t (Name TEXT, Note TEXT);"
              "INSERT INTO t (rowid, Name, Note) VALUES (7, 'seven', 's'), (2, 'two', 't'), (40, 'forty', "
              "NULL);");
        ASSERT_TRUE(database.open(folder.path() + "/微信备注.db", false));
        ASSERT_TRUE(dataset.open("t", database));
    }

    std::string rows() {
        return query(folder.remarkFile(), "SELECT rowid, Name, Note FROM t ORDER BY rowid;");
    }

    TempFolder folder;
    SqliteDB database{gbkTestCodec()};
    SqliteDataset dataset;
};

}  // namespace

TEST_F(SqliteDatasetTest, RowsAreNumberedInAscendingRowidOrder) {
    EXPECT_EQ(dataset.rowCount(), 3);
    EXPECT_EQ(dataset.currentRow(), 0);
    const char* expected[] = {"two", "seven", "forty"};
    for (int row = 1; row <= 3; ++row) {
        EXPECT_TRUE(dataset.goTo(row));
        EXPECT_EQ(dataset.readText("Name"), expected[row - 1]);
    }
    const struct {
        int row;
        int current;
    } outside[] = {{0, 0}, {-5, 0}, {4, 4}, {99, 4}};
    for (const auto& c : outside) {
        EXPECT_FALSE(dataset.goTo(c.row));
        EXPECT_EQ(dataset.currentRow(), c.current);
        EXPECT_FALSE(dataset.readValue("Name")) << "no current row";
    }
}

TEST_F(SqliteDatasetTest, ColumnNamesIgnoreOnlyTheCaseOfAsciiLetters) {
    dataset.goTo(1);
    EXPECT_EQ(dataset.readText("NAME"), "two");
    EXPECT_EQ(dataset.readText("name"), "two");
    EXPECT_FALSE(dataset.readValue("Nam"));
    EXPECT_FALSE(dataset.readValue(""));
    EXPECT_FALSE(dataset.setText("Names", "x"));
    dataset.goTo(3);
    EXPECT_EQ(dataset.readValue("note"), Text()) << "NULL reads as empty text";
}

TEST_F(SqliteDatasetTest, StoredValuesWithoutAGbkTextReadAsEmpty) {
    query(folder.remarkFile(),
          u8"CREATE TABLE v (x); INSERT INTO v VALUES "
          u8"(CAST(X'C3' AS TEXT)), (CAST(X'F09F9880' AS TEXT)), ('한국'), "
          u8"(CAST(X'610062' AS TEXT)), (42), (X'616263'), ('同学（大学）');");
    ASSERT_TRUE(dataset.open("v", database));
    const std::optional<Text> expected[] = {std::nullopt, std::nullopt, std::nullopt,        std::nullopt,
                                            Text("42"),   Text("abc"),  Text("同学（大学）")};
    ASSERT_EQ(dataset.rowCount(), 7);
    for (int row = 1; row <= 7; ++row) {
        dataset.goTo(row);
        EXPECT_EQ(dataset.readValue("x"), expected[row - 1]) << "row " << row;
    }
}

TEST_F(SqliteDatasetTest, OpenFailsForWhatIsNoTable) {
    for (const Text& name : {Text("missing"), Text(""), Text(1025, 'n'), Text("t; DROP TABLE t")}) {
        EXPECT_FALSE(dataset.open(name, database)) << name;
        EXPECT_FALSE(dataset.isOpen());
        EXPECT_EQ(dataset.rowCount(), 0);
    }
    EXPECT_EQ(rows(), "2|two|t\n7|seven|s\n40|forty|\n");
}

TEST_F(SqliteDatasetTest, ModesNeedTheirPreconditions) {
    dataset.goTo(0);
    EXPECT_FALSE(dataset.edit()) << "no current row";
    EXPECT_FALSE(dataset.post()) << "browse mode";
    dataset.goTo(1);
    ASSERT_TRUE(dataset.edit());
    EXPECT_EQ(dataset.mode(), SqliteDataset::Mode::edit);
    EXPECT_FALSE(dataset.post()) << "no pending value";
    EXPECT_EQ(dataset.mode(), SqliteDataset::Mode::edit);

    dataset.close();
    EXPECT_FALSE(dataset.addNew());
    EXPECT_FALSE(dataset.edit());
    EXPECT_FALSE(dataset.setText("Name", "x"));
    EXPECT_FALSE(dataset.post());
    EXPECT_FALSE(dataset.requery());
    EXPECT_EQ(rows(), "2|two|t\n7|seven|s\n40|forty|\n");
}

TEST_F(SqliteDatasetTest, PostWritesOnlyThePendingColumnsAsText) {
    dataset.goTo(2);
    ASSERT_TRUE(dataset.edit());
    ASSERT_TRUE(dataset.setText("note", "it's \"7\"; DROP TABLE t; --"));
    ASSERT_TRUE(dataset.post());
    EXPECT_EQ(dataset.mode(), SqliteDataset::Mode::browse);
    EXPECT_EQ(dataset.currentRow(), 2);

    ASSERT_TRUE(dataset.addNew());
    ASSERT_TRUE(dataset.setText("Name", ""));
    ASSERT_TRUE(dataset.setText("Note", "中文"));
    ASSERT_TRUE(dataset.post());
    EXPECT_EQ(dataset.rowCount(), 4) << "refreshed after the post";

    EXPECT_EQ(query(folder.remarkFile(), "SELECT rowid, Name, typeof(Name), Note FROM t ORDER BY rowid;"),
              u8"2|two|text|t\n7|seven|text|it's \"7\"; DROP TABLE t; --\n40|forty|text|\n41||text|中文\n");
}

TEST_F(SqliteDatasetTest, AFailedPostKeepsModeAndPendingValuesAndWritesNothing) {
    ASSERT_TRUE(dataset.addNew());
    ASSERT_TRUE(dataset.setText("Name", "\x81"));  // a lone GBK lead byte has no UTF-8 form
    EXPECT_FALSE(dataset.post());
    EXPECT_EQ(dataset.mode(), SqliteDataset::Mode::insert);

    // An update of a row that another program deleted meanwhile saves nothing, so it is no success.
    dataset.goTo(1);
    ASSERT_TRUE(dataset.edit());
    ASSERT_TRUE(dataset.setText("Note", "late"));
    query(folder.remarkFile(), "DELETE FROM t WHERE rowid = 2;");
    EXPECT_FALSE(dataset.post());
    EXPECT_EQ(dataset.mode(), SqliteDataset::Mode::edit);
    EXPECT_EQ(rows(), "7|seven|s\n40|forty|\n");

    EXPECT_TRUE(dataset.requery());
    EXPECT_EQ(dataset.rowCount(), 2);
    EXPECT_FALSE(dataset.post()) << "requery dropped the pending value";
}
