// Which UTF-8 values the remark store accepts from the database. Other tools may have stored anything;
// a value that fails this check is read as no value at all.
#pragma once

#include <string_view>

// True for well-formed UTF-8 of characters from U+0001 to U+FFFF: no overlong forms, no surrogates,
// no four-byte sequences (characters beyond U+FFFF) and no zero byte (a Text cannot hold one).
bool isAcceptedUtf8(std::string_view bytes);
