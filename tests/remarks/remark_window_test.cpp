// The remark procedures on real windows: a nickname edit box whose change notification runs the
// lookup, as the panel wires it, a multi-line remark box, and a status label, with the real
// message-processing wait of a save.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>

#include "remarks/gbk_text_codec.h"
#include "remarks/remark_store.h"
#include "sqlite_test_support.h"
#include "util/message_pump.h"

namespace {

Text windowText(HWND window) {
    Text text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Control wrappers with the members of the panel's own EditBox and Label.
struct EditBox {
    HWND window = nullptr;
    Text text() const { return windowText(window); }
    void setText(const Text& text) { SetWindowTextA(window, text.c_str()); }
};

struct Label {
    HWND window = nullptr;
    Text text() const { return windowText(window); }
    void setText(const Text& text) { SetWindowTextA(window, text.c_str()); }
    bool visible() const { return (GetWindowLongPtrA(window, GWL_STYLE) & WS_VISIBLE) != 0; }
    void setVisible(bool visible) { ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE); }
};

constexpr int kNicknameId = 1;
constexpr UINT_PTR kTimerId = 7;

class RemarkWindowTest : public testing::Test {
protected:
    void SetUp() override {
        current = this;
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "RemarkWindowTest";
        RegisterClassA(&windowClass);
        // The panel stays hidden (showing a top-level window under Xvfb costs seconds); the status
        // label's own visible style is what a save switches.
        panel = CreateWindowA("RemarkWindowTest", "panel", WS_OVERLAPPEDWINDOW, 0, 0, 348, 400, nullptr,
                              nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(panel, nullptr);
        const auto child = [&](const char* cls, DWORD style, int id, int top, int height) {
            return CreateWindowA(cls, "", WS_CHILD | WS_VISIBLE | style, 3, top, 330, height, panel,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), windowClass.hInstance,
                                 nullptr);
        };
        nicknameBox.window = child("EDIT", ES_AUTOHSCROLL, kNicknameId, 5, 23);
        remarkBox.window = child("EDIT", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL, 2, 35, 200);
        status.window = child("STATIC", 0, 3, 240, 24);

        query(folder.remarkFile(),
              u8"CREATE TABLE 信息 (昵称 TEXT, 备注 TEXT);"
              u8"INSERT INTO 信息 VALUES ('Alice', 'upper'), ('中文', '老同学（大学）' || char(13, 10) || "
              u8"'第二行');");
        openRemarkStore(database, dataset, fields, folder.path());
        ASSERT_EQ(dataset.rowCount(), 2);
    }

    void TearDown() override {
        closeRemarkStore(dataset, database);
        DestroyWindow(panel);
        processPendingMessages();
        current = nullptr;
    }

    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (current && message == WM_COMMAND && LOWORD(wParam) == kNicknameId &&
            HIWORD(wParam) == EN_CHANGE) {
            current->lookup();
            return 0;
        }
        if (current && message == WM_TIMER && wParam == kTimerId) {
            KillTimer(window, kTimerId);
            if (current->onTimer) current->onTimer();
            return 0;
        }
        return DefWindowProcA(window, message, wParam, lParam);
    }

    void lookup() {
        ++lookups;
        lookupRemark(dataset, nicknameField, remarkField);
    }
    void save() { saveRemark(dataset, nicknameField, remarkField, statusField, waitProcessingMessages); }
    std::string rows() { return query(folder.remarkFile(), u8"SELECT 昵称, 备注 FROM 信息 ORDER BY rowid;"); }

    static RemarkWindowTest* current;
    TempFolder folder;
    SqliteDB database{gbkTextCodec()};
    SqliteDataset dataset;
    std::vector<SqliteFieldInfo> fields = std::vector<SqliteFieldInfo>(2);
    HWND panel = nullptr;
    EditBox nicknameBox, remarkBox;
    Label status;
    TextFieldOf<EditBox> nicknameField{nicknameBox};
    TextFieldOf<EditBox> remarkField{remarkBox};
    StatusLabelOf<Label> statusField{status};
    int lookups = 0;
    std::function<void()> onTimer;
};
RemarkWindowTest* RemarkWindowTest::current = nullptr;

}  // namespace

TEST_F(RemarkWindowTest, TheNicknameBoxChangeShowsTheStoredRemark) {
    const struct {
        Text nickname;
        Text remark;
    } cases[] = {{"中文", "老同学（大学）\r\n第二行"}, {"Alice", "upper"}, {"alice", ""}, {"", ""}};
    for (const auto& c : cases) {
        remarkBox.setText("previous");
        const int before = lookups;
        nicknameBox.setText(c.nickname);
        EXPECT_EQ(lookups, before + 1) << "the write itself ran the lookup";
        EXPECT_EQ(remarkBox.text(), c.remark) << c.nickname;
    }
}

TEST_F(RemarkWindowTest, TheStatusShowsDuringTheWaitAndHidesAfterIt) {
    const struct {
        const char* lock;
        Text statusText;
        const char* rows;
    } cases[] = {
        {"BEGIN IMMEDIATE", "保存失败", u8"Alice|upper\n中文|老同学（大学）\r\n第二行\n"},
        {nullptr, "已保存", u8"Alice|upper\n中文|老同学（大学）\r\n第二行\nBob|第一行\r\n第二行\n"},
    };
    for (const auto& c : cases) {
        nicknameBox.setText("Bob");
        remarkBox.setText("第一行\r\n第二行");
        bool sampled = false;
        onTimer = [&] {
            sampled = true;
            EXPECT_TRUE(status.visible());
            EXPECT_EQ(status.text(), c.statusText);
        };
        status.setVisible(false);
        SetTimer(panel, kTimerId, 50, nullptr);
        const DWORD start = GetTickCount();
        {
            std::unique_ptr<HeldLock> lock;
            if (c.lock) lock = std::make_unique<HeldLock>(folder.remarkFile(), c.lock);
            save();
        }
        EXPECT_GT(GetTickCount() - start, 300u);
        EXPECT_TRUE(sampled) << "messages went on being processed during the wait";
        EXPECT_FALSE(status.visible());
        EXPECT_EQ(rows(), c.rows);
    }
}

TEST_F(RemarkWindowTest, ASecondClickDuringTheWaitRunsAWholeSaveInside) {
    nicknameBox.setText("Bob");
    remarkBox.setText("first");
    bool nested = false;
    onTimer = [&] {
        nested = true;
        remarkBox.setText("second");
        onTimer = nullptr;
        save();
        EXPECT_FALSE(status.visible()) << "the inner save hides the label when it ends";
    };
    SetTimer(panel, kTimerId, 50, nullptr);
    save();
    EXPECT_TRUE(nested);
    EXPECT_FALSE(status.visible());
    EXPECT_EQ(rows(), u8"Alice|upper\n中文|老同学（大学）\r\n第二行\nBob|second\n")
        << "the second save updated the row of the first";
}
