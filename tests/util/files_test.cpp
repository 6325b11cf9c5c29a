#include "util/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "support/temp_files.h"
#include "util/codepage.h"

using testfiles::exists;
using testfiles::folderEntries;
using testfiles::readBytes;
using testfiles::TempDir;
using testfiles::writeBytes;

TEST(CreateFileOfLength, CreatesTheMissingLevelsAndAnEmptyFile) {
    TempDir dir;
    const Text file = dir / "微信\\备注\\a.txt";
    EXPECT_EQ(createFileOfLength(file, 0), 1u);
    EXPECT_TRUE(isDirectory(dir / "微信"));
    EXPECT_TRUE(isDirectory(dir / "微信\\备注"));
    EXPECT_EQ(readBytes(file), Text());
}

TEST(CreateFileOfLength, CutsOrExtendsAnExistingFile) {
    TempDir dir;
    const Text file = dir / "a.txt";
    ASSERT_TRUE(writeBytes(file, "abcdef"));
    EXPECT_EQ(createFileOfLength(file, 3), 1u);
    EXPECT_EQ(readBytes(file), Text("abc"));
    EXPECT_EQ(createFileOfLength(file, 5), 1u);
    EXPECT_EQ(readBytes(file), Text("abc\0\0", 5));
    EXPECT_EQ(createFileOfLength(file, 0), 1u);
    EXPECT_EQ(readBytes(file), Text());
}

TEST(CreateFileOfLength, FailureLeavesNoNewFileAndKeepsAnOldOne) {
    TempDir dir;
    const Text fresh = dir / "fresh.txt";
    EXPECT_EQ(createFileOfLength(fresh, -1), static_cast<std::uint32_t>(ERROR_NEGATIVE_SEEK));
    EXPECT_FALSE(exists(fresh));

    const Text old = dir / "old.txt";
    ASSERT_TRUE(writeBytes(old, "keep me"));
    EXPECT_EQ(createFileOfLength(old, -1), static_cast<std::uint32_t>(ERROR_NEGATIVE_SEEK));
    EXPECT_EQ(readBytes(old), Text("keep me"));
}

TEST(CreateFileOfLength, ADirectoryGivesTheSystemErrorAndStaysADirectory) {
    TempDir dir;
    EXPECT_EQ(createFileOfLength(dir.path(), 0), static_cast<std::uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_TRUE(isDirectory(dir.path()));
}

TEST(CreateFileOfLength, TrailByteBackslashDoesNotSplitAName) {
    TempDir dir;
    const Text name = "\x81\x5C.txt";  // 乗.txt: its second byte is 0x5C
    const Text file = dir / ("sub\\" + name);
    EXPECT_EQ(directoryOfPath(file), dir / "sub\\");
    EXPECT_EQ(createFileOfLength(file, 0), 1u);
    EXPECT_EQ(folderEntries(dir.path()), TextArray({"sub"}));
    EXPECT_EQ(folderEntries(dir / "sub"), TextArray({name}));
}

// The quick reply file is the executable's directory with "/快捷回复.txt" appended: the forward slash is
// no separator here, so the directory part is the folder above, and the system puts the file inside.
TEST(CreateFileOfLength, QuickReplyPathWithForwardSlash) {
    TempDir parent;
    const Text exeDirectory = parent / "app";
    ASSERT_TRUE(CreateDirectoryA(exeDirectory.c_str(), nullptr));
    const Text file = exeDirectory + "/快捷回复.txt";
    EXPECT_EQ(directoryOfPath(file), parent.path() + "\\");
    EXPECT_EQ(createFileOfLength(file, 0), 1u);
    EXPECT_EQ(folderEntries(exeDirectory), TextArray({"快捷回复.txt"}));
    EXPECT_EQ(folderEntries(parent.path()), TextArray({"app"}));

    // A missing executable directory is not created through the forward slash.
    EXPECT_EQ(createFileOfLength(parent / "gone/快捷回复.txt", 0),
              static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND));
    EXPECT_EQ(folderEntries(parent.path()), TextArray({"app"}));
}

TEST(DirectoryOfPath, ExistingDirectoryLastBackslashOrNothing) {
    TempDir dir;
    EXPECT_EQ(directoryOfPath(dir.path()), dir.path());
    EXPECT_EQ(directoryOfPath(dir / "x\\y.txt"), dir / "x\\");
    EXPECT_EQ(directoryOfPath("y.txt"), "");
    EXPECT_EQ(directoryOfPath("x\x81\x5Cy"), "");  // 乗: only a trail byte is 0x5C
    EXPECT_EQ(directoryOfPath(""), "");
}

