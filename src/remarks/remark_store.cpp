#include "remarks/remark_store.h"

const char* const kRemarkTable = "\xD0\xC5\xCF\xA2";                         // 信息
const char* const kNicknameColumn = "\xEA\xC7\xB3\xC6";                      // 昵称
const char* const kRemarkColumn = "\xB1\xB8\xD7\xA2";                        // 备注
const char* const kRemarkFileName = "/\xCE\xA2\xD0\xC5\xB1\xB8\xD7\xA2.db";  // /微信备注.db
const char* const kSavedStatus = "\xD2\xD1\xB1\xA3\xB4\xE6";                 // 已保存
const char* const kSaveFailedStatus = "\xB1\xA3\xB4\xE6\xCA\xA7\xB0\xDC";    // 保存失败

namespace {
constexpr unsigned kStatusMilliseconds = 300;
}

void openRemarkStore(SqliteDB& database, SqliteDataset& dataset, std::vector<SqliteFieldInfo>& fields,
                     const Text& directory) {
    fields = {{kNicknameColumn, kSqliteTextField, 0}, {kRemarkColumn, kSqliteTextField, 0}};
    database.open(directory + kRemarkFileName, true);
    if (!database.tableExists(kRemarkTable)) database.createTable(kRemarkTable, fields);
    dataset.open(kRemarkTable, database);
}

int findRemarkRow(SqliteDataset& dataset, const Text& nickname) {
    const int row = dataset.findRow(kNicknameColumn, nickname);
    if (row != 0) dataset.goTo(row);
    return row;
}

void lookupRemark(SqliteDataset& dataset, const TextField& nicknameBox, TextField& remarkBox) {
    // Rows that another program, a second panel among them, saved since the last refresh count too.
    dataset.requery();
    if (dataset.rowCount() == 0) return;
    const int row = findRemarkRow(dataset, nicknameBox.text());
    remarkBox.setText(row != 0 ? dataset.readText(kRemarkColumn) : Text());
}

void saveRemark(SqliteDataset& dataset, const TextField& nicknameBox, const TextField& remarkBox,
                StatusLabel& status, MessageWait wait) {
    const Text nickname = nicknameBox.text();
    const Text remark = remarkBox.text();
    // A row of this nickname that another program added meanwhile is updated, not hidden behind a second.
    dataset.requery();
    const int row = findRemarkRow(dataset, nickname);
    // Each step must hold: a row written with only one of its two columns would be a broken row.
    const bool saved = (row != 0 ? dataset.edit() : dataset.addNew()) &&
                       dataset.setText(kNicknameColumn, nickname) && dataset.setText(kRemarkColumn, remark) &&
                       dataset.post();
    if (saved) {
        status.setVisible(true);
        status.setText(kSavedStatus);
    } else {
        status.setText(kSaveFailedStatus);
        status.setVisible(true);
    }
    wait(kStatusMilliseconds);
    status.setVisible(false);
    // Drops what a failed post left pending and picks up rows other programs added meanwhile.
    dataset.requery();
}

void closeRemarkStore(SqliteDataset& dataset, SqliteDB& database) {
    dataset.close();
    database.close();
}
