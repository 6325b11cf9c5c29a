// Cutting a path at its last separator, at character boundaries.
#include "util/paths.h"

#include <gtest/gtest.h>

TEST(DirectoryOf, FolderWithoutTrailingSeparator) {
    const struct {
        const char* path;
        const char* folder;
    } cases[] = {
        {"C:\\panel\\marrowpad.exe", "C:\\panel"},
        {"C:\\marrowpad.exe", "C:"},
        {"\\\\server\\share\\marrowpad.exe", "\\\\server\\share"},
        {"marrowpad.exe", ""},
        {"", ""},
        // "\x81\x5C" is 乗, whose second byte is the separator's: it is no separator.
        {"C:\\\x81\x5C\\marrowpad.exe", "C:\\\x81\x5C"},
        {"C:\\x\x81\x5Cmarrowpad.exe", "C:"},
    };
    for (const auto& c : cases) EXPECT_EQ(directoryOf(c.path), c.folder) << c.path;
}

TEST(DirectoryOf, ABareDriveIsMadeCurrentAtItsRoot) {
    EXPECT_EQ(currentDirectoryFor("C:"), "C:\\");
    EXPECT_EQ(currentDirectoryFor("C:\\panel"), "C:\\panel");
    EXPECT_EQ(currentDirectoryFor("\\\\server\\share"), "\\\\server\\share");
}
