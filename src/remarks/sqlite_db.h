// One SQLite connection: the database file of the remark store. Texts come and go as Text and are
// converted to UTF-8 for SQLite by the codec the owner supplies.
#pragma once

#include <cstdint>
#include <vector>

#include "remarks/text_codec.h"
#include "util/gbk_text.h"

struct sqlite3;

constexpr std::int32_t kSqliteTextField = 10;

// One column of a table to create.
struct SqliteFieldInfo {
    Text name;
    std::int32_t type = 0;  // kSqliteTextField is the only type the store creates
    std::int32_t size = 0;  // declared length; 0 for none
};

class SqliteDB {
public:
    explicit SqliteDB(const TextCodec& codec) : codec_(codec) {}
    ~SqliteDB();
    SqliteDB(const SqliteDB&) = delete;
    SqliteDB& operator=(const SqliteDB&) = delete;

    // Opens `path` read-write (and creates it when missing and asked to), closing any earlier
    // connection first. True when the connection is open.
    bool open(const Text& path, bool createIfMissing);
    // True when the database has a table or view of exactly that name (letter case of A-Z aside,
    // as SQLite itself matches names). False without a connection or for an empty name.
    bool tableExists(const Text& tableName);
    // Runs "CREATE TABLE name (field TEXT, ...)" once; true when SQLite reports no error.
    bool createTable(const Text& tableName, const std::vector<SqliteFieldInfo>& fields);
    // True unless SQLite reports the connection busy; the connection then stays open.
    bool close();

    bool isOpen() const { return connection_ != nullptr; }
    sqlite3* connection() const { return connection_; }
    const TextCodec& codec() const { return codec_; }

private:
    TextCodec codec_;
    sqlite3* connection_ = nullptr;
};
