#include "access/path_grammar.h"

#include <vector>

namespace {

using Pieces = std::vector<std::string_view>;

// Every piece between the occurrences of `separator`, empty ones included: joined with the separator they
// give the text back. Occurrences are found at the character boundaries of the whole text and never overlap.
Pieces splitAll(std::string_view text, std::string_view separator) {
    Pieces pieces;
    std::size_t pieceStart = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += gbk::charLength(text, pos)) {
        if (pos >= pieceStart && text.compare(pos, separator.size(), separator) == 0) {
            pieces.push_back(text.substr(pieceStart, pos - pieceStart));
            pieceStart = pos + separator.size();
        }
    }
    pieces.push_back(pieceStart < text.size() ? text.substr(pieceStart) : std::string_view());
    return pieces;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The ASCII form of the character of `length` bytes at `pos` for reading numbers: full-width digits, plus,
// minus and blank stand for their ASCII forms; any other double-byte character reads as '\0', which is
// neither a blank, a sign nor a digit.
char asciiForm(std::string_view text, std::size_t pos, std::size_t length) {
    if (length == 1) return text[pos];
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
    if (lead == 0xA3 && trail >= 0xB0 && trail <= 0xB9)
        return static_cast<char>('0' + (trail - 0xB0));  // ０-９
    if (lead == 0xA3 && trail == 0xAB) return '+';       // ＋
    if (lead == 0xA3 && trail == 0xAD) return '-';       // －
    if (lead == 0xA1 && trail == 0xA1) return ' ';       // the full-width blank
    return '\0';
}

}  // namespace

std::size_t splitNonEmpty(std::string_view text, std::string_view separator, TextArray& out) {
    out.clear();
    for (std::string_view piece : splitAll(text, separator.empty() ? "," : separator)) {
        if (!piece.empty()) out.emplace_back(piece);
    }
    return out.size();
}

PathStep parseStep(std::string_view step) {
    PathStep parsed;
    if (step.empty()) return parsed;
    if (step[0] == '#') {
        parsed.kind = PathStep::Kind::Index;
        parsed.index = readIndex(step.substr(1));
    } else if (step[0] == '?') {
        parsed.kind = PathStep::Kind::Condition;
        parsed.condition = step.substr(1);
    }
    return parsed;
}

long long readIndex(std::string_view text) {
    std::size_t pos = 0, length = 0;
    // The ASCII form of the character at pos; its length in bytes goes to `length`.
    auto next = [&] {
        length = gbk::charLength(text, pos);
        return asciiForm(text, pos, length);
    };
    while (pos < text.size() && isBlank(next())) pos += length;
    bool negative = false;
    if (pos < text.size()) {
        const char sign = next();
        if (sign == '+' || sign == '-') {
            negative = sign == '-';
            pos += length;
        }
    }
    long long magnitude = 0;
    while (pos < text.size()) {
        const char c = next();
        if (!isDigit(c)) break;
        const int digit = c - '0';
        // Saturate instead of overflowing: such a number names no child anyway.
        magnitude = magnitude > (kIndexLimit - digit) / 10 ? kIndexLimit : magnitude * 10 + digit;
        pos += length;
    }
    return negative ? -magnitude : magnitude;
}

long resolveIndex(long long n, long count) {
    // The real-number test |n| - count > 0.0000001 is, for whole numbers, |n| > count; made on integers it
    // has no rounding. A negative count (a confused server) leaves no child to name.
    if (n == 0 || count < 0) return 0;
    const unsigned long long magnitude =
        n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    if (magnitude > static_cast<unsigned long long>(count)) return 0;
    return n > 0 ? static_cast<long>(n) : static_cast<long>(count + n + 1);
}

TextArray cutClauses(std::string_view condition) {
    Pieces pieces = splitAll(condition, "&");
    if (pieces.back().empty()) pieces.pop_back();  // a trailing "&" (or the empty condition) adds no clause
    return TextArray(pieces.begin(), pieces.end());
}

Clause parseClause(std::string_view clause) {
    Clause parsed;
    std::string_view separator;
    if (gbk::contains(clause, "==")) {
        parsed.kind = Clause::Kind::Equality;
        separator = "==";
    } else if (gbk::contains(clause, "=")) {
        parsed.kind = Clause::Kind::Containment;
        separator = "=";
    } else {
        return parsed;
    }
    const Pieces pieces = splitAll(clause, separator);
    parsed.key = pieces[0];
    parsed.value = pieces[1];
    return parsed;
}

bool clauseHolds(const Clause& clause, const FieldLookup& field) {
    if (clause.kind == Clause::Kind::Invalid) return false;
    const Text* text = field(clause.key);
    if (!text) return false;
    if (clause.kind == Clause::Kind::Equality) return *text == clause.value;
    return clause.value.empty() || gbk::contains(*text, clause.value);
}

bool conditionHolds(std::string_view condition, const FieldLookup& field) {
    for (const Text& clause : cutClauses(condition)) {
        if (!clauseHolds(parseClause(clause), field)) return false;
    }
    return true;
}

std::optional<TestedField> testedField(std::string_view key) {
    if (key == "n") return TestedField::name;
    if (key == "s") return TestedField::stateText;
    if (key == "t") return TestedField::roleText;
    if (key == "id") return TestedField::childId;
    if (key == "v") return TestedField::value;
    return std::nullopt;
}

const Text* conditionField(const ElementInfo& info, std::string_view key) {
    const std::optional<TestedField> field = testedField(key);
    return field ? &fieldOf(info, *field) : nullptr;
}
