// Binding elements to a real window of the test process and to a point on it.
#include <gtest/gtest.h>

#include "access/acc_element.h"
#include "support/fake_accessible.h"
#include "test_window.h"

namespace {

using fake::FakeAccessible;

class WindowBinding : public testing::Test {
protected:
    void SetUp() override {
        fake::Props props;
        props.name = L"窗口";
        props.role = ROLE_SYSTEM_WINDOW;
        root = FakeAccessible::create(props);
        root->window = window.handle();
        props.name = L"按钮";
        props.role = ROLE_SYSTEM_PUSHBUTTON;
        root->addFull(props);
        props.name = L"文字";
        root->addSimple(props);
        window.served = root.Get();
        startRefs = root->refCount();
    }
    void TearDown() override {
        window.served = nullptr;
        EXPECT_EQ(root->refCount(), startRefs);
    }

    TestWindow window{300, 200, 200, 100};
    Microsoft::WRL::ComPtr<FakeAccessible> root;
    long startRefs = 0;
};

TEST_F(WindowBinding, BindWindowTakesTheWindowsObject) {
    AccElement element;
    ASSERT_TRUE(element.bindWindow(window.handle()));
    EXPECT_EQ(element.name(), "窗口");
    EXPECT_EQ(element.childCount(), 2);
    EXPECT_EQ(element.window(), window.handle());
    EXPECT_FALSE(element.bindWindow(nullptr));
    EXPECT_TRUE(element.isEmpty());
}

TEST_F(WindowBinding, BindPointTakesWhatTheWindowNamesThere) {
    VARIANT hit;
    VariantInit(&hit);
    root->onHitTest = [&hit](long, long, VARIANT* out) { return VariantCopy(out, &hit); };
    ShowWindow(window.handle(), SW_SHOWNOACTIVATE);  // found at the point only when shown
    AccElement element;

    hit.vt = VT_I4;
    hit.lVal = 2;
    ASSERT_TRUE(element.bindPoint(350, 250));
    EXPECT_EQ(element.childId(), 2);
    EXPECT_EQ(element.name(), "文字");

    hit.lVal = CHILDID_SELF;
    ASSERT_TRUE(element.bindPoint(350, 250));
    EXPECT_EQ(element.childId(), 0);
    EXPECT_EQ(element.name(), "窗口");
}

}  // namespace