TEST(IsDirectory, OnlyExistingDirectories) {
    TempDir dir;
    ASSERT_TRUE(writeBytes(dir / "f", "x"));
    EXPECT_TRUE(isDirectory(dir.path()));
    EXPECT_FALSE(isDirectory(dir / "f"));
    EXPECT_FALSE(isDirectory(dir / "missing"));
    EXPECT_FALSE(isDirectory(""));
}

TEST(CreateDirectoryTree, LevelsUpToATrailingBackslashAndNothingForShortPaths) {
    TempDir dir;
    EXPECT_TRUE(createDirectoryTree(dir / "a\\b\\"));
    EXPECT_TRUE(isDirectory(dir / "a\\b"));
    EXPECT_TRUE(createDirectoryTree(dir / "a\\b"));  // existing levels are fine

    // Fewer than three characters: nothing is created, even where it could be.
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    EXPECT_FALSE(createDirectoryTree("ab"));
    EXPECT_FALSE(exists(dir / "ab"));
    EXPECT_TRUE(createDirectoryTree("abc"));
    SetCurrentDirectoryA(current);
    EXPECT_TRUE(isDirectory(dir / "abc"));
    EXPECT_FALSE(createDirectoryTree(""));
}

namespace {
// Holds a file open the way another program might, for the life of the object.
class HeldByAnother {
public:
    HeldByAnother(const Text& path, DWORD share)
        : handle_(CreateFileW(toWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING,
                              0, nullptr)) {}
    ~HeldByAnother() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    HeldByAnother(const HeldByAnother&) = delete;
    HeldByAnother& operator=(const HeldByAnother&) = delete;
    explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
}  // namespace

TEST(ReadWholeFile, EveryByteOrWhyNot) {
    TempDir dir;
    // Larger than one read, with zero bytes inside.
    Text large(200000, 'x');
    large[70000] = '\0';
    large.back() = '\xB0';
    ASSERT_TRUE(writeBytes(dir / "large", large));
    Text bytes = "left over";
    EXPECT_EQ(readWholeFile(dir / "large", bytes), FileRead::read);
    EXPECT_EQ(bytes.size(), large.size());
    EXPECT_TRUE(bytes == large);

    ASSERT_TRUE(writeBytes(dir / "empty", ""));
    EXPECT_EQ(readWholeFile(dir / "empty", bytes), FileRead::read);
    EXPECT_EQ(bytes, Text());

    EXPECT_EQ(readWholeFile(dir / "missing", bytes), FileRead::missing);
    EXPECT_EQ(readWholeFile(dir / "no folder\\missing", bytes), FileRead::missing);
    EXPECT_EQ(readWholeFile(dir.path(), bytes), FileRead::unreadable) << "a directory";

    // Read while another program writes it, but not while it holds it locked.
    {
        HeldByAnother shared(dir / "empty", kShareAll);
        ASSERT_TRUE(shared);
        EXPECT_EQ(readWholeFile(dir / "empty", bytes), FileRead::read);
    }
    HeldByAnother locked(dir / "empty", 0);
    ASSERT_TRUE(locked);
    EXPECT_EQ(readWholeFile(dir / "empty", bytes), FileRead::unreadable);
}

TEST(RewriteFile, ReplacesTheContentOrLeavesTheFileAsItWas) {
    TempDir dir;
    const Text file = dir / "快捷.txt";
    ASSERT_TRUE(writeBytes(file, "a long old content"));
    EXPECT_TRUE(rewriteFile(file, "new", "a long old content"));
    EXPECT_EQ(readBytes(file), Text("new"));
    EXPECT_TRUE(rewriteFile(file, "", "new"));
    EXPECT_EQ(readBytes(file), Text());
    EXPECT_TRUE(rewriteFile(dir / "missing", "made", ""));
    EXPECT_EQ(readBytes(dir / "missing"), Text("made"));

    // Another program has the file open, sharing it or not: nothing is written.
    ASSERT_TRUE(writeBytes(file, "old\r\n"));
    for (const DWORD share : {kShareAll, DWORD{0}}) {
        HeldByAnother other(file, share);
        ASSERT_TRUE(other);
        EXPECT_FALSE(rewriteFile(file, "new\r\n", "old\r\n")) << "share " << share;
    }
    EXPECT_EQ(readBytes(file), Text("old\r\n"));
    {
        testfiles::Unchangeable readOnly(file);
        if (readOnly) {
            EXPECT_FALSE(rewriteFile(file, "new\r\n", "old\r\n"));
        }
    }
    EXPECT_EQ(readBytes(file), Text("old\r\n"));
}
