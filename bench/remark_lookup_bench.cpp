// Time of a remark lookup and of the search of a save against remark tables of growing size, with the
// store's one-query search and with the search row by row that it replaced. Prints a table; figures worth
// quoting come from a build without the sanitizers (scripts/bench.sh). Runs natively and under Wine.
#include <sqlite3.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "fake_controls.h"
#include "gbk_test_codec.h"
#include "remarks/remark_store.h"
#include "row_by_row_search.h"
#include "timing.h"

namespace {

namespace fs = std::filesystem;

void noWait(unsigned) {}

// Chinese nicknames, as most are: every row read on the way is converted from UTF-8.
Text nicknameOf(int row) {
    return "好友" + std::to_string(row);
}
std::string utf8NicknameOf(int row) {
    return u8"好友" + std::to_string(row);
}

// Rows 1..count, written by a connection of our own in one transaction.
void fillTable(const std::string& utf8File, int count) {
    sqlite3* connection = nullptr;
    sqlite3_open(utf8File.c_str(), &connection);
    sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(connection, u8"INSERT INTO 信息 (昵称, 备注) VALUES (?, ?)", -1, &insert, nullptr);
    for (int row = 1; row <= count; ++row) {
        const std::string nickname = utf8NicknameOf(row);
        const std::string remark = u8"备注 " + nickname;
        sqlite3_bind_text(insert, 1, nickname.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, remark.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(connection, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(connection);
}

// Median milliseconds of `runs` calls of `action`.
template <class Action>
double medianMilliseconds(int runs, Action action) {
    return spreadOf(millisecondsOf(runs, action)).median;
}

// lookupRemark with the search row by row in place of findRemarkRow.
void lookupRowByRow(SqliteDataset& dataset, const TextField& nicknameBox, TextField& remarkBox) {
    dataset.requery();
    if (dataset.rowCount() == 0) return;
    const int row = findRowOneByOne(dataset, kNicknameColumn, nicknameBox.text());
    remarkBox.setText(row != 0 ? dataset.readText(kRemarkColumn) : Text());
}

}  // namespace

int main() {
    const fs::path folder =
        fs::temp_directory_path() /
        ("marrowpad-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::create_directories(folder);
    // ASCII, so the same bytes as Text and as UTF-8.
    const std::string directory = folder.generic_string();
    const std::string file = directory + u8"/微信备注.db";

    std::printf(
        "remark lookup and save search, median of 5 runs (for the largest table 3, row by row 1), "
        "milliseconds\n");
    std::printf("%8s  %-11s %13s %13s %13s %13s %12s\n", "rows", "search", "lookup first", "lookup last",
                "lookup none", "save search", "saveRemark");
    for (int rows : {100, 1000, 10000, 100000}) {
        fs::remove(fs::u8path(file));
        SqliteDB database(gbkTestCodec());
        SqliteDataset dataset;
        std::vector<SqliteFieldInfo> fields;
        openRemarkStore(database, dataset, fields, directory);
        fillTable(file, rows);
        dataset.requery();
        if (dataset.rowCount() != rows) {
            std::fprintf(stderr, "table holds %d rows, expected %d\n", dataset.rowCount(), rows);
            return 1;
        }

        FakeField nicknameBox, remarkBox;
        for (const bool rowByRow : {true, false}) {
            // Row by row, the largest table takes half a minute a search under Wine.
            const int runs = rows < 100000 ? 5 : rowByRow ? 1 : 3;
            const auto lookUp = [&](const Text& nickname) {
                return medianMilliseconds(runs, [&] {
                    nicknameBox.setText(nickname);
                    rowByRow ? lookupRowByRow(dataset, nicknameBox, remarkBox)
                             : lookupRemark(dataset, nicknameBox, remarkBox);
                });
            };
            const double first = lookUp(nicknameOf(1));
            const double last = lookUp(nicknameOf(rows));
            const double none = lookUp("nobody");
            const double search = medianMilliseconds(runs, [&] {
                rowByRow ? findRowOneByOne(dataset, kNicknameColumn, nicknameOf(rows))
                         : findRemarkRow(dataset, nicknameOf(rows));
            });
            std::printf("%8d  %-11s %13.3f %13.3f %13.3f %13.3f", rows, rowByRow ? "row by row" : "one query",
                        first, last, none, search);
            if (rowByRow) {
                std::printf(" %12s\n", "-");
                continue;
            }
            // A whole save of the last row (search, update, two refreshes of the rowid list), no wait.
            LoggingLabel status;
            nicknameBox.setText(nicknameOf(rows));
            remarkBox.setText("changed");
            std::printf(" %12.3f\n", medianMilliseconds(runs, [&] {
                            saveRemark(dataset, nicknameBox, remarkBox, status, noWait);
                        }));
        }
        closeRemarkStore(dataset, database);
    }
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
