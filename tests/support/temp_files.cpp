#include "support/temp_files.h"

#include <algorithm>
#include <string>

#include "util/codepage.h"

namespace testfiles {

namespace {

void removeTree(const Text& path) {
    SetFileAttributesW(toWide(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(GetFileAttributesW(toWide(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(toWide(path).c_str());
        return;
    }
    for (const Text& name : folderEntries(path)) removeTree(path + "\\" + name);
    RemoveDirectoryW(toWide(path).c_str());
}

// Under Wine: the Unix path of a Windows path, as UTF-16 for CreateProcessW.
std::wstring unixPath(const Text& path) {
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    if (!toUnix) return {};
    char* utf8 = toUnix(toWide(path).c_str());
    if (!utf8) return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring result(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, result.data(), length);
    HeapFree(GetProcessHeap(), 0, utf8);
    result.resize(result.size() - 1);
    return result;
}

bool runUnixChattr(const Text& path, bool set) {
    const std::wstring target = unixPath(path);
    if (target.empty()) return false;
    std::wstring commandLine =
        std::wstring(L"/usr/bin/chattr ") + (set ? L"+i" : L"-i") + L" \"" + target + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"/usr/bin/chattr", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

bool canCreateIn(const Text& folder) {
    const Text probe = folder + "\\probe.tmp";
    const HANDLE file = CreateFileW(toWide(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(toWide(probe).c_str());
    return true;
}

bool canWrite(const Text& file) {
    const HANDLE handle = CreateFileW(toWide(file).c_str(), GENERIC_WRITE,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    CloseHandle(handle);
    return true;
}

}  // namespace

TempDir::TempDir() {
    wchar_t wideBase[MAX_PATH] = {};
    const DWORD length = GetTempPathW(MAX_PATH, wideBase);
    const Text base = fromWide(wideBase, length < MAX_PATH ? length : 0);
    static unsigned counter = 0;
    for (;;) {
        path_ = base + "marrowpad-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryW(toWide(path_).c_str(), nullptr)) break;
    }
}

TempDir::~TempDir() {
    removeTree(path_);
}

std::optional<Text> readBytes(const Text& path) {
    const HANDLE file = CreateFileW(toWide(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    Text bytes;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(file);
    return bytes;
}

bool writeBytes(const Text& path, std::string_view bytes) {
    const HANDLE file =
        CreateFileW(toWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool exists(const Text& path) {
    return GetFileAttributesW(toWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool openExclusively(const Text& path) {
    const HANDLE file = CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

TextArray folderEntries(const Text& folder) {
    TextArray names;
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(toWide(folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const Text name = fromWide(std::wstring(found.cFileName));
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

Unchangeable::Unchangeable(const Text& path)
    : path_(path), folder_((GetFileAttributesW(toWide(path).c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    const auto refused = [&] { return folder_ ? !canCreateIn(path_) : !canWrite(path_); };
    if (!folder_) SetFileAttributesW(toWide(path_).c_str(), FILE_ATTRIBUTE_READONLY);
    if (refused()) {
        done_ = true;
        return;
    }
    flagged_ = runUnixChattr(path_, true);
    // The Unix program is not waited for through its handle: look until the flag shows.
    for (int tries = 0; flagged_ && !done_ && tries < 200; ++tries) {
        done_ = refused();
        if (!done_) Sleep(10);
    }
}

Unchangeable::~Unchangeable() {
    if (flagged_) {
        runUnixChattr(path_, false);
        for (int tries = 0; tries < 200 && (folder_ ? !canCreateIn(path_) : !canWrite(path_)); ++tries)
            Sleep(10);
    }
    if (!folder_) SetFileAttributesW(toWide(path_).c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace testfiles
