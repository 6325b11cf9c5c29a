#include "app/directory_of.h"

Text directoryOf(const Text& path) {
    const std::size_t separator = gbk::findLastChar(path, '\\');
    return separator == Text::npos ? Text() : path.substr(0, separator);
}

Text currentDirectoryFor(const Text& directory) {
    const bool bareDrive = directory.size() == 2 && directory[1] == ':';
    return bareDrive ? directory + '\\' : directory;
}
