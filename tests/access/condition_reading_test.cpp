// Conditions read only the fields their clauses name, and answer as a whole snapshot would: compared over
// elements of every kind and conditions of every form, with the calls counted that each reading costs.
#include <gtest/gtest.h>

#include <iterator>
#include <vector>

#include "access/path_query.h"
#include "access/snapshot.h"
#include "access_test_support.h"
#include "support/fake_accessible.h"

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

class ConditionReading : public testing::Test {
protected:
    void SetUp() override {
        root = FakeAccessible::create(props(L"window", ROLE_SYSTEM_WINDOW));
        root->addFull(props(L"标题栏", ROLE_SYSTEM_TITLEBAR, STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED));
        root->addFull(props(L"", ROLE_SYSTEM_PUSHBUTTON));
        root->addFull(props(L"客户区", ROLE_SYSTEM_CLIENT, 0, L"a&b==c"));
        root->addSimple(props(L"简单", ROLE_SYSTEM_STATICTEXT, 0, L"v"));
        root->addSimple(props(L"", ROLE_SYSTEM_CLIENT));
        fake::Props failing = props(L"hidden", ROLE_SYSTEM_CLIENT);
        failing.failing = true;
        root->addFull(failing);
        root->addFull(props(L"NAMELESS", ROLE_SYSTEM_PUSHBUTTON, STATE_SYSTEM_UNAVAILABLE, L"=x"));
        AccElement rootElement;
        rootElement.bindObject(root.Get());
        rootElement.children(kids);
        kids.push_back(AccElement());  // the empty element, as a failed query leaves one
    }

    Microsoft::WRL::ComPtr<FakeAccessible> root;
    std::vector<AccElement> kids;
};

TEST_F(ConditionReading, EveryConditionHoldsExactlyWhereItHoldsOnTheSnapshot) {
    const Text client = platformRoleText(ROLE_SYSTEM_CLIENT);
    const Text normal = platformStateText(0);
    const Text focused =
        platformStateText(STATE_SYSTEM_FOCUSABLE) + "," + platformStateText(STATE_SYSTEM_FOCUSED) + ",";
    const std::vector<Text> conditions = {
        "",
        "&",
        "&&",
        "t==" + client + "&s==" + normal,
        "s==" + normal + "&t==" + client,
        "t==" + client,
        "t=" + client.substr(0, 2),
        "s==" + focused,
        "s=" + platformStateText(STATE_SYSTEM_FOCUSED),
        "n==NAMELESS",
        "n==",
        "n=",
        "n",
        "n==简单",
        "n=简",
        "n==客户区==other",
        "n==客户区&",
        "&n==客户区",
        "n==客户区&&t==" + client,
        "n==客户区&n=客户&n==客户区",
        "N==客户区",
        "x==1",
        "x=1",
        "x=1&n==客户区",
        "n==客户区&x=1",
        "id==0",
        "id==4",
        "id=5",
        "v==a&b==c",
        "v=a",
        "v===x",
        "v==",
        "v=",
        "t==" + platformRoleText(0) + "&s==" + normal,
        "n==hidden",
    };
    ASSERT_EQ(kids.size(), 8u);
    int held = 0;
    for (const Text& condition : conditions) {
        for (std::size_t i = 0; i < kids.size(); ++i) {
            const bool expected = matchesConditionOnSnapshot(condition, kids[i]);
            EXPECT_EQ(matchesCondition(condition, kids[i]), expected)
                << "condition " << condition << ", child " << i + 1;
            held += expected;
        }
    }
    EXPECT_GT(held, 40) << "the cases should hold for a good part of the elements";
}

TEST_F(ConditionReading, OnlyTheFieldsThatTheClausesReachedAreRead) {
    const Text client = platformRoleText(ROLE_SYSTEM_CLIENT);
    const Text normal = platformStateText(0);
    const AccElement& titleBar = kids[0];
    const AccElement& clientArea = kids[2];
    const AccElement& simple = kids[3];
    const struct {
        const AccElement& element;
        Text condition;
        long calls;
    } cases[] = {
        {clientArea, "", 0},
        {clientArea, "x==1&n==客户区", 0},  // the unknown key fails before the name is read
        {clientArea, "id==0", 0},
        {clientArea, "n", 0},
        {clientArea, "n==客户区", 1},
        {clientArea, "n==客户区&n=客户&n==客户区", 1},  // read once for all three clauses
        {clientArea, "t==" + client + "&s==" + normal, 2},
        {titleBar, "t==" + client + "&s==" + normal, 1},  // the role fails: the state is not read
        {simple, "v==v&t==" + platformRoleText(ROLE_SYSTEM_STATICTEXT), 2},
    };
    for (const auto& c : cases) {
        FakeAccessible::resetCallsServed();
        matchesCondition(c.condition, c.element);
        EXPECT_EQ(FakeAccessible::callsServed(), c.calls) << c.condition;
    }
    FakeAccessible::resetCallsServed();
    matchesConditionOnSnapshot("", clientArea);
    EXPECT_GE(FakeAccessible::callsServed(), 10) << "a whole snapshot";
}

TEST_F(ConditionReading, FieldsReadAloneAreTheElementsProperties) {
    // What the tree above holds, as the snapshot's text fields: name (NAMELESS for none), state text, role
    // text, child id, value. An element whose reads fail, and the empty one, read as state 0 and role 0.
    const Text normal = platformStateText(0);
    const struct {
        Text name, stateText, roleText, childId, value;
    } expected[] = {
        {"标题栏",
         platformStateText(STATE_SYSTEM_FOCUSED) + "," + platformStateText(STATE_SYSTEM_FOCUSABLE) + ",",
         platformRoleText(ROLE_SYSTEM_TITLEBAR), "0", ""},
        {"NAMELESS", normal, platformRoleText(ROLE_SYSTEM_PUSHBUTTON), "0", ""},
        {"客户区", normal, platformRoleText(ROLE_SYSTEM_CLIENT), "0", "a&b==c"},
        {"简单", normal, platformRoleText(ROLE_SYSTEM_STATICTEXT), "4", "v"},
        {"NAMELESS", normal, platformRoleText(ROLE_SYSTEM_CLIENT), "5", ""},
        {"NAMELESS", normal, platformRoleText(0), "0", ""},
        {"NAMELESS", platformStateText(STATE_SYSTEM_UNAVAILABLE) + ",",
         platformRoleText(ROLE_SYSTEM_PUSHBUTTON), "0", "=x"},
        {"NAMELESS", normal, platformRoleText(0), "0", ""},
    };
    ASSERT_EQ(kids.size(), std::size(expected));
    for (std::size_t i = 0; i < kids.size(); ++i) {
        const AccElement& kid = kids[i];
        EXPECT_EQ(snapshotField(kid, TestedField::name), expected[i].name) << i;
        EXPECT_EQ(snapshotField(kid, TestedField::stateText), expected[i].stateText) << i;
        EXPECT_EQ(snapshotField(kid, TestedField::roleText), expected[i].roleText) << i;
        EXPECT_EQ(snapshotField(kid, TestedField::childId), expected[i].childId) << i;
        EXPECT_EQ(snapshotField(kid, TestedField::value), expected[i].value) << i;
        EXPECT_EQ(snapshotName(kid), expected[i].name) << i;
        FakeAccessible::resetCallsServed();
        snapshotName(kid);
        EXPECT_LE(FakeAccessible::callsServed(), 1);
    }
}

}  // namespace
