// The friend remarks: one row per nickname in the table 信息 (columns 昵称 and 备注) of the database
// file 微信备注.db beside the executable. The shell owns the database, the record set and the field
// list, opens the store once the main window exists and closes it when the window goes.
#pragma once

#include <vector>

#include "remarks/remark_controls.h"
#include "remarks/sqlite_dataset.h"
#include "remarks/sqlite_db.h"
#include "util/gbk_text.h"

extern const char* const kRemarkTable;       // 信息
extern const char* const kNicknameColumn;    // 昵称
extern const char* const kRemarkColumn;      // 备注
extern const char* const kRemarkFileName;    // /微信备注.db, appended to the executable's directory
extern const char* const kSavedStatus;       // 已保存
extern const char* const kSaveFailedStatus;  // 保存失败

// A wait that keeps window messages flowing (waitProcessingMessages in the program).
using MessageWait = void (*)(unsigned milliseconds);

// Fills `fields` with the two columns, opens or creates the file in `directory` (no trailing
// separator), creates the table when it is missing and opens `dataset` over it. Failures stay silent:
// the record set is then empty and every save fails.
void openRemarkStore(SqliteDB& database, SqliteDataset& dataset, std::vector<SqliteFieldInfo>& fields,
                     const Text& directory);

// Row number (from 1) of the first row, by rowid, whose nickname equals `nickname` byte for byte, made
// the current row; 0, and the current row left alone, when there is none. A stored nickname that cannot
// be read equals no nickname, not even the empty one; a NULL one is the empty nickname. One query,
// however many rows there are (SqliteDataset::findRow).
int findRemarkRow(SqliteDataset& dataset, const Text& nickname);

// Shows the remark of the nickname now in `nicknameBox` in `remarkBox`: empty when no row has that
// nickname; with no rows at all `remarkBox` keeps its text. Lookups and saves first refresh the record
// set, so that they see the rows that other programs (a second panel) saved meanwhile.
void lookupRemark(SqliteDataset& dataset, const TextField& nicknameBox, TextField& remarkBox);

// Stores the text of `remarkBox` for the nickname in `nicknameBox` (updating the first row of that
// nickname, or adding one), shows "已保存" or "保存失败" in `status` for a 300 ms `wait`, then hides it.
// A failed save changes nothing stored.
void saveRemark(SqliteDataset& dataset, const TextField& nicknameBox, const TextField& remarkBox,
                StatusLabel& status, MessageWait wait);

void closeRemarkStore(SqliteDataset& dataset, SqliteDB& database);
