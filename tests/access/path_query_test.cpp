// Path queries over a fake tree laid out like a chat client's window object, with children reported as
// objects and as numbers.
#include "access/path_query.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "access/acc_element.h"
#include "access/snapshot.h"
#include "access_test_support.h"
#include "support/fake_accessible.h"
#include "util/gbk_text.h"

namespace {

using access_test::platformRoleText;
using access_test::platformStateText;
using fake::FakeAccessible;

fake::Props props(const wchar_t* name, long role, long state = 0, const wchar_t* value = L"") {
    fake::Props p;
    p.name = name;
    p.role = role;
    p.state = state;
    p.value = value;
    return p;
}

struct Case {
    Text path;
    Text expected;  // the name reached, or "failed"
};

// The first `count` characters of a GBK text.
Text firstCharacters(const Text& text, int count) {
    std::size_t end = 0;
    for (int i = 0; i < count && end < text.size(); ++i) end += gbk::charLength(text, end);
    return text.substr(0, end);
}

// window
//   #1 标题栏 (title bar, focusable)     #2 (no name, push button)      #3 客户区 (client, value "v3")
//        #1 面板 (pane)                                                      #2 列表 (list)
//             #1 昵称 (full)   #2 好友 (simple)
//   #4 简单 (simple, id 4)               #5 an element whose reads fail  #6 NAMELESS (named so, value "=x")
class PathQuery : public testing::TestWithParam<bool> {
protected:
    void SetUp() override {
        root = FakeAccessible::create(props(L"window", ROLE_SYSTEM_WINDOW));
        root->addFull(props(L"标题栏", ROLE_SYSTEM_TITLEBAR, STATE_SYSTEM_FOCUSABLE));
        root->addFull(props(L"", ROLE_SYSTEM_PUSHBUTTON));
        FakeAccessible* client = root->addFull(props(L"客户区", ROLE_SYSTEM_CLIENT, 0, L"v3"));
        FakeAccessible* pane = client->addFull(props(L"面板", ROLE_SYSTEM_PANE));
        pane->addFull(props(L"昵称", ROLE_SYSTEM_STATICTEXT));
        pane->addSimple(props(L"好友", ROLE_SYSTEM_STATICTEXT));
        client->addFull(props(L"列表", ROLE_SYSTEM_LIST));
        root->addSimple(props(L"简单", ROLE_SYSTEM_STATICTEXT));
        fake::Props failing = props(L"hidden", ROLE_SYSTEM_GRAPHIC);
        failing.failing = true;
        root->addFull(failing);
        root->addFull(props(L"NAMELESS", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, L"=x"));
        for (FakeAccessible* node : {root.Get(), client, pane}) node->childrenAsNumbers = GetParam();

        rootElement.bindObject(root.Get());
        sentinel = FakeAccessible::create(props(L"sentinel", 0));
        startRefs = {root->refCount(), client->refCount(), pane->refCount(), sentinel->refCount()};
        refs = [=] {
            return std::vector<long>{root->refCount(), client->refCount(), pane->refCount(),
                                     sentinel->refCount()};
        };
    }
    void TearDown() override { EXPECT_EQ(refs(), startRefs) << "a query left references behind"; }

    // The name the query reaches, or "failed" (out then still holds the sentinel).
    Text reached(const Text& path) {
        AccElement out;
        out.bindObject(sentinel.Get());
        const bool found = findByPath(rootElement, path, out);
        const Text name = snapshot(out).name;
        if (!found) return name == "sentinel" ? "failed" : "failed, but out changed to " + name;
        return name;
    }
    void checkPaths(const std::vector<Case>& cases) {
        for (const Case& c : cases) EXPECT_EQ(reached(c.path), c.expected) << "path " << c.path;
    }

