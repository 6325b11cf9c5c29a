#include "access/path_query.h"

#include <array>
#include <optional>
#include <vector>

#include "access/path_grammar.h"
#include "access/snapshot.h"

namespace {

// The first child of `current` that satisfies the condition, into `found`; false when there is none.
bool firstMatchingChild(const AccElement& current, std::string_view condition, ChildTest test,
                        AccElement& found) {
    std::vector<AccElement> kids;
    const long count = current.children(kids);
    for (long i = 0; i < count; ++i) {
        AccElement& kid = kids[static_cast<std::size_t>(i)];
        if (test(condition, kid)) {
            found = std::move(kid);
            return true;
        }
    }
    return false;
}

}  // namespace

bool findByPath(const AccElement& root, std::string_view path, AccElement& out, ChildTest test) {
    AccElement current = root.clone();
    TextArray steps;
    splitNonEmpty(path, ">", steps);
    for (const Text& text : steps) {
        const PathStep step = parseStep(text);
        const long count = current.childCount();  // read for every step, whatever its kind
        if (step.kind == PathStep::Kind::Index) {
            const long index = resolveIndex(step.index, count);
            AccElement next;
            if (index == 0 || !current.child(index, next)) return false;
            current = std::move(next);
        } else if (step.kind == PathStep::Kind::Condition) {
            AccElement next;
            if (!firstMatchingChild(current, step.condition, test, next)) return false;
            current = std::move(next);
        }
    }
    out = std::move(current);
    return true;
}

bool matchesCondition(std::string_view condition, const AccElement& element) {
    std::array<std::optional<Text>, kTestedFieldCount> read;
    return conditionHolds(condition, [&](std::string_view key) -> const Text* {
        const std::optional<TestedField> field = testedField(key);
        if (!field) return nullptr;
        std::optional<Text>& slot = read[static_cast<std::size_t>(*field)];
        if (!slot) slot = snapshotField(element, *field);
        return &*slot;
    });
}

bool matchesConditionOnSnapshot(std::string_view condition, const AccElement& element) {
    const ElementInfo info = snapshot(element);
    return conditionHolds(condition, [&info](std::string_view key) { return conditionField(info, key); });
}
