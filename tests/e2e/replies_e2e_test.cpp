// The quick replies through the real program: marrowpad.exe started in a folder of its own, its input box,
// add button, list and popup menu driven from this process, its message boxes answered, and its quick reply
// file read back byte for byte.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "panel_process.h"
#include "remote_controls.h"
#include "support/temp_files.h"
#include "support/window_search.h"
#include "util/codepage.h"
#include "util/handles.h"

namespace id = control_ids;

namespace {

// The commands of the popup menu, in menu order (the separators between them are skipped by the keys).
enum class MenuItem { refresh, remove, edit, clear, openFile };

class RepliesThroughThePanel : public ::testing::Test {
protected:
    // Starts the program over a quick reply file holding `content`; nullptr for none.
    void start(const char* content = nullptr) {
        if (content) {
            ASSERT_TRUE(testfiles::writeBytes(replyFile(), content));
        }
        ASSERT_TRUE(panel.start()) << "marrowpad.exe did not show its window";
        list = std::make_unique<remote::ListView>(control(id::replyList));
        // The list is filled last in the set-up, which may let messages through before.
        if (content && *content) {
            ASSERT_TRUE(waitUntil([&] { return list->rowCount() > 0; })) << "the replies were not loaded";
        }
    }

    HWND control(int controlId) const { return panel.control(controlId); }
    Text replyFile() const { return panel.folder() + "\\快捷回复.txt"; }
    std::optional<Text> fileBytes() const { return testfiles::readBytes(replyFile()); }
    TextArray shown() const { return list->column(1); }
    Text caption() const { return remote::textOf(control(id::addButton)); }
    Text input() const { return remote::textOf(control(id::replyInputBox)); }
    // Waits until the program is back in its message loop: after a modal box has closed, say, the rest of
    // the command runs before the program answers.
    void settle() const { SendMessageTimeoutA(panel.window(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr); }

    void add(const Text& reply) {
        ASSERT_TRUE(remote::setText(control(id::replyInputBox), reply));
        ASSERT_TRUE(remote::clickAndWait(control(id::addButton)));
    }
    // A menu command as the menu's owner receives it when the item is chosen; returns once it has run.
    void command(int commandId) {
        ASSERT_TRUE(SendMessageTimeoutA(panel.window(), WM_COMMAND, MAKEWPARAM(commandId, 0), 0, SMTO_NORMAL,
                                        5000, nullptr));
    }
    // Right-clicks the row (which selects it), waits for the popup menu and chooses the item with the keys.
    // The chosen command is posted to the program, which runs it soon after: wait for its effect.
    void chooseFromMenuOn(int row, MenuItem item) {
        // Under load a posted right-click now and then opens no menu (the list can take a press for the start
        // of a drag when a mouse move comes between): click again.
        bool shown = false;
        for (int attempt = 0; attempt < 3 && !shown; ++attempt) {
            list->rightClick(list->rowCentre(row));
            shown = waitUntil([&] { return panel.visiblePopupMenu() != nullptr; }, 3000);
        }
        ASSERT_TRUE(shown) << "no popup menu";
        for (int down = 0; down <= static_cast<int>(item); ++down) {
            PostMessageA(control(id::replyList), WM_KEYDOWN, VK_DOWN, 1);
        }
        PostMessageA(control(id::replyList), WM_KEYDOWN, VK_RETURN, 1);
        ASSERT_TRUE(waitUntil([&] { return panel.visiblePopupMenu() == nullptr; })) << "the menu stayed";
    }

    PanelProcess panel;
    std::unique_ptr<remote::ListView> list;
};

TEST_F(RepliesThroughThePanel, AddEditAndDeleteGoToTheFileAtOnce) {
    start();
    EXPECT_EQ(list->rowCount(), 0);
    EXPECT_EQ(list->currentRow(), -1);

    add("你好，请稍等");
    EXPECT_EQ(fileBytes(), Text("你好，请稍等\r\n"));
    add("好的");
    EXPECT_EQ(fileBytes(), Text("你好，请稍等\r\n好的\r\n"));
    EXPECT_EQ(shown(), TextArray({"你好，请稍等", "好的"}));
    EXPECT_EQ(list->column(0), TextArray({"1", "2"}));
    EXPECT_EQ(input(), "");
    EXPECT_EQ(list->currentRow(), 0) << "the reload makes the first row current";

    // 编辑 through the real popup on the second row: the reply goes into the input box for changing.
    chooseFromMenuOn(1, MenuItem::edit);
    ASSERT_TRUE(waitUntil([&] { return caption() == "更新"; }));
    EXPECT_EQ(input(), "好的");
    ASSERT_TRUE(remote::setText(control(id::replyInputBox), "好的，马上到"));
    ASSERT_TRUE(remote::clickAndWait(control(id::addButton)));
    EXPECT_EQ(fileBytes(), Text("你好，请稍等\r\n好的，马上到\r\n"));
    EXPECT_EQ(caption(), "新增");
    EXPECT_EQ(input(), "");

    // A line break in the input makes two replies.
    add("第三\r\n第四");
    EXPECT_EQ(shown(), TextArray({"你好，请稍等", "好的，马上到", "第三", "第四"}));

    // 删除 right after a reload takes the first reply; through the popup, the row clicked.
    command(id::menuDelete);
    EXPECT_EQ(fileBytes(), Text("好的，马上到\r\n第三\r\n第四\r\n"));
    chooseFromMenuOn(2, MenuItem::remove);
    EXPECT_TRUE(waitUntil([&] { return fileBytes() == Text("好的，马上到\r\n第三\r\n"); }));
    EXPECT_EQ(shown(), TextArray({"好的，马上到", "第三"}));
    EXPECT_EQ(list->column(0), TextArray({"1", "2"}));
}

TEST_F(RepliesThroughThePanel, EmptyInputIsAnsweredByABoxOfThePanel) {
    start("甲\r\n");
    ASSERT_TRUE(remote::setText(control(id::replyInputBox), ""));
    remote::click(control(id::addButton));
    HWND box = remote::findMessageBox(panel.processId(), "信息：");
    ASSERT_NE(box, nullptr) << "no message box";
    EXPECT_EQ(remote::messageBoxText(box), "没有内容哦");
    EXPECT_EQ(remote::messageBoxButtons(box), std::vector<int>({IDOK}));
    EXPECT_EQ(GetWindow(box, GW_OWNER), panel.window());
    EXPECT_FALSE(IsWindowEnabled(panel.window())) << "the box is modal to the panel";

    remote::press(box, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); })) << "the box stayed";
    settle();
    EXPECT_TRUE(IsWindowEnabled(panel.window()));
    EXPECT_EQ(fileBytes(), Text("甲\r\n"));
    EXPECT_EQ(shown(), TextArray({"甲"}));
    EXPECT_EQ(caption(), "新增");
}

