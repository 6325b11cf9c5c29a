#include "replies/reply_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "quick_reply_fixture.h"
#include "replies/reply_file.h"
#include "support/temp_files.h"

using namespace replies;
using testfiles::writeBytes;

namespace {

struct Asked {
    HWND owner;
    Text text;
    Text caption;
    UINT buttons;
};

// Message boxes are answered by `answer`.
class ReplyCommands : public QuickReplyFixture {
protected:
    ReplyInputOf<EditBox> input{controls.input};
    ReplyButtonOf<Button> button{controls.addButton};
    ReplyPanel panel{file, list, input, button, controls.window()};
    std::vector<Asked> asked;
    int answer = IDOK;

    void SetUp() override {
        panel.askUser = [this](HWND owner, const Text& text, const Text& caption, UINT buttons) {
            asked.push_back({owner, text, caption, buttons});
            return answer;
        };
    }
    void add(const Text& text) {
        input.setText(text);
        addOrUpdateReply(panel);
    }
};

}  // namespace

TEST_F(ReplyCommands, AddPutsTheInputLastWithTheNextNumber) {
    loadFrom("a\r\n");
    add("你好");
    EXPECT_EQ(fileBytes(), Text("a\r\n你好\r\n"));
    EXPECT_EQ(shown(), TextArray({"a", "你好"}));
    EXPECT_EQ(list.cell(1, kNumberColumn), "2");
    EXPECT_EQ(input.text(), "");
    EXPECT_EQ(button.caption(), "新增");
    EXPECT_TRUE(asked.empty());

    // A line break in the input makes several replies.
    add("x\r\ny");
    EXPECT_EQ(shown(), TextArray({"a", "你好", "x", "y"}));
}

TEST_F(ReplyCommands, AddWithEmptyInputOnlyAsks) {
    loadFrom("a\r\n");
    // Written by another program after the load: only the reload that ends the click shows it.
    ASSERT_TRUE(writeBytes(file.path, "a\r\nb\r\n"));
    add("");
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].owner, controls.window());
    EXPECT_EQ(asked[0].text, "没有内容哦");
    EXPECT_EQ(asked[0].caption, "信息：");
    EXPECT_EQ(asked[0].buttons, static_cast<UINT>(MB_OK));
    EXPECT_EQ(fileBytes(), Text("a\r\nb\r\n"));
    EXPECT_EQ(shown(), TextArray({"a", "b"}));
}

TEST_F(ReplyCommands, UpdateWritesIntoTheRowCurrentAtTheClick) {
    loadFrom("a\r\nb\r\nc\r\n");
    editReply(panel);  // the reload made the first row current
    EXPECT_EQ(input.text(), "a");
    EXPECT_EQ(button.caption(), "更新");

    list.setCurrentRow(1);
    input.setText("B");
    addOrUpdateReply(panel);
    EXPECT_EQ(fileBytes(), Text("a\r\nB\r\nc\r\n"));
    EXPECT_EQ(button.caption(), "新增");
    EXPECT_EQ(input.text(), "");
}

TEST_F(ReplyCommands, UpdateWithoutCurrentRowChangesNoRow) {
    loadFrom("a\r\nb");
    editReply(panel);
    list.setCurrentRow(-1);
    addOrUpdateReply(panel);
    EXPECT_EQ(fileBytes(), Text("a\r\nb\r\n"));
    EXPECT_EQ(button.caption(), "新增");
    EXPECT_EQ(input.text(), "");
}

TEST_F(ReplyCommands, EditAndDeleteWithoutCurrentRowDoNothing) {
    loadFrom("a\r\n");
    list.setCurrentRow(-1);
    input.setText("typed");
    editReply(panel);
    deleteReply(panel);
    EXPECT_EQ(input.text(), "typed");
    EXPECT_EQ(button.caption(), "新增");
    EXPECT_EQ(fileBytes(), Text("a\r\n"));
}

