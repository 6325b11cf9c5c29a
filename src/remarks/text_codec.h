// How the remark store turns the program's Text into the UTF-8 that SQLite holds, and back.
// The store stays free of platform calls: the Windows build passes the code page 936 conversion
// (gbk_text_codec.h), the native tests a GBK one of their own.
#pragma once

#include <optional>
#include <string>

#include "util/gbk_text.h"

struct TextCodec {
    // UTF-8 for a Text; nothing when the Text is not valid in its code page.
    std::optional<std::string> (*toUtf8)(const Text& text);
    // Text for strictly valid UTF-8 (see utf8_check.h); nothing when a character has no exact
    // counterpart in the code page.
    std::optional<Text> (*fromUtf8)(const std::string& utf8);
};
