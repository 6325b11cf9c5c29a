// Cutting a Windows path, the one place that does it. The only separator is the backslash, found at a
// character boundary, so a GBK character whose second byte is '\\' stays whole.
#pragma once

#include "util/gbk_text.h"

// The path up to and including its last separator; "" when it has none.
Text upToLastSeparator(const Text& path);

// The folder part of a file path, as the program keeps it: without a trailing separator.
// "C:\\panel\\marrowpad.exe" gives "C:\\panel"; a file at a drive's root gives "C:"; no separator gives "".
Text directoryOf(const Text& path);

// The directory to make current for a folder kept as directoryOf gives it: a bare drive ("C:") names
// that drive's current directory, so its root is "C:\\".
Text currentDirectoryFor(const Text& directory);
