// Snapshots of fake elements placed in a real window of the test process.
#include "access/snapshot.h"

#include <gtest/gtest.h>

#include <memory>

#include "access_test_support.h"
#include "support/fake_accessible.h"
#include "test_window.h"

// Found by GoogleTest next to Bounds, for readable failures.
static std::ostream& operator<<(std::ostream& out, const Bounds& b) {
    return out << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

namespace {

using access_test::platformRoleText;
using access_test::platformStateText;
using fake::FakeAccessible;

// A window whose top-left corner is at 100, 30, and a tree whose objects report that window.
class SnapshotTest : public testing::Test {
protected:
    void SetUp() override {
        root = FakeAccessible::create({});
        root->window = window.handle();
        fake::Props props;
        props.name = L"好友";
        props.value = L"值";
        props.description = L"描述";
        props.defaultAction = L"双击";
        props.role = ROLE_SYSTEM_LISTITEM;
        props.state = STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED;
        props.location = RECT{120, 45, 420, 65};
        sample = root->addFull(props);
        sample->addSimple({});
        sample->addSimple({});
    }
    static AccElement boundTo(FakeAccessible* object) {
        AccElement element;
        element.bindObject(object);
        return element;
    }

    TestWindow window{100, 30, 400, 200};
    Microsoft::WRL::ComPtr<FakeAccessible> root;
    FakeAccessible* sample = nullptr;
};

// Every field of the record, each compared on its own so that a failure names it.
void expectFields(const ElementInfo& actual, const ElementInfo& expected) {
    EXPECT_EQ(actual.childCount, expected.childCount);
    EXPECT_EQ(actual.childId, expected.childId);
    EXPECT_EQ(actual.description, expected.description);
    EXPECT_EQ(actual.name, expected.name);
    EXPECT_EQ(actual.stateText, expected.stateText);
    EXPECT_EQ(actual.roleText, expected.roleText);
    EXPECT_EQ(actual.value, expected.value);
    EXPECT_EQ(actual.windowPosition, expected.windowPosition);
    EXPECT_EQ(actual.bounds, expected.bounds);
    EXPECT_EQ(actual.defaultAction, expected.defaultAction);
    EXPECT_EQ(actual.stateNumber, expected.stateNumber);
    EXPECT_EQ(actual.roleNumber, expected.roleNumber);
    EXPECT_EQ(actual.screenPosition, expected.screenPosition);
    EXPECT_EQ(actual.size, expected.size);
}

TEST_F(SnapshotTest, AllFieldsOfASampleElement) {
    ASSERT_EQ(windowBounds(window.handle()), (Bounds{100, 30, 400, 200}));
    const AccElement element = boundTo(sample);
    ASSERT_EQ(element.window(), window.handle());
    expectFields(snapshot(element), ElementInfo{"2", "0", "描述", "好友",
                                                platformStateText(STATE_SYSTEM_SELECTED) + "," +
                                                    platformStateText(STATE_SYSTEM_FOCUSED) + ",",
                                                platformRoleText(ROLE_SYSTEM_LISTITEM), "值", "左：20 顶：15",
                                                Bounds{120, 45, 300, 20}, "双击", "6", "34", "左：120 顶：45",
                                                "宽：300 高：20"});
}

TEST_F(SnapshotTest, EmptyElementGivesTheDefaults) {
    expectFields(snapshot(AccElement()),
                 ElementInfo{"0", "0", "", "NAMELESS", platformStateText(0), platformRoleText(0), "",
                             "左：0 顶：0", Bounds{}, "", "0", "0", "左：0 顶：0", "宽：0 高：0"});
}

TEST_F(SnapshotTest, NegativePositions) {
    sample->self().location = RECT{90, 20, 100, 25};  // left of and above the window's corner
    ElementInfo info = snapshot(boundTo(sample));
    EXPECT_EQ(info.windowPosition, "左：-10 顶：-10");
    EXPECT_EQ(info.screenPosition, "左：90 顶：20");

    sample->self().location = RECT{-1500, 45, -1200, 65};  // on a monitor left of the primary one
    info = snapshot(boundTo(sample));
    EXPECT_EQ(info.screenPosition, "左：-1500 顶：45");
    EXPECT_EQ(info.bounds, (Bounds{-1500, 45, 300, 20}));
    EXPECT_EQ(info.windowPosition, "左：-1600 顶：15");
}

TEST_F(SnapshotTest, WithoutAWindowPositionsAreScreenPositions) {
    auto loose = FakeAccessible::create({});
    loose->self().location = RECT{-5, 7, 10, 10};
    const ElementInfo info = snapshot(boundTo(loose.Get()));
    EXPECT_EQ(info.windowPosition, "左：-5 顶：7");
    EXPECT_EQ(info.windowPosition, info.screenPosition);
}

TEST_F(SnapshotTest, NamedNamelessAndUnnamedLookAlike) {
    sample->self().name = L"NAMELESS";
    const Text named = snapshot(boundTo(sample)).name;
    sample->self().name.clear();
    EXPECT_EQ(snapshot(boundTo(sample)).name, named);
    sample->self().failing = true;
    EXPECT_EQ(snapshot(boundTo(sample)).name, named);
}

TEST_F(SnapshotTest, SimpleElementIsReadFromItsContainer) {
    fake::Props props;
    props.name = L"简单";
    props.role = ROLE_SYSTEM_STATICTEXT;
    props.location = RECT{130, 50, 140, 60};
    root->addSimple(props);
    AccElement simple;
    simple.bindChild(2, root.Get());
    ASSERT_EQ(simple.window(), window.handle());
    const ElementInfo info = snapshot(simple);
    EXPECT_EQ(info.childId, "2");
    EXPECT_EQ(info.childCount, "0");
    EXPECT_EQ(info.name, "简单");
    EXPECT_EQ(info.roleNumber, std::to_string(ROLE_SYSTEM_STATICTEXT));
    EXPECT_EQ(info.windowPosition, "左：30 顶：20");
}

TEST(WindowBounds, OfNoWindowIsZero) {
    EXPECT_EQ(windowBounds(nullptr), Bounds{});
}

}  // namespace
