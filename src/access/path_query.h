// Path queries: from a root element to a descendant, reading the tree afresh at every step. The language of
// paths and conditions is in access/path_grammar.h.
#pragma once

#include <string_view>

#include "access/acc_element.h"
#include "util/gbk_text.h"

// Whether the element satisfies the condition, as its snapshot would. Only the fields that the clauses
// reached name are read, each once, when a clause first needs it: an empty condition reads nothing, the
// client area's "t==...&s==..." one or two fields, where a whole snapshot takes eleven or twelve calls.
bool matchesCondition(std::string_view condition, const AccElement& element);

// The same answer from a whole snapshot taken first, whatever the condition names: for comparison.
bool matchesConditionOnSnapshot(std::string_view condition, const AccElement& element);

// How a condition step tests a child: matchesCondition, unless a caller compares readings.
using ChildTest = bool (*)(std::string_view condition, const AccElement& child);

// The element that `path` reaches from `root`, a condition step taking the first child that passes `test`.
// On true, out is bound to it (its earlier references released); on false, out is left as it was. The root
// is never changed.
bool findByPath(const AccElement& root, std::string_view path, AccElement& out,
                ChildTest test = matchesCondition);
