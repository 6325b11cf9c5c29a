// Time of one remark lookup (one query per row until the match) and one save, against remark tables
// of growing size. Prints a table; build it without the sanitizers for figures worth quoting.
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "fake_controls.h"
#include "gbk_test_codec.h"
#include "remarks/remark_store.h"

namespace {

void noWait(unsigned) {}

Text nicknameOf(int row) {
    return "friend" + std::to_string(row);
}

// Rows 1..count, written by a connection of our own in one transaction.
void fillTable(const std::string& file, int count) {
    sqlite3* connection = nullptr;
    sqlite3_open(file.c_str(), &connection);
    sqlite3_exec(connection, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(connection, u8"INSERT INTO 信息 (昵称, 备注) VALUES (?, ?)", -1, &insert, nullptr);
    for (int row = 1; row <= count; ++row) {
        const std::string nickname = nicknameOf(row);
        const std::string remark = "remark of " + nickname;
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
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        action();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

}  // namespace

int main() {
    char folderTemplate[] = "/tmp/marrowpad-bench-XXXXXX";
    if (mkdtemp(folderTemplate) == nullptr) return 1;
    const std::string folder = folderTemplate;
    const std::string file = folder + u8"/微信备注.db";

    std::printf("remark lookup and save, median of 5 runs, milliseconds\n");
    std::printf("%8s %12s %12s %14s %12s\n", "rows", "first row", "last row", "no such name", "save last");
    for (int rows : {100, 1000, 10000}) {
        std::remove(file.c_str());
        SqliteDB database(gbkTestCodec());
        SqliteDataset dataset;
        std::vector<SqliteFieldInfo> fields(2);
        openRemarkStore(database, dataset, fields, folder);
        fillTable(file, rows);
        dataset.requery();
        if (dataset.rowCount() != rows) {
            std::fprintf(stderr, "table holds %d rows, expected %d\n", dataset.rowCount(), rows);
            return 1;
        }

        FakeField nicknameBox, remarkBox;
        const auto lookUp = [&](const Text& nickname) {
            return medianMilliseconds(5, [&] {
                nicknameBox.setText(nickname);
                lookupRemark(dataset, nicknameBox, remarkBox);
            });
        };
        const double first = lookUp(nicknameOf(1));
        const double last = lookUp(nicknameOf(rows));
        const double missing = lookUp("nobody");
        LoggingLabel status;
        nicknameBox.setText(nicknameOf(rows));
        remarkBox.setText("changed");
        const double save =
            medianMilliseconds(5, [&] { saveRemark(dataset, nicknameBox, remarkBox, status, noWait); });
        std::printf("%8d %12.3f %12.3f %14.3f %12.3f\n", rows, first, last, missing, save);
        closeRemarkStore(dataset, database);
    }
    std::remove(file.c_str());
    rmdir(folder.c_str());
    return 0;
}