    Microsoft::WRL::ComPtr<FakeAccessible> root, sentinel;
    AccElement rootElement;
    std::vector<long> startRefs;
    std::function<std::vector<long>()> refs;
};

TEST_P(PathQuery, IndexSteps) {
    checkPaths({
        {"", "window"},
        {">>>", "window"},
        {"#3", "客户区"},
        {"x>#3", "客户区"},  // a step of another kind is ignored
        {"abc", "window"},
        {"#1", "标题栏"},
        {"#-1", "NAMELESS"},
        {"#-6", "标题栏"},
        {"#6", "NAMELESS"},
        {"#-7", "failed"},
        {"#7", "failed"},
        {"#0", "failed"},
        {"#", "failed"},
        {"#abc", "failed"},
        {"#+3", "客户区"},
        {"#  3", "客户区"},
        {"#3abc", "客户区"},
        {"#　３", "客户区"},  // full-width blank and digit
        {"#－１", "NAMELESS"},
        {"#99999999999999999999999", "failed"},
        {"#-99999999999999999999999", "failed"},
        {"#3>#1>#1", "昵称"},
        {"#3>>#1>#2", "好友"},
        {"#4", "简单"},       // a simple element is reached ...
        {"#4>#1", "failed"},  // ... but has no children
        {"#3>#1>#2>#1", "failed"},
        {"#3>#1>#2>?", "failed"},
        {"#5", "NAMELESS"},  // reached although nothing of it can be read
    });
}

TEST_P(PathQuery, ConditionSteps) {
    const Text client = platformRoleText(ROLE_SYSTEM_CLIENT);
    const Text normal = platformStateText(0);
    checkPaths({
        {"?", "标题栏"},
        {"?t==" + client + "&s==" + normal, "客户区"},
        {"?t==" + client + "&s==" + normal + ">#1>#1", "昵称"},
        {"?t==" + client + "&s==" + normal + ">#1>#2", "好友"},
        {"?t=" + firstCharacters(client, 2), "客户区"},
        {"?n==NAMELESS", "NAMELESS"},  // the nameless #2 comes first ...
        {"?n==NAMELESS&t==" + platformRoleText(ROLE_SYSTEM_PUSHBUTTON), "NAMELESS"},
        {"?n==", "failed"},  // ... and no clause selects an empty name with the empty value
        {"?s==" + normal + "&t==" + platformRoleText(0),
         "NAMELESS"},  // #5: unreadable reads as role 0, state 0
        {"?id==4", "简单"},
        {"?id==0", "标题栏"},
        {"?n==列表", "failed"},  // not a child of the window
        {"#3>?n==列表", "列表"},
        {"?n==客户区==other", "客户区"},
        {"?v===x", "NAMELESS"},  // the value "=x" of #6
        {"?v==v3", "客户区"},
        {"?v==", "标题栏"},
        {"?n=客户", "客户区"},
        {"?x==客户区", "failed"},
        {"?x=客户区", "failed"},
        {"?n==客户区&", "客户区"},
        {"?&n==客户区", "failed"},
        {"?n==客户区&&t==" + client, "failed"},
        {"?N==客户区", "failed"},
        {"?n", "failed"},
    });
}

TEST_P(PathQuery, FailedQueryLeavesOutAndRootAlone) {
    AccElement out;
    out.bindObject(sentinel.Get());
    EXPECT_FALSE(findByPath(rootElement, "#3>#9", out));
    EXPECT_EQ(out.name(), "sentinel");
    EXPECT_EQ(rootElement.name(), "window");
    ASSERT_TRUE(findByPath(rootElement, "#3", out));
    EXPECT_EQ(out.name(), "客户区");
    EXPECT_EQ(rootElement.name(), "window");
}

TEST_P(PathQuery, EmptyRootFailsEveryStepButTheEmptyPath) {
    const AccElement empty;
    AccElement out;
    out.bindObject(sentinel.Get());
    EXPECT_FALSE(findByPath(empty, "#1", out));
    EXPECT_FALSE(findByPath(empty, "?", out));
    EXPECT_EQ(out.name(), "sentinel");
    EXPECT_TRUE(findByPath(empty, ">x>", out));
    EXPECT_TRUE(out.isEmpty());
    EXPECT_TRUE(matchesCondition("", empty));  // the empty condition holds for every element
}

TEST_P(PathQuery, NegativeChildCountNamesNoChild) {
    root->onChildCount = [](long* count) {
        *count = -2;
        return S_OK;
    };
    checkPaths({{"#1", "failed"}, {"#-1", "failed"}, {"?", "failed"}, {"x", "window"}});
}

INSTANTIATE_TEST_SUITE_P(ReportedAs, PathQuery, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "Numbers" : "Objects";
                         });

}  // namespace