TEST_F(ReplyCommands, DeleteTakesTheCurrentRowDownToAnEmptyFile) {
    loadFrom("a\r\nb\r\n");
    deleteReply(panel);  // first row, current after the reload
    EXPECT_EQ(fileBytes(), Text("b\r\n"));
    deleteReply(panel);
    EXPECT_EQ(fileBytes(), Text());
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(ReplyCommands, ClearAsksAndOnlyOkDeletes) {
    loadFrom("a\r\nb\r\n");
    answer = IDCANCEL;
    clearReplies(panel);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].owner, nullptr);
    EXPECT_EQ(asked[0].text, "是否要删除所有内容？？ 删除后无法恢复");
    EXPECT_EQ(asked[0].text,
              "\xCA\xC7\xB7\xF1\xD2\xAA\xC9\xBE\xB3\xFD\xCB\xF9\xD3\xD0\xC4\xDA\xC8\xDD\xA3\xBF\xA3\xBF "
              "\xC9\xBE\xB3\xFD\xBA\xF3\xCE\xDE\xB7\xA8\xBB\xD6\xB8\xB4");
    EXPECT_EQ(asked[0].caption, "删除所有内容");
    EXPECT_EQ(asked[0].buttons, static_cast<UINT>(MB_OKCANCEL));
    EXPECT_EQ(fileBytes(), Text("a\r\nb\r\n"));
    EXPECT_EQ(list.rowCount(), 2);

    answer = IDOK;
    clearReplies(panel);
    EXPECT_EQ(fileBytes(), Text());
    EXPECT_EQ(list.rowCount(), 0);
}

TEST_F(ReplyCommands, ModeSurvivesDeleteClearAndRefresh) {
    loadFrom("a\r\nb\r\n");
    editReply(panel);
    deleteReply(panel);
    clearReplies(panel);
    ASSERT_EQ(fileBytes(), Text()) << "the clear was confirmed";
    refreshReplies(panel);
    EXPECT_EQ(button.caption(), "更新");
    EXPECT_EQ(input.text(), "a");
}

TEST_F(ReplyCommands, RefreshTakesInChangesMadeOutside) {
    loadFrom("a\r\n");
    ASSERT_TRUE(writeBytes(file.path, "x\r\ny\r\n"));
    refreshReplies(panel);
    EXPECT_EQ(shown(), TextArray({"x", "y"}));
    EXPECT_EQ(list.currentRow(), 0);
}

TEST_F(ReplyCommands, OpenFileHandsTheFilesPathToTheShell) {
    Text opened;
    panel.openWithShell = [&](const Text& path) { opened = path; };
    loadFrom("a\r\n");
    openReplyFile(panel);
    EXPECT_EQ(opened, exeDirectory.path() + "/快捷回复.txt");
    EXPECT_EQ(shown(), TextArray({"a"}));
}

// Editing one reply of a file written in UTF-8 leaves the other replies' bytes as they were.
TEST_F(ReplyCommands, EditingOneReplyKeepsTheBytesOfTheOthers) {
    // 你好吗! in UTF-8: read as GBK pairs, the last one (0x97 0x21) is no character and shows as "?".
    const Text utf8Line = "\xE4\xBD\xA0\xE5\xA5\xBD\xE5\x90\x97!";
    loadFrom(utf8Line + "\r\nb\r\n" + utf8Line + "\r\n");
    ASSERT_EQ(list.rowCount(), 3);
    ASSERT_NE(list.cell(0, kReplyColumn), utf8Line);  // the list cannot give these bytes back
    list.setCurrentRow(1);
    editReply(panel);
    input.setText("B");
    addOrUpdateReply(panel);
    EXPECT_EQ(fileBytes(), utf8Line + "\r\nB\r\n" + utf8Line + "\r\n");

    deleteReply(panel);  // the first row
    EXPECT_EQ(fileBytes(), Text("B\r\n") + utf8Line + "\r\n");
}

