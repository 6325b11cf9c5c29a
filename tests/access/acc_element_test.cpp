// AccElement against trees of fake accessible objects called through real COM calls: binding, children,
// related elements, property reads and writes, and the references it holds.
#include "access/acc_element.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "access_test_support.h"
#include "support/fake_accessible.h"

namespace {

using access_test::numberVariant;
using access_test::objectVariant;
using access_test::platformRoleText;
using access_test::platformStateText;
using fake::FakeAccessible;
using Microsoft::WRL::ComPtr;

fake::Props named(const wchar_t* name, long role = 0, long state = 0) {
    fake::Props props;
    props.name = name;
    props.role = role;
    props.state = state;
    return props;
}

IAccessible* asAccessible(FakeAccessible* object) {
    return object;
}

// root: first (inner, simple leaf), simple second, third. Every test ends with the reference counts of the
// tree's objects back at their start values: whatever the elements took, they released.
class AccElementTest : public testing::Test {
protected:
    void SetUp() override {
        root = FakeAccessible::create(named(L"root", ROLE_SYSTEM_WINDOW));
        first = root->addFull(named(L"first", ROLE_SYSTEM_CLIENT));
        first->addFull(named(L"inner"));
        first->addSimple(named(L"leaf"));
        root->addSimple(named(L"second", ROLE_SYSTEM_STATICTEXT));
        third = root->addFull(named(L"third", ROLE_SYSTEM_PUSHBUTTON));
        sentinel = FakeAccessible::create(named(L"sentinel"));
        startRefs = refCounts();
    }
    void TearDown() override { EXPECT_EQ(refCounts(), startRefs) << "references left behind"; }

    std::vector<long> refCounts() const {
        return {root->refCount(), first->refCount(), first->fullChild(1)->refCount(), third->refCount(),
                sentinel->refCount()};
    }
    static AccElement boundTo(FakeAccessible* object) {
        AccElement element;
        element.bindObject(object);
        return element;
    }
    static IAccessible* ownObject(const AccElement& element) {
        ComPtr<IAccessible> parent, own;
        element.objects(parent, own);
        return own.Get();
    }
    static IAccessible* parentObject(const AccElement& element) {
        ComPtr<IAccessible> parent, own;
        element.objects(parent, own);
        return parent.Get();
    }

    ComPtr<FakeAccessible> root, sentinel;
    FakeAccessible* first = nullptr;
    FakeAccessible* third = nullptr;
    std::vector<long> startRefs;
};

TEST_F(AccElementTest, NewElementIsEmptyAndReadsDefaults) {
    const AccElement element;
    EXPECT_TRUE(element.isEmpty());
    EXPECT_EQ(element.childId(), 0);
    EXPECT_EQ(element.name(), "");
    EXPECT_EQ(element.role(), 0);
    EXPECT_EQ(element.state(), 0);
    EXPECT_EQ(element.stateText(), platformStateText(0));
    EXPECT_EQ(element.childCount(), 0);
    EXPECT_EQ(element.window(), nullptr);
    EXPECT_EQ(element.asVariant().get().vt, VT_EMPTY);

    std::vector<AccElement> kids;
    kids.push_back(boundTo(third));
    EXPECT_EQ(element.children(kids), 0);
    ASSERT_EQ(kids.size(), 1u);  // left as it was
    EXPECT_EQ(kids[0].name(), "third");

    AccElement out;
    EXPECT_FALSE(element.child(1, out));
    EXPECT_FALSE(element.parent(out));
    long left = 7, top = 7, width = 7, height = 7;
    EXPECT_FALSE(element.location(left, top, width, height));
    EXPECT_EQ(left + top + width + height, 28);
}

TEST_F(AccElementTest, BindWindowOfNoWindowFailsAndEmpties) {
    AccElement element = boundTo(first);
    EXPECT_FALSE(element.bindWindow(nullptr));
    EXPECT_TRUE(element.isEmpty());
}

class AccElementChildren : public AccElementTest, public testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        AccElementTest::SetUp();
        root->childrenAsNumbers = GetParam();
        first->childrenAsNumbers = GetParam();
    }
};

TEST_P(AccElementChildren, FullChildIsItsOwnObjectSimpleChildLivesInItsContainer) {
    const AccElement parent = boundTo(root.Get());
    AccElement full, simple;
    ASSERT_TRUE(parent.child(1, full));
    EXPECT_EQ(full.childId(), 0);
    EXPECT_EQ(ownObject(full), asAccessible(first));
    EXPECT_EQ(full.name(), "first");
    EXPECT_EQ(full.childCount(), 2);

    ASSERT_TRUE(parent.child(2, simple));
    EXPECT_EQ(simple.childId(), 2);
    EXPECT_EQ(parentObject(simple), asAccessible(root.Get()));
    EXPECT_EQ(ownObject(simple), nullptr);
    EXPECT_FALSE(simple.isEmpty());
    EXPECT_EQ(simple.childCount(), 0);
    EXPECT_EQ(simple.name(), "second");  // read from the container with its child id
    EXPECT_EQ(simple.role(), ROLE_SYSTEM_STATICTEXT);
}

