// Conversions between Text (code page 936) and UTF-16, over the platform's MultiByteToWideChar and
// WideCharToMultiByte. UTF-16 is held in a ByteBuffer as little-endian code units; a buffer made from
// narrow text ends with one zero code unit, counted in its length. The empty buffer is the empty string.
#pragma once

#include <cstdint>
#include <vector>

#include "util/gbk_text.h"

using ByteBuffer = std::vector<std::uint8_t>;

constexpr unsigned kGbkCodePage = 936;

// UTF-16 from code page 936, terminator included. With `noTerminator` the result is cut before its
// first zero code unit.
ByteBuffer textToUtf16(const Text& text, bool noTerminator = false);
// UTF-16 from narrow bytes in `codePage` (0 is the system ANSI code page); input after a zero byte is ignored.
ByteBuffer bytesToUtf16(const ByteBuffer& narrow, unsigned codePage);
// Text in code page 936, up to the first zero code unit.
Text utf16ToGbkText(const ByteBuffer& utf16);
// Text in `codePage` when `useCodePage` is on, else in the system ANSI code page.
Text utf16ToText(const ByteBuffer& utf16, unsigned codePage, bool useCodePage);
// Narrow bytes in `codePage`, without terminator.
ByteBuffer utf16ToBytes(const ByteBuffer& utf16, unsigned codePage);

// The buffer as a wide string for the platform: null for the empty buffer.
inline const wchar_t* asWide(const ByteBuffer& utf16) {
    return utf16.empty() ? nullptr : reinterpret_cast<const wchar_t*>(utf16.data());
}
// A UTF-16 buffer holding exactly `count` code units from `units` (no terminator added).
ByteBuffer utf16Buffer(const wchar_t* units, std::size_t count);
