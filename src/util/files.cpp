#include "util/files.h"

#include <shlwapi.h>
#include <windows.h>

#include <algorithm>
#include <string>

#include "util/codepage.h"
#include "util/handles.h"
#include "util/paths.h"

namespace {

constexpr std::uint32_t kSuccess = 1;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

handles::unique_hfile openForReadingAndWriting(const Text& path) {
    return handles::unique_hfile(CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll,
                                             nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Puts the file's earlier bytes back after a write that did not go through.
void putBack(const Text& path, std::string_view before) {
    handles::unique_hfile file = openForReadingAndWriting(path);
    if (!file) return;
    SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
    SetEndOfFile(file.get());
    writeAll(file.get(), before);
}

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
    return isDirectory(path) ? path : upToLastSeparator(path);
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

FileRead readWholeFile(const Text& path, Text& bytes) {
    handles::unique_hfile file(CreateFileW(toWide(path).c_str(), GENERIC_READ, kShareAll, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? FileRead::missing
                                                                              : FileRead::unreadable;
    }
    bytes.clear();
    char chunk[64 * 1024];
    DWORD got = 0;
    for (;;) {
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return FileRead::unreadable;
        if (got == 0) return FileRead::read;
        bytes.append(chunk, got);
    }
}

bool rewriteFile(const Text& path, std::string_view content, std::string_view before) {
    // Emptied while held exclusively: when another program has the file open, this fails and the file
    // stays as it is.
    {
        handles::unique_hfile emptied(CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!emptied) return false;
    }
    // Written after whatever the file now holds.
    bool written = false;
    {
        handles::unique_hfile file = openForReadingAndWriting(path);
        if (file) {
            SetFilePointer(file.get(), 0, nullptr, FILE_END);
            written = writeAll(file.get(), content);
        }
    }
    if (!written) putBack(path, before);
    return written;
}
