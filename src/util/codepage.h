// The program's one converter between Text (code page 936) and the platform's texts, over
// MultiByteToWideChar and WideCharToMultiByte. Every text handed to or taken from the platform passes here,
// through code page 936 named explicitly, so that the program behaves alike whatever the system's ANSI code
// page is. UTF-16 is held in a ByteBuffer as little-endian code units; a buffer made from
// narrow text ends with one zero code unit, counted in its length. The empty buffer is the empty string.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "util/gbk_text.h"

using ByteBuffer = std::vector<std::uint8_t>;

constexpr unsigned kGbkCodePage = 936;

// UTF-16 from code page 936, terminator included. With `noTerminator` the result is cut before its
// first zero code unit.
ByteBuffer textToUtf16(const Text& text, bool noTerminator = false);
// UTF-16 from narrow bytes in `codePage` (0 is the system ANSI code page); input after a zero byte is
// ignored.
ByteBuffer bytesToUtf16(const ByteBuffer& narrow, unsigned codePage);
// Text in code page 936, up to the first zero code unit.
Text utf16ToGbkText(const ByteBuffer& utf16);
// Text in `codePage` when `useCodePage` is on, else in the system ANSI code page.
Text utf16ToText(const ByteBuffer& utf16, unsigned codePage, bool useCodePage);
// Narrow bytes in `codePage`, without terminator.
ByteBuffer utf16ToBytes(const ByteBuffer& utf16, unsigned codePage);

// Exact conversions between Text and UTF-8, for what is stored: nothing when the Text is not valid GBK or
// holds a zero byte, or when the UTF-8 is invalid or holds a character that GBK has no exact counterpart for
// (no look-alike stands in).
std::optional<std::string> gbkToUtf8(const Text& text);
std::optional<Text> utf8ToGbk(const std::string& utf8);

// The buffer as a wide string for the platform: null for the empty buffer.
inline const wchar_t* asWide(const ByteBuffer& utf16) {
    return utf16.empty() ? nullptr : reinterpret_cast<const wchar_t*>(utf16.data());
}
// A UTF-16 buffer holding exactly `count` code units from `units` (no terminator added).
ByteBuffer utf16Buffer(const wchar_t* units, std::size_t count);

// The forms the platform's wide calls take and give, over textToUtf16 and utf16ToGbkText: the Text as a
// wide string (empty for the empty Text; `.c_str()` for a call), and `count` units of a wide string (up
// to the first zero unit) as Text.
std::wstring toWide(const Text& text);
Text fromWide(const wchar_t* units, std::size_t count);
inline Text fromWide(const std::wstring& wide) {
    return fromWide(wide.data(), wide.size());
}
