// Path queries: from a root element to a descendant, reading the tree afresh at every step. The language of
// paths and conditions is in access/path_grammar.h.
#pragma once

#include <string_view>

#include "access/acc_element.h"
#include "util/gbk_text.h"

// The element that `path` reaches from `root`. On true, out is bound to it (its earlier references
// released); on false, out is left as it was. The root is never changed.
bool findByPath(const AccElement& root, std::string_view path, AccElement& out);

// Whether the element satisfies the condition. The element's snapshot is taken first, whatever the
// condition is.
bool matchesCondition(std::string_view condition, const AccElement& element);
