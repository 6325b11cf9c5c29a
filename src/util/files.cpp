#include "util/files.h"

#include <shlwapi.h>
#include <windows.h>

#include <string>

#include "util/codepage.h"
#include "util/handles.h"

namespace {
constexpr std::uint32_t kSuccess = 1;
}  // namespace

std::uint32_t createFileOfLength(const Text& path, std::int32_t length) {
    createDirectoryTree(directoryOfPath(path));

    handles::unique_hfile file(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file) return GetLastError();
    const bool existedBefore = GetLastError() == ERROR_ALREADY_EXISTS;

    std::uint32_t result = kSuccess;
    const DWORD position = SetFilePointer(file.get(), length, nullptr, FILE_BEGIN);
    if (static_cast<std::int32_t>(position) < 0) {
        result = GetLastError();
    } else if (!SetEndOfFile(file.get())) {
        result = GetLastError();
    }
    file.reset();

    // Only what this call made is taken away again: an existing file keeps its contents.
    if (result != kSuccess && !existedBefore) DeleteFileW(toWide(path).c_str());
    return result;
}

Text directoryOfPath(const Text& path) {
    if (isDirectory(path)) return path;
    const std::size_t backslash = gbk::findLastChar(path, '\\');
    return backslash == Text::npos ? Text() : path.substr(0, backslash + 1);
}

bool isDirectory(const Text& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(asWide(textToUtf16(path)));
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool createDirectoryTree(const Text& directory) {
    const ByteBuffer converted = textToUtf16(directory);
    if (converted.empty()) return false;
    const std::wstring wide(asWide(converted));
    if (wide.size() >= 3) {
        // Each level is created in turn; one that exists already stays as it is. The part before the first
        // backslash (a drive such as "C:") is never created on its own.
        bool firstBackslash = true;
        for (std::size_t i = 0; i < wide.size(); ++i) {
            if (wide[i] != L'\\') continue;
            if (!firstBackslash) CreateDirectoryW(wide.substr(0, i).c_str(), nullptr);
            firstBackslash = false;
        }
        CreateDirectoryW(wide.c_str(), nullptr);
    }
    return PathIsDirectoryW(asWide(converted)) == FILE_ATTRIBUTE_DIRECTORY;
}
