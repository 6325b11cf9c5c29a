// The language of element paths, without the elements: cutting a path into steps, reading index steps,
// cutting conditions into clauses and deciding whether a condition holds for an element whose fields are
// given by a lookup. Reading the element itself is left to the caller (access/path_query.h).
//
// A path is steps separated by ">"; empty steps are dropped. A step starting with "#" takes a child by
// position ("#2", "#-1"), one starting with "?" takes the first child satisfying a condition
// ("?t==client&s==normal"); any other step is ignored. A condition is clauses separated by "&":
// "key==value" (equal byte for byte) or "key=value" (the value occurs in the field).
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

#include "access/element_info.h"
#include "util/gbk_text.h"

// The pieces of `text` between the occurrences of `separator` (at character boundaries), empty pieces left
// out, in order; `out` loses its earlier content. An empty separator means ",". Returns the count.
std::size_t splitNonEmpty(std::string_view text, std::string_view separator, TextArray& out);

struct PathStep {
    enum class Kind { Index, Condition, Ignored };
    Kind kind = Kind::Ignored;
    long long index = 0;         // Index: the number after "#"
    std::string_view condition;  // Condition: the text after "?" (a view into the step)
};
PathStep parseStep(std::string_view step);

// The integer at the start of `text`: optional blanks, an optional sign, digits up to the first other
// character; no digits give 0. Full-width digits, signs and blanks count as their ASCII forms. A number
// beyond the 64-bit range reads as +-kIndexLimit, which exceeds every child count.
constexpr long long kIndexLimit = 0x7FFFFFFFFFFFFFFFLL;
long long readIndex(std::string_view text);

// The child position (from 1) that index `n` names among `count` children: n > 0 counts from the first,
// n < 0 from the last (-1 is the last). 0 when it names none: n is 0 or |n| exceeds the count.
long resolveIndex(long long n, long count);

// The clauses of a condition: the pieces between the "&", except that a trailing "&" adds none.
TextArray cutClauses(std::string_view condition);

struct Clause {
    enum class Kind { Equality, Containment, Invalid };
    Kind kind = Kind::Invalid;
    std::string_view key, value;  // views into the clause
};
// "key==value[==...]" is an equality clause, else "key=value[=...]" a containment clause, else invalid.
// The value ends at the next separator of its kind; nothing after the separator is the empty value.
Clause parseClause(std::string_view clause);

// The field that a condition key names, or null for a key outside the table.
using FieldLookup = std::function<const Text*(std::string_view key)>;

// Whether the clause holds for the fields. An equality clause holds when the field equals the value, a
// containment clause when the value occurs in the field at a character boundary (the empty value occurs in
// every field). A key outside the table, or an invalid clause, never holds.
bool clauseHolds(const Clause& clause, const FieldLookup& field);
// Whether every clause holds; a condition without clauses holds for everything.
bool conditionHolds(std::string_view condition, const FieldLookup& field);

// The snapshot fields that condition keys test: "n" name, "s" stateText, "t" roleText, "id" childId,
// "v" value. Nothing, or null, for any other key (keys are case-sensitive).
std::optional<TestedField> testedField(std::string_view key);
const Text* conditionField(const ElementInfo& info, std::string_view key);
