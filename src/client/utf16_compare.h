// Comparison of zero-terminated UTF-16 strings as the process list needs it: exact, or with ASCII letters
// matching their other case. Nothing else is folded: no other script, and no letter against a non-letter.
#pragma once

// 0 when the strings are equal under the rule, else -1 or 1 by the sign of the first difference, each code
// unit taken as a signed 16-bit number. A null string equals only another null string and orders first.
int compareUtf16(const char16_t* a, const char16_t* b, bool caseSensitive);
