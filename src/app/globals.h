// The state that lives for the whole run. The shell creates it before the main window exists and
// releases it at the orderly exit; the rooms named beside each member read and change it in place.
#pragma once

#include <windows.h>

#include <vector>

#include "access/acc_element.h"
#include "remarks/gbk_text_codec.h"
#include "remarks/sqlite_dataset.h"
#include "remarks/sqlite_db.h"
#include "replies/reply_store.h"

// Members are declared in the reverse of their release order, so that destruction releases them in
// that order: the record set before its database, then the windows, the element, the quick reply file and
// the field list.
struct Globals {
    // The columns of the remark table; openRemarkStore fills both entries.
    std::vector<SqliteFieldInfo> remarkFields = std::vector<SqliteFieldInfo>(2);
    // The quick reply file and what was last read from it; its path is set at start-up.
    replies::QuickReplyFile quickReplyFile;
    // The element of currentClientWindow's object, the root of the chat path; empty until
    // selectClientInstance binds it.
    AccElement clientRoot;

    // The WeChat main window being followed; nullptr for none. Set by selectClientInstance.
    HWND currentClientWindow = nullptr;
    // The main windows of the instances in the drop-down, rebuilt whole by scanClientInstances.
    std::vector<HWND> clientWindows;

    // The remark database and the record set over its table, opened by openRemarkStore and closed by
    // closeRemarkStore; the record set reads through the database, so it is released first.
    SqliteDB remarkDatabase{gbkTextCodec()};
    SqliteDataset remarkDataset;
};

// Create the globals once, before the main window; release them as an exit routine.
void createGlobals();
void releaseGlobals();

// The globals between createGlobals and releaseGlobals.
Globals& globals();
