// The program's file and directory helpers: creating a file together with the missing directories on its
// path, reading a file whole and replacing its content. Paths are Text in code page 936; the platform's wide
// file functions get them converted from code page 936, on every system.
// The only separator recognised here is the backslash: a forward slash is an ordinary character.
#pragma once

#include <cstdint>
#include <string_view>

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

// What readWholeFile found.
enum class FileRead { read, missing, unreadable };

// Reads every byte of the file into `bytes`, denying other programs no access. `missing` when the file or
// its folder does not exist; `unreadable` for any other failure (another program holds it locked, it is a
// directory, a read fails), with `bytes` then not to be used.
FileRead readWholeFile(const Text& path, Text& bytes);

// Replaces the content of the file (created when missing) with `content`; `before` is what it holds now, as
// just read (empty for a missing file). The file is emptied while held exclusively, so nothing is written
// while another program has it open; then the content is written, denying others nothing, and a write that
// fails half-way puts `before` back. False, with the file as it was, when the content was not written.
bool rewriteFile(const Text& path, std::string_view content, std::string_view before);