TEST_P(AccElementChildren, ChildrenInThePlatformsOrder) {
    std::vector<AccElement> kids(5);  // replaced
    ASSERT_EQ(boundTo(root.Get()).children(kids), 3);
    ASSERT_EQ(kids.size(), 3u);
    const char* names[] = {"first", "second", "third"};
    const long ids[] = {0, 2, 0};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(kids[i].name(), names[i]);
        EXPECT_EQ(kids[i].childId(), ids[i]);
    }
    EXPECT_EQ(ownObject(kids[2]), asAccessible(third));

    ASSERT_EQ(kids[0].children(kids), 2);  // the array may be refilled from one of its own elements
    EXPECT_EQ(kids[0].name(), "inner");
    EXPECT_EQ(kids[1].name(), "leaf");
    EXPECT_EQ(kids[1].childId(), 2);
}

INSTANTIATE_TEST_SUITE_P(ReportedAs, AccElementChildren, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& param) {
                             return param.param ? "Numbers" : "Objects";
                         });

TEST_F(AccElementTest, ChildBeyondTheEndBindsNothing) {
    const AccElement parent = boundTo(root.Get());
    for (long index : {4L, 0L, -1L, LONG_MIN}) {
        AccElement fresh;
        EXPECT_FALSE(parent.child(index, fresh)) << index;
        EXPECT_TRUE(fresh.isEmpty());
    }
    AccElement held = boundTo(sentinel.Get());
    EXPECT_TRUE(parent.child(4, held));  // not found, but out still holds an element
    EXPECT_EQ(held.name(), "sentinel");
}

TEST_F(AccElementTest, NoOrNegativeChildCountLeavesTheArray) {
    std::vector<AccElement> kids;
    kids.push_back(boundTo(sentinel.Get()));
    EXPECT_EQ(boundTo(third).children(kids), 0);  // no children
    root->onChildCount = [](long* count) {
        *count = -3;
        return S_OK;
    };
    const AccElement parent = boundTo(root.Get());
    EXPECT_EQ(parent.childCount(), -3);
    EXPECT_EQ(parent.children(kids), 0);
    ASSERT_EQ(kids.size(), 1u);
    EXPECT_EQ(kids[0].name(), "sentinel");
}

// A result that a fake member hands out, and what the element should have bound.
struct Reported {
    const char* what;
    HRESULT hr;
    VARIANT value;  // owned by the case; handed out as a copy
    bool result;
    const char* boundName;  // "sentinel": out untouched; nullptr: out empty
    long boundChildId;
};

class ReportedResults : public AccElementTest {
protected:
    void TearDown() override {
        for (Reported& c : cases) VariantClear(&c.value);
        cases.clear();
        AccElementTest::TearDown();
    }
    static HRESULT handOut(const Reported& c, VARIANT* out) {
        VariantCopy(out, const_cast<VARIANT*>(&c.value));
        return c.hr;
    }
    // Runs `call`(out) for each case, out holding the sentinel before.
    template <typename Call>
    void check(Call call) {
        for (const Reported& c : cases) {
            current = &c;
            AccElement out = boundTo(sentinel.Get());
            EXPECT_EQ(call(out), c.result) << c.what;
            if (!c.boundName) {
                EXPECT_TRUE(out.isEmpty()) << c.what;
            } else {
                EXPECT_EQ(out.name(), c.boundName) << c.what;
                EXPECT_EQ(out.childId(), c.boundChildId) << c.what;
            }
        }
    }
    VARIANT real(double value) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_R8;
        v.dblVal = value;
        return v;
    }
    VARIANT text(const wchar_t* value) {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(value);
        return v;
    }
    std::vector<Reported> cases;
    const Reported* current = nullptr;
};

TEST_F(ReportedResults, HitTest) {
    VARIANT empty;
    VariantInit(&empty);
    cases = {
        {"0: the object itself", S_OK, numberVariant(0), true, "root", 0},
        {"a real that truncates to 0", S_OK, real(0.25), true, "root", 0},
        {"a child id", S_OK, numberVariant(2), true, "second", 2},
        {"an object", S_OK, objectVariant(third), true, "third", 0},
        {"nothing", S_FALSE, empty, false, "sentinel", 0},
        {"another kind", S_OK, text(L"x"), false, "sentinel", 0},
        {"a failed call", E_FAIL, empty, false, "sentinel", 0},
    };
    root->onHitTest = [this](long, long, VARIANT* out) { return handOut(*current, out); };
    const AccElement element = boundTo(root.Get());
    check([&](AccElement& out) { return element.hitTest(10, 20, out); });

    // A simple element asks its container, and what the container names is bound inside the container.
    AccElement simple;
    simple.bindChild(2, root.Get());
    check([&](AccElement& out) { return simple.hitTest(10, 20, out); });
}