TEST_F(RepliesThroughThePanel, ClearingAllAsksFirst) {
    start("甲\r\n乙\r\n");
    for (int answer : {IDCANCEL, IDOK}) {
        SCOPED_TRACE(answer == IDOK ? "OK" : "Cancel");
        PostMessageA(panel.window(), WM_COMMAND, MAKEWPARAM(id::menuClear, 0), 0);
        HWND box = remote::findMessageBox(panel.processId(), "删除所有内容");
        ASSERT_NE(box, nullptr) << "no message box";
        EXPECT_EQ(remote::messageBoxText(box), "是否要删除所有内容？？ 删除后无法恢复");
        EXPECT_EQ(remote::messageBoxButtons(box), std::vector<int>({IDOK, IDCANCEL}));
        EXPECT_EQ(GetWindow(box, GW_OWNER), nullptr) << "the box has no owner";
        remote::press(box, answer);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); })) << "the box stayed";
        settle();
        if (answer == IDCANCEL) {
            EXPECT_EQ(fileBytes(), Text("甲\r\n乙\r\n"));
            EXPECT_EQ(shown(), TextArray({"甲", "乙"}));
        }
    }
    EXPECT_EQ(fileBytes(), Text());
    EXPECT_EQ(list->rowCount(), 0);
}

TEST_F(RepliesThroughThePanel, RefreshTakesInTheFileAsAnotherEditorLeftIt) {
    start("旧\r\n");
    ASSERT_TRUE(testfiles::writeBytes(replyFile(), "甲\r\n\r\n乙\n丙"));
    chooseFromMenuOn(0, MenuItem::refresh);
    EXPECT_TRUE(waitUntil([&] { return list->rowCount() == 3; }));
    EXPECT_EQ(shown(), TextArray({"甲", "", "乙\n丙"}));
    EXPECT_EQ(list->column(0), TextArray({"1", "2", "3"}));
    EXPECT_EQ(list->currentRow(), 0);
}

// Text files open with Notepad on Windows. The Wine prefix of the tests has Notepad's "txtfile" class but
// no ".txt" entry leading to it (and Wine's HKCR does not take in the user's own classes): where the entry
// is missing, the test makes it for its own duration.
class TextFilesOpenWithNotepad {
public:
    TextFilesOpenWithNotepad() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, ".txt", 0, KEY_READ, &key) == ERROR_SUCCESS) {
            RegCloseKey(key);
            ready_ = true;
            return;
        }
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kTextFileKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS) {
            return;
        }
        created_ = true;
        const char fileClass[] = "txtfile";
        ready_ = RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(fileClass),
                                sizeof fileClass) == ERROR_SUCCESS;
        RegCloseKey(key);
    }
    ~TextFilesOpenWithNotepad() {
        if (created_) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTextFileKey);
    }
    TextFilesOpenWithNotepad(const TextFilesOpenWithNotepad&) = delete;
    TextFilesOpenWithNotepad& operator=(const TextFilesOpenWithNotepad&) = delete;
    explicit operator bool() const { return ready_; }

