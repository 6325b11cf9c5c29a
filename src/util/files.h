// Creating a file together with the missing directories on its path. Paths are Text in code page 936; the
// platform's wide file functions get them converted from code page 936, on every system.
// The only separator recognised here is the backslash: a forward slash is an ordinary character.
#pragma once

#include <cstdint>

#include "util/gbk_text.h"

// Opens the file at `path`, creating it when missing, and sets its length to `length` bytes; first creates
// the missing directories up to the path's last backslash. Returns 1 on success, otherwise the system error
// code. A file that this call created is deleted again when setting its length fails; a file that was
// there before is left in place.
std::uint32_t createFileOfLength(const Text& path, std::int32_t length);

// The path itself when it names an existing directory; else the path up to and including its last
// backslash (a 0x5C trail byte of a two-byte character does not count), or the empty text without one.
Text directoryOfPath(const Text& path);

// True when the path names an existing directory.
bool isDirectory(const Text& path);

// Creates every missing level of the directory path (the part before its first backslash, such as a
// drive, is left alone) and returns whether the path then is a directory. Paths of fewer than three
// characters create nothing.
bool createDirectoryTree(const Text& directory);