TEST_F(ReportedResults, NavigateEmptiesOutWhenNothingIsFound) {
    VARIANT empty;
    VariantInit(&empty);
    cases = {
        {"nothing", S_FALSE, empty, false, nullptr, 0},
        {"a failed call", E_FAIL, empty, false, nullptr, 0},
        {"a child id", S_OK, numberVariant(3), true, "third", 3},
        {"0: the object itself", S_OK, numberVariant(0), true, "root", 0},
        {"an object", S_OK, objectVariant(first), true, "first", 0},
        {"another kind", S_OK, text(L"x"), false, nullptr, 0},
    };
    VARTYPE startType = VT_NULL;
    long startId = -1;
    root->onNavigate = [&](long, VARIANT start, VARIANT* out) {
        startType = start.vt;
        startId = start.vt == VT_I4 ? start.lVal : -1;
        return handOut(*current, out);
    };
    const AccElement element = boundTo(root.Get());
    AccElement simpleStart;
    simpleStart.bindChild(2, root.Get());
    check([&](AccElement& out) { return element.navigate(NAVDIR_NEXT, simpleStart, out); });
    EXPECT_EQ(startType, VT_I4);
    EXPECT_EQ(startId, 2);
    AccElement out;
    element.navigate(NAVDIR_NEXT, boundTo(first), out);
    EXPECT_EQ(startType, VT_DISPATCH);  // a full start element goes as its object
}

TEST_F(ReportedResults, FocusAndSelectionLeaveOutWhenNothingIsReported) {
    VARIANT empty;
    VariantInit(&empty);
    cases = {
        {"nothing", S_FALSE, empty, false, "sentinel", 0},
        {"a failed call", E_FAIL, empty, false, "sentinel", 0},
        {"a child id", S_OK, numberVariant(2), true, "second", 2},
        {"0: the object itself", S_OK, numberVariant(0), true, "root", 0},
        {"an object", S_OK, objectVariant(third), true, "third", 0},
        {"another kind", S_OK, text(L"x"), false, nullptr, 0},
    };
    root->onFocus = [this](VARIANT* out) { return handOut(*current, out); };
    root->onSelection = root->onFocus;
    const AccElement element = boundTo(root.Get());
    check([&](AccElement& out) { return element.focus(out); });
    check([&](AccElement& out) { return element.selection(out); });
}

TEST_F(AccElementTest, CloneOutlivesItsSource) {
    const long before = first->refCount();
    AccElement source = boundTo(first);
    AccElement copy = source.clone();
    EXPECT_EQ(first->refCount(), before + 2);  // one reference each
    source.destroy();
    EXPECT_TRUE(source.isEmpty());
    EXPECT_EQ(first->refCount(), before + 1);
    EXPECT_EQ(copy.name(), "first");

    AccElement simple;
    simple.bindChild(2, root.Get());
    const AccElement simpleCopy = simple.clone();
    simple.bindObject(third);  // rebinding releases the container
    EXPECT_EQ(simpleCopy.childId(), 2);
    EXPECT_EQ(simpleCopy.name(), "second");
}

TEST_F(AccElementTest, ObjectsHandsOutNewReferences) {
    AccElement simple;
    simple.bindChild(2, root.Get());
    {
        ComPtr<IAccessible> parent, own = asAccessible(third);  // replaced
        simple.objects(parent, own);
        EXPECT_EQ(parent.Get(), asAccessible(root.Get()));
        EXPECT_EQ(own.Get(), nullptr);
    }
    EXPECT_EQ(simple.name(), "second");
}

TEST_F(AccElementTest, ParentOfSimpleAndFullElements) {
    AccElement simple, out;
    simple.bindChild(2, root.Get());
    ASSERT_TRUE(simple.parent(out));
    EXPECT_EQ(out.name(), "root");

    const AccElement inner = boundTo(first->fullChild(1));
    ASSERT_TRUE(inner.parent(out));
    EXPECT_EQ(ownObject(out), asAccessible(first));

    EXPECT_FALSE(boundTo(root.Get()).parent(out));  // the root has none: out is emptied
    EXPECT_TRUE(out.isEmpty());
}

