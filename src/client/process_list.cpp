#include "client/process_list.h"

#include <tlhelp32.h>

#include <cstring>
#include <string>

#include "client/utf16_compare.h"
#include "util/codepage.h"
#include "util/handles.h"

// 556 bytes in the shipped 32-bit program; the 64-bit test build has 568.
static_assert(sizeof(PROCESSENTRY32W) == (sizeof(void*) == 4 ? 556 : 568), "PROCESSENTRY32W layout");

namespace {

std::u16string asUtf16String(const ByteBuffer& utf16) {
    std::u16string units(utf16.size() / 2, u'\0');
    if (!units.empty()) std::memcpy(&units[0], utf16.data(), units.size() * 2);
    return units;
}

// The image name of an entry, bounded by its array even if the terminator is missing.
std::u16string exeFileOf(const PROCESSENTRY32W& entry) {
    const wchar_t* name = entry.szExeFile;
    return std::u16string(name, name + wcsnlen(name, MAX_PATH));
}

}  // namespace

int findProcessIds(const Text& imageName, ProcessIdList& ids, bool caseSensitive) {
    const std::u16string wanted = asUtf16String(textToUtf16(imageName));
    ids.clear();
    handles::unique_snapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPALL, 0));
    if (!snapshot) return -1;

    PROCESSENTRY32W entry{};
    // The size is set before every call: the platform checks it each time.
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        if (compareUtf16(exeFileOf(entry).c_str(), wanted.c_str(), caseSensitive) == 0) {
            ids.push_back(entry.th32ProcessID);
        }
        entry.dwSize = sizeof(entry);
    }
    return static_cast<int>(ids.size());
}
