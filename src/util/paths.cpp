#include "util/paths.h"

Text upToLastSeparator(const Text& path) {
    const std::size_t separator = gbk::findLastChar(path, '\\');
    return separator == Text::npos ? Text() : path.substr(0, separator + 1);
}

Text directoryOf(const Text& path) {
    Text folder = upToLastSeparator(path);
    if (!folder.empty()) folder.pop_back();
    return folder;
}

Text currentDirectoryFor(const Text& directory) {
    const bool bareDrive = directory.size() == 2 && directory[1] == ':';
    return bareDrive ? directory + '\\' : directory;
}
