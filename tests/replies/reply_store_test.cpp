#include "replies/reply_store.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "byte_literals.h"
#include "quick_reply_fixture.h"
#include "support/temp_files.h"

using namespace replies;
using testfiles::writeBytes;

namespace {

class QuickReplyStore : public QuickReplyFixture {
protected:
    void append(const Text& reply) { file.replies.add(reply); }
};

// Holds the file open the way another program might, for the life of the object.
struct OtherProgramHolds {
    OtherProgramHolds(const Text& path, DWORD share)
        : handle(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr, OPEN_EXISTING, 0,
                             nullptr)) {}
    ~OtherProgramHolds() {
        if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
    }
    HANDLE handle;
};

}  // namespace

TEST_F(QuickReplyStore, PathIsTheExecutableDirectoryWithForwardSlash) {
    EXPECT_EQ(file.path, exeDirectory.path() + "/快捷回复.txt");
}

TEST_F(QuickReplyStore, EnsureCreatesAnEmptyFileOnlyWhenNothingIsThere) {
    ensureQuickReplyFile(file);
    EXPECT_EQ(fileBytes(), Text());

    ASSERT_TRUE(writeBytes(file.path, "keep\r\n"));
    ensureQuickReplyFile(file);
    EXPECT_EQ(fileBytes(), Text("keep\r\n"));
}

TEST_F(QuickReplyStore, LoadShowsEachLineNumberedWithTheFirstCurrent) {
    loadFrom("ab\r\n\r\n微信\r\n");
    EXPECT_EQ(shown(), TextArray({"ab", "", "微信"}));
    EXPECT_EQ(column(kNumberColumn), TextArray({"1", "2", "3"}));
    EXPECT_EQ(list.currentRow(), 0);

    // A reload replaces every row and numbers them again.
    loadFrom("x");
    EXPECT_EQ(shown(), TextArray({"x"}));
    EXPECT_EQ(column(kNumberColumn), TextArray({"1"}));
}

TEST_F(QuickReplyStore, EmptyOrMissingFileGivesAnEmptyListWithoutCurrentRow) {
    loadFrom("a\r\nb\r\n");
    loadFrom("");
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_EQ(list.currentRow(), -1);

    loadFrom("a\r\n");
    DeleteFileA(file.path.c_str());
    loadQuickReplies(file, list);
    EXPECT_EQ(list.rowCount(), 0);
}

// Files written by other editors, loaded through the list and saved again after one added reply: the rows
// are what the file holds, and the file keeps every byte it had before the end of its text.
TEST_F(QuickReplyStore, FilesFromOtherEditorsKeepTheirBytesThroughASave) {
    struct Case {
        const char* what;
        std::string_view file;
        int rows;
        std::string_view saved;  // before the added reply
    } cases[] = {
        {"two lines", "ab\r\ncd\r\n", 2, "ab\r\ncd\r\n"},
        {"no final line end", "ab\r\ncd", 2, "ab\r\ncd\r\n"},
        {"starts with a line end", "\r\nab\r\n", 2, "\r\nab\r\n"},
        {"LF only", "ab\ncd\n", 1, "ab\ncd\n\r\n"},
        {"byte-order mark",
         "\xEF\xBB\xBF"
         "ab\r\ncd\r\n",
         2,
         "\xEF\xBB\xBF"
         "ab\r\ncd\r\n"},
        {"UTF-8 lines", "\xE4\xBD\xA0\r\n\xE5\xA5\xBD\r\n", 1, "\xE4\xBD\xA0\r\n\xE5\xA5\xBD\r\n\r\n"},
        {"Ctrl+Z as a trail byte", "\xB0\x1A\r\nab\r\n", 2, "\xB0\x1A\r\nab\r\n"},
        {"zero byte", bytes("ab\r\ncd\0ef\r\n"), 2, "ab\r\ncd\r\n"},
        {"Ctrl+Z",
         "ab\r\n\x1A"
         "cd\r\n",
         1, "ab\r\n"},
        {"lead byte at the end", "ab\r\ncd\xB0", 2, "ab\r\ncd\r\n"},
    };
    for (const Case& c : cases) {
        loadFrom(c.file);
        EXPECT_EQ(list.rowCount(), c.rows) << c.what;
        append("新的");
        saveQuickReplies(file, list);
        EXPECT_EQ(fileBytes(), Text(c.saved) + "新的\r\n") << c.what;
        EXPECT_EQ(list.rowCount(), c.rows + 1) << c.what;
        EXPECT_EQ(list.cell(c.rows, kNumberColumn), std::to_string(c.rows + 1)) << c.what;
    }
}

