#include "client/utf16_compare.h"

#include <cstdint>

namespace {

bool isAsciiLetter(int unit) {
    return (unit >= 'A' && unit <= 'Z') || (unit >= 'a' && unit <= 'z');
}

}  // namespace

int compareUtf16(const char16_t* a, const char16_t* b, bool caseSensitive) {
    // A missing name is told apart by its pointer alone: it never equals a readable one.
    if (!a || !b) return a == b ? 0 : (a ? 1 : -1);
    int d = 0;
    for (;; ++a, ++b) {
        const int unitA = static_cast<std::int16_t>(*a);
        const int unitB = static_cast<std::int16_t>(*b);
        d = unitA - unitB;
        // Letters 32 apart are the two cases of one letter; a letter 32 away from a non-letter is not.
        const bool caseMatch =
            !caseSensitive && (d == 32 || d == -32) && isAsciiLetter(unitA) && isAsciiLetter(unitB);
        if (d != 0 && !caseMatch) break;
        if (unitA == 0) break;
    }
    return d < 0 ? -1 : (d > 0 ? 1 : 0);
}
