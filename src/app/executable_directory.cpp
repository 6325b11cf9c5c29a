#include "app/executable_directory.h"

#include <windows.h>

#include <vector>

#include "app/directory_of.h"

namespace {

Text noted;

// The executable's full path; "" when the system cannot give it.
Text executablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return Text();
        if (length < buffer.size()) return Text(buffer.data(), length);
        buffer.resize(buffer.size() * 2);  // truncated: try again with room for a long path
    }
}

}  // namespace

bool noteExecutableDirectory() {
    noted = directoryOf(executablePath());
    return !noted.empty() && SetCurrentDirectoryA(currentDirectoryFor(noted).c_str()) != FALSE;
}

const Text& executableDirectory() {
    return noted;
}