// "编辑" on such a reply and "更新" with the input as it came: the input box shows the reply changed, but
// the user changed nothing, and the reply keeps its bytes. A change typed into the box is stored.
TEST_F(ReplyCommands, UpdatingAReplyTheBoxCannotShowKeepsItsBytesUntilChanged) {
    const Text utf8Line = "\xE4\xBD\xA0\xE5\xA5\xBD\xE5\x90\x97!";
    loadFrom("a\r\n" + utf8Line + "\r\n");
    list.setCurrentRow(1);
    editReply(panel);
    ASSERT_NE(input.text(), utf8Line);
    addOrUpdateReply(panel);
    EXPECT_EQ(fileBytes(), "a\r\n" + utf8Line + "\r\n");

    list.setCurrentRow(1);
    editReply(panel);
    input.setText(input.text() + "?");
    addOrUpdateReply(panel);
    EXPECT_EQ(fileBytes(), "a\r\n" + list.cell(1, kReplyColumn) + "\r\n");
    EXPECT_NE(list.cell(1, kReplyColumn), utf8Line);
}

// Another panel or an editor wrote the file after this panel read it: each command still does what the user
// asked, on what the file holds now.
TEST_F(ReplyCommands, CommandsOnAFileChangedMeanwhileDoWhatTheUserAsked) {
    const auto update = [this](int row, const Text& text) {
        list.setCurrentRow(row);
        editReply(panel);
        input.setText(text);
        addOrUpdateReply(panel);
    };
    struct Case {
        const char* what;
        const char* read;
        const char* meanwhile;
        std::function<void()> command;
        const char* written;
    } cases[] = {
        {"clearing, confirmed, deletes what was added meanwhile too", "a\r\nb\r\n", "a\r\nb\r\nx\r\n",
         [this] { clearReplies(panel); }, ""},
        {"clearing, confirmed, deletes rows changed meanwhile too", "a\r\nb\r\n", "x\r\nb\r\n",
         [this] { clearReplies(panel); }, ""},
        {"adding to a list read from an empty file goes after what was added meanwhile", "", "x\r\n",
         [this] { add("new"); }, "x\r\nnew\r\n"},
        {"adding goes at the end", "a\r\n", "a\r\nx\r\n", [this] { add("new"); }, "a\r\nx\r\nnew\r\n"},
        {"updating a middle row changed meanwhile", "a\r\nb\r\nc\r\n", "a\r\nX\r\nc\r\n",
         [&] { update(1, "B"); }, "a\r\nB\r\nc\r\n"},
        {"updating the first row changed meanwhile", "a\r\nb\r\n", "X\r\nb\r\n", [&] { update(0, "A"); },
         "A\r\nb\r\n"},
        {"updating the last row changed meanwhile", "a\r\nb\r\n", "a\r\nX\r\n", [&] { update(1, "B"); },
         "a\r\nB\r\n"},
        {"updating the only row changed meanwhile", "a\r\n", "X\r\n", [&] { update(0, "A"); }, "A\r\n"},
        {"updating a row moved meanwhile", "a\r\nb\r\nc\r\n", "b\r\nc\r\na\r\n", [&] { update(0, "A"); },
         "b\r\nc\r\nA\r\n"},
        {"updating a row deleted meanwhile keeps the update, at the end", "a\r\nb\r\nc\r\n", "a\r\nc\r\n",
         [&] { update(1, "B"); }, "a\r\nc\r\nB\r\n"},
        {"deleting a row moved meanwhile", "a\r\nb\r\nc\r\n", "x\r\nc\r\nb\r\na\r\n",
         [&] {
             list.setCurrentRow(1);
             deleteReply(panel);
         },
         "x\r\nc\r\na\r\n"},
    };
    for (const Case& c : cases) {
        loadFrom(c.read);
        ASSERT_TRUE(writeBytes(file.path, c.meanwhile));
        c.command();
        EXPECT_EQ(fileBytes(), Text(c.written)) << c.what;
        EXPECT_EQ(list.rowCount(), static_cast<int>(replies::parseReplies(c.written).size())) << c.what;
    }
}