TEST_F(QuickReplyStore, SaveWritesEveryRowWithALineEndAndReloads) {
    loadFrom("");
    for (const Text reply : {"ab", "", "好友"}) append(reply);
    saveQuickReplies(file, list);
    EXPECT_EQ(fileBytes(), Text("ab\r\n\r\n好友\r\n"));
    EXPECT_EQ(column(kNumberColumn), TextArray({"1", "2", "3"}));
    EXPECT_EQ(list.currentRow(), 0);

    file.replies.clear();
    saveQuickReplies(file, list);
    EXPECT_EQ(fileBytes(), Text());
}

// A second panel (or an editor) wrote the file after this list was read from it: a save keeps its replies.
TEST_F(QuickReplyStore, ReplyWrittenByAnotherProgramMeanwhileSurvivesASave) {
    loadFrom("第一\r\n第二\r\n");
    ASSERT_TRUE(testfiles::writeBytes(file.path, "第一\r\n第二\r\n别处加的\r\n"));
    append("这里加的");
    saveQuickReplies(file, list);
    EXPECT_EQ(fileBytes(), Text("第一\r\n第二\r\n别处加的\r\n这里加的\r\n"));
    EXPECT_EQ(shown(), TextArray({"第一", "第二", "别处加的", "这里加的"}));

    // Deleting a row deletes that reply, wherever the other program's change put it.
    ASSERT_TRUE(testfiles::writeBytes(file.path, "开头\r\n第一\r\n第二\r\n别处加的\r\n这里加的\r\n"));
    file.replies.remove(1);  // 第二, as this list shows it
    saveQuickReplies(file, list);
    EXPECT_EQ(fileBytes(), Text("开头\r\n第一\r\n别处加的\r\n这里加的\r\n"));
}

TEST_F(QuickReplyStore, LockedFileIsLeftAsItIsAndTheListShowsIt) {
    const Text content = "a\r\nb\r\n";
    loadFrom(content);
    {
        OtherProgramHolds lock(file.path, 0);
        ASSERT_NE(lock.handle, INVALID_HANDLE_VALUE);
        loadQuickReplies(file, list);
        EXPECT_EQ(shown(), TextArray({"a", "b"}));
        append("c");
        saveQuickReplies(file, list);
        EXPECT_EQ(shown(), TextArray({"a", "b"}));
    }
    EXPECT_EQ(fileBytes(), content);
}

TEST_F(QuickReplyStore, FileNeverReadIsNeverWrittenOver) {
    const Text content = "a\r\nb\r\n";
    ASSERT_TRUE(writeBytes(file.path, content));
    {
        OtherProgramHolds lock(file.path, 0);
        loadQuickReplies(file, list);
        EXPECT_EQ(list.rowCount(), 0);
    }
    // The lock is gone, but the list never held the file's replies: saving it would have lost them.
    append("c");
    saveQuickReplies(file, list);
    EXPECT_EQ(fileBytes(), content);
    EXPECT_EQ(shown(), TextArray({"a", "b"}));
}

// Another program has the file open and lets others read and write: the file cannot be emptied, and the
// list must not be appended to the old content either.
TEST_F(QuickReplyStore, FileHeldOpenByAnotherProgramGetsNoRepliesTwice) {
    const Text content = "a\r\nb\r\n";
    loadFrom(content);
    {
        OtherProgramHolds shared(file.path, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
        ASSERT_NE(shared.handle, INVALID_HANDLE_VALUE);
        append("c");
        saveQuickReplies(file, list);
        EXPECT_EQ(shown(), TextArray({"a", "b"}));
    }
    EXPECT_EQ(fileBytes(), content);
}

TEST_F(QuickReplyStore, ReadOnlyFileKeepsItsContent) {
    const Text content = "a\r\nb\r\n";
    loadFrom(content);
    {
        testfiles::Unchangeable readOnly(file.path);
        if (!readOnly) GTEST_SKIP() << "the file cannot be made read-only here";
        append("c");
        saveQuickReplies(file, list);
        EXPECT_EQ(shown(), TextArray({"a", "b"}));
    }
    EXPECT_EQ(fileBytes(), content);
}

TEST_F(QuickReplyStore, UnwritableDirectoryGivesNoFileAndAnEmptyList) {
    {
        testfiles::Unchangeable unwritable(exeDirectory.path());
        if (!unwritable) GTEST_SKIP() << "the folder cannot be made unwritable here";
        ensureQuickReplyFile(file);
        loadQuickReplies(file, list);
        append("c");
        saveQuickReplies(file, list);
        EXPECT_EQ(list.rowCount(), 0);
    }
    EXPECT_FALSE(testfiles::exists(file.path));
}

TEST_F(QuickReplyStore, DirectoryOfTheFilesNameIsLeftAlone) {
    ASSERT_TRUE(CreateDirectoryA(file.path.c_str(), nullptr));
    ensureQuickReplyFile(file);
    loadQuickReplies(file, list);
    append("c");
    saveQuickReplies(file, list);
    EXPECT_EQ(list.rowCount(), 0);
    EXPECT_TRUE(GetFileAttributesA(file.path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}
