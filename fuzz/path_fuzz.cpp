// Fuzzes the path language: splitting, index reading and resolving, clause cutting and parsing, and
// conditions, each against a slow reference or a property that must hold for every input.
#include <fuzzer/FuzzedDataProvider.h>

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "access/path_grammar.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// Positions where the characters of a GBK text start.
std::vector<bool> boundaries(const std::string& text) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t pos = 0; pos < text.size(); pos += gbk::charLength(text, pos)) starts[pos] = true;
    starts[text.size()] = true;
    return starts;
}

// Every piece between non-overlapping occurrences of the separator at character starts, empty ones kept.
std::vector<std::string> referenceSplit(const std::string& text, const std::string& separator) {
    const std::vector<bool> starts = boundaries(text);
    std::vector<std::string> pieces;
    std::string piece;
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (starts[pos] && text.compare(pos, separator.size(), separator) == 0) {
            pieces.push_back(piece);
            piece.clear();
            pos += separator.size();
        } else {
            piece += text[pos++];
        }
    }
    pieces.push_back(piece);
    return pieces;
}

std::string join(const std::vector<std::string>& pieces, const std::string& separator) {
    std::string text;
    for (std::size_t i = 0; i < pieces.size(); ++i) text += (i ? separator : "") + pieces[i];
    return text;
}

void checkSplit(const std::string& text, std::string separator) {
    TextArray pieces{"stale"};
    const std::size_t count = splitNonEmpty(text, separator, pieces);
    if (separator.empty()) separator = ",";
    require(count == pieces.size());
    const std::vector<std::string> all = referenceSplit(text, separator);
    std::vector<std::string> nonEmpty;
    for (const std::string& piece : all) {
        if (!piece.empty()) nonEmpty.push_back(piece);
    }
    require(pieces == nonEmpty);
}

// The number at the start of the text, read by strtoll after mapping full-width forms to ASCII.
long long referenceIndex(const std::string& text) {
    std::string ascii;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = gbk::charLength(text, pos);
        const std::string c = text.substr(pos, length);
        if (c.size() == 2 && c[0] == '\xA3' && c[1] >= '\xB0' && c[1] <= '\xB9') {
            ascii += static_cast<char>('0' + (c[1] - '\xB0'));
        } else if (c == "\xA3\xAB") {  // ＋
            ascii += '+';
        } else if (c == "\xA3\xAD") {  // －
            ascii += '-';
        } else if (c == "\xA1\xA1") {  // full-width blank
            ascii += ' ';
        } else if (c.size() == 2) {
            ascii += '\x01';  // any other double-byte character
        } else {
            ascii += c;
        }
        pos += length;
    }
    errno = 0;
    const long long n = std::strtoll(ascii.c_str(), nullptr, 10);
    return n == LLONG_MIN ? -kIndexLimit : n;
}

// The index with the test made on real numbers, as the path language defines it.
long referenceResolve(long long n, long count) {
    const long double excess = std::fabs(static_cast<long double>(n)) - static_cast<long double>(count);
    if (n == 0 || excess > 0.0000001L) return 0;
    return n > 0 ? static_cast<long>(n) : static_cast<long>(count + n + 1);
}

bool startsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

void checkClauses(const std::string& condition) {
    const TextArray clauses = cutClauses(condition);
    const std::string joined = join(clauses, "&");
    require(joined == condition || joined + "&" == condition);
    for (const Text& clause : clauses) {
        require(!gbk::contains(clause, "&"));
        const Clause parsed = parseClause(clause);
        const std::string_view separator = parsed.kind == Clause::Kind::Equality      ? "=="
                                           : parsed.kind == Clause::Kind::Containment ? "="
                                                                                      : "";
        if (parsed.kind == Clause::Kind::Invalid) {
            require(!gbk::contains(clause, "="));
            continue;
        }
        if (parsed.kind == Clause::Kind::Containment) require(!gbk::contains(clause, "=="));
        // clause = key, separator, value, then nothing or the next separator.
        const std::string_view text = clause;
        const std::string_view rest = text.substr(parsed.key.size() + separator.size());
        require(startsWith(text, parsed.key));
        require(text.substr(parsed.key.size(), separator.size()) == separator);
        require(startsWith(rest, parsed.value));
        const std::string_view after = rest.substr(parsed.value.size());
        require(after.empty() || startsWith(after, separator));
        require(!gbk::contains(parsed.key, separator) && !gbk::contains(parsed.value, separator));
    }
}

void checkConditions(const std::string& a, const std::string& b, const std::string& name) {
    const Text fields[] = {name, "state", "role", "0", ""};
    const FieldLookup lookup = [&fields](std::string_view key) -> const Text* {
        const char* keys[] = {"n", "s", "t", "id", "v"};
        for (int i = 0; i < 5; ++i) {
            if (key == keys[i]) return &fields[i];
        }
        return nullptr;
    };
    // Clauses combine with "&" as "and", unless the left part ends in a way that joins with the "&".
    const std::vector<bool> starts = boundaries(a + "&");
    const bool endsWithSeparator = !a.empty() && a.back() == '&' && starts[a.size() - 1];
    if (!a.empty() && starts[a.size()] && !endsWithSeparator) {
        require(conditionHolds(a + "&" + b, lookup) ==
                (conditionHolds(a, lookup) && conditionHolds(b, lookup)));
    }
    // A name without separators is found by equality, and every piece of it at character starts by
    // containment.
    if (!gbk::contains(name, "=") && !gbk::contains(name, "&")) {
        require(conditionHolds("n==" + name, lookup));
        const std::vector<bool> nameStarts = boundaries(name);
        for (std::size_t from = 0; from < name.size(); ++from) {
            if (!nameStarts[from]) continue;
            for (std::size_t to = from + 1; to <= name.size(); ++to) {
                if (nameStarts[to]) require(conditionHolds("n=" + name.substr(from, to - from), lookup));
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string separator = input.ConsumeRandomLengthString(3);
    const std::string first = input.ConsumeRandomLengthString(64);
    const std::string second = input.ConsumeRandomLengthString(64);
    const long count = input.ConsumeIntegral<std::int32_t>();
    const std::string name = input.ConsumeRemainingBytesAsString().substr(0, 16);

    checkSplit(first, separator);
    checkSplit(first, ">");

    const long long index = readIndex(first);
    require(index == referenceIndex(first));
    require(resolveIndex(index, count) == referenceResolve(index, count));
    const PathStep::Kind kind = parseStep(first).kind;
    require(kind == (first.empty()     ? PathStep::Kind::Ignored
                     : first[0] == '#' ? PathStep::Kind::Index
                     : first[0] == '?' ? PathStep::Kind::Condition
                                       : PathStep::Kind::Ignored));

    checkClauses(first);
    checkConditions(first, second, name);
    return 0;
}