private:
    static constexpr const char* kTextFileKey = "Software\\Classes\\.txt";
    bool created_ = false;
    bool ready_ = false;
};

TEST_F(RepliesThroughThePanel, OpenFileHandsTheFileToTheShellsEditor) {
    TextFilesOpenWithNotepad association;
    ASSERT_TRUE(association);
    start("甲\r\n");
    chooseFromMenuOn(0, MenuItem::openFile);
    // Another program's window with the file's name in its title.
    HWND editorWindow = nullptr;
    ASSERT_TRUE(waitUntil(
        [&] {
            editorWindow = testwindows::findTopLevel([&](HWND window) {
                wchar_t title[256] = {};
                const int length = GetWindowTextW(window, title, 256);
                return testwindows::processOf(window) != panel.processId() && IsWindowVisible(window) &&
                       fromWide(title, length > 0 ? length : 0).find("快捷回复") != std::string::npos;
            });
            return editorWindow != nullptr;
        },
        15000))
        << "no editor window shows the quick reply file";
    handles::unique_handle editor(
        OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, testwindows::processOf(editorWindow)));
    PostMessageA(editorWindow, WM_CLOSE, 0, 0);
    if (editor && WaitForSingleObject(editor.get(), 5000) != WAIT_OBJECT_0) TerminateProcess(editor.get(), 1);

    EXPECT_EQ(shown(), TextArray({"甲"})) << "the list is not reloaded";
    EXPECT_EQ(fileBytes(), Text("甲\r\n"));
}

// A reply file the program cannot change: whatever the command, nothing in the file is lost, the program
// goes on running, and the list shows what the file holds.
enum class Obstacle { readOnly, lockedByAnother, openInAnother };

class RepliesAgainstAnUnwritableFile : public RepliesThroughThePanel,
                                       public ::testing::WithParamInterface<Obstacle> {};

TEST_P(RepliesAgainstAnUnwritableFile, NothingIsLostAndTheListShowsTheFile) {
    const Text content = "第一\r\n第二\r\n";
    start(content.c_str());
    ASSERT_EQ(shown(), TextArray({"第一", "第二"}));

    std::unique_ptr<testfiles::Unchangeable> readOnly;
    handles::unique_hfile held;
    switch (GetParam()) {
        case Obstacle::readOnly:
            readOnly = std::make_unique<testfiles::Unchangeable>(replyFile());
            ASSERT_TRUE(*readOnly);
            break;
        case Obstacle::lockedByAnother:
        case Obstacle::openInAnother: {
            const DWORD share = GetParam() == Obstacle::lockedByAnother
                                    ? 0
                                    : FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
            held.reset(CreateFileW(toWide(replyFile()).c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
            ASSERT_TRUE(held);
            break;
        }
    }

    add("第三");
    EXPECT_EQ(shown(), TextArray({"第一", "第二"})) << "after an add";
    command(id::menuDelete);
    EXPECT_EQ(shown(), TextArray({"第一", "第二"})) << "after a delete";
    PostMessageA(panel.window(), WM_COMMAND, MAKEWPARAM(id::menuClear, 0), 0);
    HWND box = remote::findMessageBox(panel.processId(), "删除所有内容");
    ASSERT_NE(box, nullptr);
    remote::press(box, IDOK);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(box); }));
    settle();
    EXPECT_EQ(shown(), TextArray({"第一", "第二"})) << "after clearing";
    chooseFromMenuOn(1, MenuItem::edit);
    ASSERT_TRUE(waitUntil([&] { return caption() == "更新"; }));
    ASSERT_TRUE(remote::setText(control(id::replyInputBox), "第二改"));
    ASSERT_TRUE(remote::clickAndWait(control(id::addButton)));
    EXPECT_EQ(shown(), TextArray({"第一", "第二"})) << "after an update";

    EXPECT_EQ(panel.waitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program ended";
    held.reset();
    readOnly.reset();
    EXPECT_EQ(fileBytes(), content);
    command(id::menuRefresh);
    EXPECT_EQ(shown(), TextArray({"第一", "第二"}));
}

INSTANTIATE_TEST_SUITE_P(Obstacles, RepliesAgainstAnUnwritableFile,
                         ::testing::Values(Obstacle::readOnly, Obstacle::lockedByAnother,
                                           Obstacle::openInAnother),
                         [](const ::testing::TestParamInfo<Obstacle>& obstacle) {
                             switch (obstacle.param) {
                                 case Obstacle::readOnly:
                                     return "ReadOnly";
                                 case Obstacle::lockedByAnother:
                                     return "LockedByAnother";
                                 case Obstacle::openInAnother:
                                     return "OpenInAnother";
                             }
                             return "";
                         });

}  // namespace
