#include "app/executable_directory.h"

#include <windows.h>

#include <string>
#include <vector>

#include "util/paths.h"
#include "util/codepage.h"

namespace {

Text noted;

// The executable's full path as the system gives it; "" when it cannot.
std::wstring widePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return std::wstring(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // truncated: try again with room for a long path
    }
}

// The executable's full path as Text. A path that GBK cannot hold (a folder named in another script, such
// as "Jörg") would lose characters and name a folder that does not exist; its short form, where the file
// system has one, names the same folder in characters that GBK holds.
Text executablePath() {
    const std::wstring path = widePath();
    const Text text = fromWide(path);
    if (toWide(text) == path) return text;
    std::vector<wchar_t> shortPath(path.size() + 1);
    const DWORD length =
        GetShortPathNameW(path.c_str(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
    if (length == 0 || length >= shortPath.size()) return text;
    const std::wstring shortened(shortPath.data(), length);
    const Text shortText = fromWide(shortened);
    return toWide(shortText) == shortened ? shortText : text;
}

}  // namespace

bool noteExecutableDirectory() {
    noted = directoryOf(executablePath());
    return !noted.empty() && SetCurrentDirectoryW(toWide(currentDirectoryFor(noted)).c_str()) != FALSE;
}

const Text& executableDirectory() {
    return noted;
}
