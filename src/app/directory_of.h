// The folder part of a Windows file path, as the program keeps it: without a trailing separator.
#pragma once

#include "util/gbk_text.h"

// "C:\\panel\\marrowpad.exe" gives "C:\\panel"; a file at a drive's root gives "C:".
// The separator is found at a character boundary, so a GBK character whose second byte is '\\' stays whole.
// A path without a separator has no folder part: "".
Text directoryOf(const Text& path);

// The directory to make current for a folder kept as directoryOf gives it: a bare drive ("C:") names
// that drive's current directory, so its root is "C:\\".
Text currentDirectoryFor(const Text& directory);
