// The path language without elements: steps, indexes, clauses and conditions over a table of fields.
#include "access/path_grammar.h"

#include <gtest/gtest.h>

#include <climits>
#include <map>

namespace {

// GBK texts used below.
const Text kClientRole = "\xBF\xCD\xBB\xA7\xB6\xCB";  // 客户端
const Text kNormal = "\xD5\xFD\xB3\xA3";              // 正常

TEST(SplitNonEmpty, DropsEmptyPiecesAndKeepsOrder) {
    struct Case {
        const char* text;
        const char* separator;
        TextArray pieces;
    } cases[] = {
        {"", ">", {}},
        {">>>", ">", {}},
        {"a>>b>", ">", {"a", "b"}},
        {">a", ">", {"a"}},
        {"?t==x&s==y>#1>#2", ">", {"?t==x&s==y", "#1", "#2"}},
        {"a,b,,c", "", {"a", "b", "c"}},  // the empty separator is ","
        {"a::b:::c", "::", {"a", "b", ":c"}},
        // "@" is also the second byte of the double-byte character 丂 (81 40): no separator there.
        {"\x81\x40"
         "a@b",
         "@",
         {"\x81\x40"
          "a",
          "b"}},
    };
    for (const Case& c : cases) {
        TextArray out{"left over"};
        EXPECT_EQ(splitNonEmpty(c.text, c.separator, out), c.pieces.size()) << c.text;
        EXPECT_EQ(out, c.pieces) << c.text;
    }
}

TEST(ReadIndex, SignsBlanksFullWidthFormsAndTrailingText) {
    struct Case {
        const char* text;
        long long index;
    } cases[] = {
        {"2", 2},
        {"+2", 2},
        {"  2", 2},
        {" \t\r\n2", 2},
        {"2abc", 2},
        {"12 3", 12},
        {"-1", -1},
        {"", 0},
        {"abc", 0},
        {"+", 0},
        {"--1", 0},
        {"- 1", 0},
        {"\xA3\xB2", 2},            // ２
        {"\xA3\xAB\xA3\xB2", 2},    // ＋２
        {"\xA3\xAD\xA3\xB1", -1},   // －１
        {"\xA1\xA1\xA3\xB2", 2},    // full-width blank, ２
        {"1\xA3\xB0", 10},          // 1０
        {"\xA3\xB9\xA3\xB9x", 99},  // ９９x
        {"\xB0\xA1"
         "1",
         0},                  // 啊1: another double-byte character stops the number
        {"2\xA3", 2},         // a lone lead byte at the end
        {"\x81\xA3\xB2", 0},  // A3 is the second byte of 81 A3 here, not the start of ２
        {"9223372036854775807", kIndexLimit},
        {"9223372036854775808", kIndexLimit},  // beyond 64 bits: saturated, not wrapped
        {"-99999999999999999999999999", -kIndexLimit},
        {"000000000000000000000000000003", 3},
    };
    for (const Case& c : cases) EXPECT_EQ(readIndex(c.text), c.index) << c.text;
}

TEST(ResolveIndex, CountsFromEitherEndAndRejectsWhatNamesNoChild) {
    struct Case {
        long long n;
        long count;
        long index;
    } cases[] = {
        {1, 3, 1},
        {3, 3, 3},
        {4, 3, 0},
        {-1, 3, 3},
        {-3, 3, 1},
        {-4, 3, 0},
        {0, 3, 0},
        {1, 0, 0},
        {-1, 0, 0},
        {1, -2, 0},
        {kIndexLimit, 3, 0},
        {-kIndexLimit, 3, 0},
        {LLONG_MIN, 3, 0},
        {LONG_MAX, LONG_MAX, LONG_MAX},
        {-LONG_MAX, LONG_MAX, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(resolveIndex(c.n, c.count), c.index) << c.n << " of " << c.count;
}

TEST(ParseStep, FirstCharacterDecidesTheKind) {
    EXPECT_EQ(parseStep("#2").kind, PathStep::Kind::Index);
    EXPECT_EQ(parseStep("#2").index, 2);
    EXPECT_EQ(parseStep("#").kind, PathStep::Kind::Index);
    EXPECT_EQ(parseStep("#").index, 0);
    EXPECT_EQ(parseStep("?").kind, PathStep::Kind::Condition);
    EXPECT_EQ(parseStep("?").condition, "");
    EXPECT_EQ(parseStep("?n==a&t=b").condition, "n==a&t=b");
    EXPECT_EQ(parseStep("x#1").kind, PathStep::Kind::Ignored);
    EXPECT_EQ(parseStep("\xA3\xA3"
                        "1")
                  .kind,
              PathStep::Kind::Ignored);  // ＃1
    EXPECT_EQ(parseStep("").kind, PathStep::Kind::Ignored);
}

TEST(CutClauses, TrailingAmpersandAddsNoClauseOtherEmptyPiecesDo) {
    struct Case {
        const char* condition;
        TextArray clauses;
    } cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a&", {"a"}},
        {"a&b", {"a", "b"}},
        {"a&&", {"a", ""}},
        {"&a", {"", "a"}},
        {"a&&b", {"a", "", "b"}},
        {"&", {""}},
    };
    for (const Case& c : cases) EXPECT_EQ(cutClauses(c.condition), c.clauses) << c.condition;
}

TEST(ParseClause, KeyAndValueOfEachKind) {
    using Kind = Clause::Kind;
    struct Case {
        const char* clause;
        Kind kind;
        const char* key;
        const char* value;
    } cases[] = {
        {"n==a", Kind::Equality, "n", "a"},
        {"n==a==b", Kind::Equality, "n", "a"},  // the value ends at the next "=="
        {"n===x", Kind::Equality, "n", "=x"},   // three "=": the value begins with "="
        {"n==", Kind::Equality, "n", ""},
        {"==a", Kind::Equality, "", "a"},
        {"t=ab", Kind::Containment, "t", "ab"},
        {"t=a=b", Kind::Containment, "t", "a"},
        {"t=", Kind::Containment, "t", ""},
        {"abc", Kind::Invalid, "", ""},
        {"", Kind::Invalid, "", ""},
    };
    for (const Case& c : cases) {
        const Clause parsed = parseClause(c.clause);
        EXPECT_EQ(parsed.kind, c.kind) << c.clause;
        EXPECT_EQ(parsed.key, c.key) << c.clause;
        EXPECT_EQ(parsed.value, c.value) << c.clause;
    }
}

TEST(ConditionHolds, ClausesOverAFieldTable) {
    const std::map<std::string, Text, std::less<>> fields = {
        {"n", "Alice"}, {"s", kNormal}, {"t", kClientRole}, {"id", "3"}, {"v", ""}};
    const FieldLookup lookup = [&fields](std::string_view key) -> const Text* {
        const auto found = fields.find(key);
        return found == fields.end() ? nullptr : &found->second;
    };
    struct Case {
        Text condition;
        bool holds;
    } cases[] = {
        {"", true},
        {"n==Alice", true},
        {"n==alice", false},  // case-sensitive
        {"N==Alice", false},  // keys too
        {"n==Alice&t==" + kClientRole + "&s==" + kNormal, true},
        {"n==Alice&t==x", false},
        {"t=" + kClientRole.substr(0, 4), true},  // the first two characters
        {"t=\xCD\xBB", false},                    // bytes that straddle two characters
        {"n==Alice==Bob", true},
        {"n===Alice", false},
        {"id==3", true},
        {"id==03", false},
        {"n==Alice&", true},
        {"&n==Alice", false},  // a leading "&" makes an empty clause, which never holds
        {"n==Alice&&id==3", false},
        {"n", false},
        {"x==Alice", false},  // a key outside the table never holds ...
        {"x=Alice", false},   // ... in a containment clause either
        {"v==", true},        // nothing after "==": the empty value, here equal to the empty field
        {"n==", false},
        {"n=", true},  // the empty value occurs in every field
        {"v=", true},
    };
    for (const Case& c : cases) EXPECT_EQ(conditionHolds(c.condition, lookup), c.holds) << c.condition;
}

TEST(ConditionField, KeysNameTheirSnapshotFields) {
    ElementInfo info;
    info.name = "name";
    info.stateText = "state";
    info.roleText = "role";
    info.childId = "7";
    info.value = "value";
    info.description = "description";
    EXPECT_EQ(conditionField(info, "n"), &info.name);
    EXPECT_EQ(conditionField(info, "s"), &info.stateText);
    EXPECT_EQ(conditionField(info, "t"), &info.roleText);
    EXPECT_EQ(conditionField(info, "id"), &info.childId);
    EXPECT_EQ(conditionField(info, "v"), &info.value);
    for (const char* other : {"", "N", "name", "d", "i", "id "})
        EXPECT_EQ(conditionField(info, other), nullptr);
}

}  // namespace
