#include "sqlite_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {
constexpr const char* kRemarkFileUtf8 = u8"/微信备注.db";

fs::path fromUtf8(const std::string& utf8) {
#ifdef _WIN32
    const int length = static_cast<int>(utf8.size());
    std::wstring wide(
        static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), static_cast<int>(wide.size()));
    return fs::path(wide);
#else
    return fs::path(utf8);
#endif
}

unsigned long processId() {
#ifdef _WIN32
    return GetCurrentProcessId();
#else
    return static_cast<unsigned long>(getpid());
#endif
}
}  // namespace

TempFolder::TempFolder() {
    static int serial = 0;
    const std::string prefix = "marrowpad-remarks-" + std::to_string(processId()) + "-";
    for (;;) {
        const fs::path candidate = fs::temp_directory_path() / (prefix + std::to_string(++serial));
        if (fs::create_directory(candidate)) {
            path_ = candidate.generic_string();
            return;
        }
    }
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(fs::path(path_), ignored);
}

std::string TempFolder::remarkFile() const {
    return path_ + kRemarkFileUtf8;
}

#ifdef _WIN32

SqlOutput runSql(const std::string& utf8File, const std::string& utf8Sql) {
    SqlOutput output;
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(utf8File.c_str(), &connection, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) ==
        SQLITE_OK) {
        const auto collect = [](void* rows, int columns, char** values, char**) {
            std::string& text = *static_cast<std::string*>(rows);
            for (int i = 0; i < columns; ++i)
                text += std::string(i ? "|" : "") + (values[i] ? values[i] : "");
            text += "\n";
            return 0;
        };
        output.ok = sqlite3_exec(connection, utf8Sql.c_str(), collect, &output.rows, nullptr) == SQLITE_OK;
    }
    sqlite3_close(connection);
    return output;
}

#else

SqlOutput runSql(const std::string& utf8File, const std::string& utf8Sql) {
    const std::string script = utf8File + ".test-script.sql";
    std::ofstream(script, std::ios::binary) << utf8Sql;
    SqlOutput output;
    FILE* tool = popen(
        ("/usr/bin/sqlite3 -batch -bail '" + utf8File + "' < '" + script + "' 2>/dev/null").c_str(), "r");
    if (tool != nullptr) {
        char buffer[4096];
        std::size_t got;
        while ((got = fread(buffer, 1, sizeof buffer, tool)) > 0) output.rows.append(buffer, got);
        output.ok = pclose(tool) == 0;
    }
    std::remove(script.c_str());
    return output;
}

#endif

std::string query(const std::string& utf8File, const std::string& utf8Sql) {
    const SqlOutput output = runSql(utf8File, utf8Sql);
    EXPECT_TRUE(output.ok) << utf8Sql;
    return output.rows;
}

HeldLock::HeldLock(const std::string& utf8File, const char* begin) {
    held_ = sqlite3_open_v2(utf8File.c_str(), &connection_, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK &&
            sqlite3_exec(connection_, begin, nullptr, nullptr, nullptr) == SQLITE_OK;
}

HeldLock::~HeldLock() {
    if (held_) sqlite3_exec(connection_, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(connection_);
}

#ifdef _WIN32

// Wine running as root writes through the read-only attribute, as root does through permission bits;
// a handle that shares the file for reading only keeps every writer out there too.
ReadOnlyFile::ReadOnlyFile(const std::string& utf8File) : file_(utf8File) {
    SetFileAttributesW(fromUtf8(file_).c_str(), FILE_ATTRIBUTE_READONLY);
    readOnlyShare_ = CreateFileW(fromUtf8(file_).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(readOnlyShare_, INVALID_HANDLE_VALUE);
}

ReadOnlyFile::~ReadOnlyFile() {
    CloseHandle(readOnlyShare_);
    SetFileAttributesW(fromUtf8(file_).c_str(), FILE_ATTRIBUTE_NORMAL);
}

#else

namespace {
constexpr uid_t kNobody = 65534;
}

// Root writes through any permission bits, so as root the process also takes on another user's
// identity for as long as the file is to stay read-only; the folder must then let that user in.
ReadOnlyFile::ReadOnlyFile(const std::string& utf8File) : file_(utf8File) {
    chmod(file_.c_str(), 0444);
    if (geteuid() == 0) {
        chmod(fs::path(file_).parent_path().c_str(), 0755);
        EXPECT_EQ(seteuid(kNobody), 0);
    }
}

ReadOnlyFile::~ReadOnlyFile() {
    if (getuid() == 0) {
        EXPECT_EQ(seteuid(0), 0);
    }
    chmod(file_.c_str(), 0644);
}

#endif

std::string fileBytes(const std::string& utf8File) {
    std::ifstream in(fromUtf8(utf8File), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFile(const std::string& utf8File, const std::string& bytes) {
    std::ofstream(fromUtf8(utf8File), std::ios::binary) << bytes;
}

bool fileExists(const std::string& utf8File) {
    std::error_code ignored;
    return fs::exists(fromUtf8(utf8File), ignored);
}
