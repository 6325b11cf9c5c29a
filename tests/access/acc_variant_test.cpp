// How VARIANT results are classed and read as numbers and objects.
#include "access/acc_variant.h"

#include <gtest/gtest.h>

#include <climits>

#include "access_test_support.h"
#include "support/fake_accessible.h"

namespace {

VARIANT of(VARTYPE type) {
    VARIANT v;
    VariantInit(&v);
    v.vt = type;
    return v;
}

TEST(VariantResults, NumbersOfEveryNumericType) {
    struct Case {
        const char* what;
        VARIANT value;
        VariantKind kind;
        long number;
    };
    VARIANT i1 = of(VT_I1), ui4 = of(VT_UI4), i8 = of(VT_I8), r4 = of(VT_R4), r8 = of(VT_R8), big = of(VT_R8),
            cy = of(VT_CY), dec = of(VT_DECIMAL), text = of(VT_BSTR), flag = of(VT_BOOL), date = of(VT_DATE);
    i1.cVal = -5;
    ui4.ulVal = 0x80000001u;  // state bits survive an unsigned type
    i8.llVal = 0x100000007LL;
    r4.fltVal = -2.75f;
    r8.dblVal = 3.99;
    big.dblVal = 1e12;
    cy.cyVal.int64 = 25000;  // 2.5
    VARIANT source = of(VT_R8);
    source.dblVal = -7.5;
    ASSERT_EQ(VariantChangeType(&dec, &source, 0, VT_DECIMAL), S_OK);
    text.bstrVal = SysAllocString(L"12");
    flag.boolVal = VARIANT_TRUE;
    date.date = 3.0;
    const Case cases[] = {
        {"empty", of(VT_EMPTY), VariantKind::Empty, 0},
        {"VT_I4", access_test::numberVariant(-42), VariantKind::Number, -42},
        {"VT_I1", i1, VariantKind::Number, -5},
        {"VT_UI4", ui4, VariantKind::Number, static_cast<long>(0x80000001u - 0x100000000LL)},
        {"VT_I8", i8, VariantKind::Number, 7},
        {"VT_R4", r4, VariantKind::Number, -2},
        {"VT_R8", r8, VariantKind::Number, 3},
        {"VT_R8 beyond 32 bits", big, VariantKind::Number, LONG_MAX},
        {"VT_CY", cy, VariantKind::Number, 2},
        {"VT_DECIMAL", dec, VariantKind::Number, -7},
        {"VT_BSTR", text, VariantKind::Other, 0},
        {"VT_BOOL", flag, VariantKind::Other, 0},
        {"VT_DATE", date, VariantKind::Other, 0},
        {"VT_NULL", of(VT_NULL), VariantKind::Other, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(kindOf(c.value), c.kind) << c.what;
        EXPECT_EQ(numberOf(c.value), c.number) << c.what;
        EXPECT_EQ(objectOf(c.value).Get(), nullptr) << c.what;
    }
    VariantClear(&text);
}

TEST(VariantResults, ObjectsOwnTheirReference) {
    auto object = fake::FakeAccessible::create({});
    const long start = object->refCount();
    {
        const Variant held(static_cast<IAccessible*>(object.Get()));
        EXPECT_EQ(held.get().vt, VT_DISPATCH);
        EXPECT_EQ(kindOf(held.get()), VariantKind::Object);
        EXPECT_EQ(objectOf(held.get()).Get(), static_cast<IAccessible*>(object.Get()));
        Variant moved = Variant(static_cast<IAccessible*>(object.Get()));
        EXPECT_EQ(object->refCount(), start + 2);
    }
    EXPECT_EQ(object->refCount(), start);
    EXPECT_EQ(Variant(static_cast<IAccessible*>(nullptr)).get().vt, VT_EMPTY);
    VARIANT unknown = of(VT_UNKNOWN);
    unknown.punkVal = static_cast<IAccessible*>(object.Get());
    EXPECT_EQ(objectOf(unknown).Get(), static_cast<IAccessible*>(object.Get()));
    VARIANT none = of(VT_DISPATCH);  // an object result holding no object
    EXPECT_EQ(objectOf(none).Get(), nullptr);
}

}  // namespace
