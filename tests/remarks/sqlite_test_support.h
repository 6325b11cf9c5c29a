// Test fixtures for the remark store: a temporary folder, and another client on the same database
// file, as a user's other tools would be. Natively that client is Debian's sqlite3 command-line tool;
// under Wine, where it cannot run, a second SQLite connection of the test itself. Both print rows as
// the tool does: columns joined by "|", one line per row, NULL as nothing.
#pragma once

#include <sqlite3.h>

#include <string>

#include "util/gbk_text.h"

// A new empty folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder as the store takes it: ASCII, so the same bytes as Text and as UTF-8.
    const Text& path() const { return path_; }
    // The remark database file in it, in UTF-8.
    std::string remarkFile() const;

private:
    Text path_;
};

struct SqlOutput {
    bool ok = false;
    std::string rows;  // UTF-8
};

// Runs `utf8Sql` (one or more statements) on the database file `utf8File` as another client.
SqlOutput runSql(const std::string& utf8File, const std::string& utf8Sql);

// The rows of `utf8Sql`, for a query the test expects to succeed.
std::string query(const std::string& utf8File, const std::string& utf8Sql);

// A second connection that holds a write lock on the file until destroyed: "BEGIN IMMEDIATE" lets
// others read, "BEGIN EXCLUSIVE" keeps them out altogether.
class HeldLock {
public:
    HeldLock(const std::string& utf8File, const char* begin);
    ~HeldLock();
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;
    bool held() const { return held_; }

private:
    sqlite3* connection_ = nullptr;
    bool held_ = false;
};

// Makes a file read-only for this process until destroyed (also when the tests run as root).
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const std::string& utf8File);
    ~ReadOnlyFile();
    ReadOnlyFile(const ReadOnlyFile&) = delete;
    ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;

private:
    std::string file_;
#ifdef _WIN32
    void* readOnlyShare_ = nullptr;
#endif
};

// The whole content of a file; empty when it cannot be read.
std::string fileBytes(const std::string& utf8File);
void writeFile(const std::string& utf8File, const std::string& bytes);
bool fileExists(const std::string& utf8File);
