// Scratch folders and byte-exact file access for the Windows tests.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>

#include "util/gbk_text.h"

namespace testfiles {

// A new empty folder under the temp folder; removed, with everything in it, when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder's path, without a trailing backslash.
    const Text& path() const { return path_; }
    Text operator/(const Text& name) const { return path_ + "\\" + name; }

private:
    Text path_;
};

// The file's bytes, or nothing when it cannot be read.
std::optional<Text> readBytes(const Text& path);
// Replaces the file with exactly these bytes; false when that fails.
bool writeBytes(const Text& path, std::string_view bytes);
bool exists(const Text& path);
// Whether the file can be opened with no sharing at all: nobody else has it open.
bool openExclusively(const Text& path);
// The names in a folder, "." and ".." left out, sorted.
TextArray folderEntries(const Text& folder);

// Makes a file or folder refuse every change, also to the administrator, for the life of the object. On
// Windows this is the read-only attribute; under Wine, where the tests may run as root and the attribute
// alone does not stop writing, the Unix immutable flag is set as well.
class Unchangeable {
public:
    explicit Unchangeable(const Text& path);
    ~Unchangeable();
    Unchangeable(const Unchangeable&) = delete;
    Unchangeable& operator=(const Unchangeable&) = delete;

    // False when the path could not be made unchangeable.
    explicit operator bool() const { return done_; }

private:
    Text path_;
    bool folder_;
    bool flagged_ = false;
    bool done_ = false;
};

}  // namespace testfiles
