// Texts read from another program's accessibility tree arrive as UTF-16 and become Text through code page
// 936, whatever the system's code page. CTest runs these tests under code pages 936, 1252 and 950 as well.
#include <gtest/gtest.h>

#include "access/acc_element.h"
#include "app/controls.h"
#include "support/fake_accessible.h"

namespace {

// A friend whose nickname holds an emoji, which GBK has no character for: the Chinese stays Chinese and
// the emoji becomes the same replacement on every system. Shown in the nickname box and read back, the
// name is the same Text again, so the tick that compares the two does not write the box on every pass.
TEST(TextOnEveryCodePage, NicknameWithAnEmojiComesBackTheSame) {
    fake::Props props;
    props.name = L"小明\U0001F600 Ming";
    const auto object = fake::FakeAccessible::create(props);
    AccElement element;
    element.bindObject(object.Get());
    const Text name = element.name();
    EXPECT_EQ(name, "小明?? Ming") << "code page " << GetACP();

    HWND window =
        CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 200, 30, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    EditBox box(window);
    box.setText(name);
    EXPECT_EQ(box.text(), name);
    DestroyWindow(window);
}

}  // namespace