TEST_F(AccElementTest, OutMayBeTheElementItself) {
    AccElement element = boundTo(first->fullChild(1));
    ASSERT_TRUE(element.parent(element));
    EXPECT_EQ(element.name(), "first");
    ASSERT_TRUE(element.child(2, element));
    EXPECT_EQ(element.name(), "leaf");
    ASSERT_TRUE(element.parent(element));
    EXPECT_EQ(element.name(), "first");
    element.bindObject(ownObject(element));  // from the object it holds itself
    EXPECT_EQ(element.name(), "first");
}

TEST_F(AccElementTest, StateAndRoleTextsComeFromThePlatform) {
    const AccElement element = boundTo(first);
    struct Case {
        long state;
        Text text;
    } cases[] = {
        {0, platformStateText(0)},
        {68, platformStateText(4) + "," + platformStateText(64) + ","},
        {STATE_SYSTEM_FOCUSED, platformStateText(STATE_SYSTEM_FOCUSED) + ","},
        {0x20000000, ""},  // bits above 0x10000000 have no text
        {0x30000000, platformStateText(0x10000000) + ","},
    };
    for (const Case& c : cases) {
        first->self().state = c.state;
        EXPECT_EQ(element.stateText(), c.text) << c.state;
    }
    EXPECT_NE(platformStateText(4), "");
    EXPECT_EQ(element.roleText(), platformRoleText(ROLE_SYSTEM_CLIENT));
    first->self().role = 0;
    EXPECT_EQ(element.roleText(), platformRoleText(0));
}

TEST_F(AccElementTest, TextPropertiesOfFullAndSimpleElements) {
    fake::Props& props = first->self();
    props.name = L"微信";
    props.value = L"值";
    props.description = L"description";
    props.help = L"help";
    props.keyboardShortcut = L"Alt+W";
    props.defaultAction = L"按下";
    props.location = RECT{-1500, 45, -1200, 65};
    AccElement full = boundTo(first);
    EXPECT_EQ(full.name(), "微信");
    EXPECT_EQ(full.value(), "值");
    EXPECT_EQ(full.description(), "description");
    EXPECT_EQ(full.help(), "help");
    EXPECT_EQ(full.helpTopic(), 4);  // the fake's topic is the length of its help text
    EXPECT_EQ(full.keyboardShortcut(), "Alt+W");
    EXPECT_EQ(full.defaultAction(), "按下");
    long left = 0, top = 0, width = 0, height = 0;
    ASSERT_TRUE(full.location(left, top, width, height));
    EXPECT_EQ(std::vector<long>({left, top, width, height}), std::vector<long>({-1500, 45, 300, 20}));

    root->simple(2).value = L"简单值";
    AccElement simple;
    simple.bindChild(2, root.Get());
    EXPECT_EQ(simple.value(), "简单值");

    EXPECT_TRUE(simple.setName("新名字"));
    EXPECT_EQ(root->simple(2).name, L"新名字");
    EXPECT_TRUE(full.setValue(""));
    EXPECT_EQ(props.value, L"");
}

TEST_F(AccElementTest, UnreadableElementGivesDefaults) {
    first->self().failing = true;
    first->self().name = L"hidden";
    AccElement element = boundTo(first);
    EXPECT_FALSE(element.isEmpty());  // the reference is still held
    EXPECT_EQ(element.name(), "");
    EXPECT_EQ(element.role(), 0);
    EXPECT_EQ(element.state(), 0);
    EXPECT_EQ(element.helpTopic(), 0);
    EXPECT_EQ(element.childCount(), 0);
    EXPECT_FALSE(element.setName("x"));
    long left = 5, top = 6, width = 7, height = 8;
    EXPECT_FALSE(element.location(left, top, width, height));
    EXPECT_EQ(std::vector<long>({left, top, width, height}), std::vector<long>({5, 6, 7, 8}));
}

TEST_F(AccElementTest, ActionsGoToTheAddressedObject) {
    AccElement simple;
    simple.bindChild(2, root.Get());
    simple.doDefaultAction();
    EXPECT_EQ(root->lastDefaultActionChild, 2);
    boundTo(first).doDefaultAction();
    EXPECT_EQ(first->lastDefaultActionChild, CHILDID_SELF);

    const AccElement parent = boundTo(root.Get());
    parent.select(SELFLAG_TAKEFOCUS, &simple);
    EXPECT_EQ(root->lastSelectFlags, SELFLAG_TAKEFOCUS);
    EXPECT_EQ(root->lastSelectChild, 2);
    parent.select(SELFLAG_TAKESELECTION);
    EXPECT_EQ(root->lastSelectFlags, SELFLAG_TAKESELECTION);
    EXPECT_EQ(root->lastSelectChild, CHILDID_SELF);
}

}  // namespace
