#include "client/client_paths.h"

#include <string_view>
#include <utility>
#include <vector>

#include "access/path_grammar.h"

namespace client {
namespace {

// What follows the client area in each path.
constexpr std::string_view kAccountSteps = ">#1>#2>#1>#1";
constexpr std::string_view kChatSteps = ">#1>#2>#3>#1>#1>#1>#1>#1>#1>#1>#1>#1>#1";

const Text kChineseClientRole = "\xBF\xCD\xBB\xA7\xB6\xCB";  // 客户端
const Text kChineseNormalState = "\xD5\xFD\xB3\xA3";         // 正常

using Clauses = std::vector<std::pair<Text, Text>>;  // key, value

Text conditionOf(const Clauses& clauses) {
    Text condition;
    for (const auto& [key, value] : clauses) {
        if (!condition.empty()) condition += "&";
        condition += key + "==" + value;
    }
    return condition;
}

// Whether the path language reads the step "?" + condition, in front of the steps that follow it, back
// as exactly these equality clauses: one whole step, cut into these clauses, each with its whole value.
bool readsBack(const Text& condition, const Clauses& clauses) {
    for (const auto& [key, value] : clauses) {
        if (value.empty()) return false;  // an empty value would select what cannot be read
    }
    const Text step = "?" + condition;
    TextArray steps;
    if (splitNonEmpty(step + Text(kAccountSteps), ">", steps) != 5 || steps[0] != step) return false;
    const TextArray pieces = cutClauses(condition);
    if (pieces.size() != clauses.size()) return false;
    for (std::size_t i = 0; i < clauses.size(); ++i) {
        const Clause parsed = parseClause(pieces[i]);
        if (parsed.kind != Clause::Kind::Equality || parsed.key != clauses[i].first ||
            parsed.value != clauses[i].second) {
            return false;
        }
    }
    return true;
}

// The condition step that picks the client area.
Text clientAreaStep(const Text& roleText, const Text& stateText) {
    for (const Clauses& clauses : {Clauses{{"t", roleText}, {"s", stateText}}, Clauses{{"t", roleText}}}) {
        const Text condition = conditionOf(clauses);
        if (readsBack(condition, clauses)) return "?" + condition;
    }
    return "?" + conditionOf({{"t", kChineseClientRole}, {"s", kChineseNormalState}});
}

}  // namespace

ClientPaths clientPathsFor(const Text& clientRoleText, const Text& normalStateText) {
    const Text step = clientAreaStep(clientRoleText, normalStateText);
    return {step + Text(kAccountSteps), step + Text(kChatSteps)};
}

}  // namespace client
