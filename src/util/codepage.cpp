#include "util/codepage.h"

#include <windows.h>

#include <cstring>

ByteBuffer bytesToUtf16(const ByteBuffer& narrow, unsigned codePage) {
    // The platform gets a terminated copy; the caller's buffer stays as it is.
    std::vector<char> source(narrow.begin(), narrow.end());
    source.push_back('\0');
    if (source[0] == '\0') return {};
    const int units = MultiByteToWideChar(codePage, 0, source.data(), -1, nullptr, 0);
    if (units <= 0) return {};
    ByteBuffer result(static_cast<std::size_t>(units) * 2, 0);
    MultiByteToWideChar(codePage, 0, source.data(), -1, reinterpret_cast<wchar_t*>(result.data()), units);
    return result;
}

ByteBuffer textToUtf16(const Text& text, bool noTerminator) {
    ByteBuffer result = bytesToUtf16(ByteBuffer(text.begin(), text.end()), kGbkCodePage);
    if (noTerminator) {
        for (std::size_t i = 0; i + 1 < result.size(); i += 2) {
            if (result[i] == 0 && result[i + 1] == 0) {
                result.resize(i);
                break;
            }
        }
    }
    return result;
}

ByteBuffer utf16ToBytes(const ByteBuffer& utf16, unsigned codePage) {
    // A terminated copy; an odd last byte becomes the low byte of a unit of its own.
    std::vector<wchar_t> source((utf16.size() + 1) / 2 + 1, L'\0');
    if (!utf16.empty()) std::memcpy(source.data(), utf16.data(), utf16.size());
    if (lstrlenW(source.data()) == 0) return {};
    const int bytes = WideCharToMultiByte(codePage, 0, source.data(), -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::vector<char> out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(codePage, 0, source.data(), -1, out.data(), bytes, nullptr, nullptr);
    return ByteBuffer(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(std::strlen(out.data())));
}

Text utf16ToText(const ByteBuffer& utf16, unsigned codePage, bool useCodePage) {
    const ByteBuffer bytes = utf16ToBytes(utf16, useCodePage ? codePage : CP_ACP);
    return Text(bytes.begin(), bytes.end());
}

Text utf16ToGbkText(const ByteBuffer& utf16) {
    return utf16ToText(utf16, kGbkCodePage, true);
}

ByteBuffer utf16Buffer(const wchar_t* units, std::size_t count) {
    ByteBuffer result(count * 2);
    if (count) std::memcpy(result.data(), units, count * 2);
    return result;
}

std::wstring toWide(const Text& text) {
    const ByteBuffer utf16 = textToUtf16(text);
    return utf16.empty() ? std::wstring() : std::wstring(asWide(utf16));
}

Text fromWide(const wchar_t* units, std::size_t count) {
    return utf16ToGbkText(utf16Buffer(units, count));
}

namespace {

// UTF-16 for `bytes` in `codePage`; nothing when the bytes are not valid there.
std::optional<std::wstring> strictToWide(const std::string& bytes, UINT codePage) {
    if (bytes.empty()) return std::wstring();
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (units <= 0) return std::nullopt;
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    if (MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes.data(), length, wide.data(), units) !=
        units) {
        return std::nullopt;
    }
    return wide;
}

// `wide` in `codePage`; nothing when a character has no exact counterpart there. `lpUsedDefaultChar`
// is not allowed for UTF-8, where every character has one anyway.
std::optional<std::string> strictFromWide(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return std::string();
    const bool exactOnly = codePage != CP_UTF8;
    const DWORD flags = exactOnly ? WC_NO_BEST_FIT_CHARS : WC_ERR_INVALID_CHARS;
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = exactOnly ? &usedDefault : nullptr;
    const int bytes =
        WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultOut);
    if (bytes <= 0 || usedDefault) return std::nullopt;
    std::string narrow(static_cast<std::size_t>(bytes), '\0');
    if (WideCharToMultiByte(codePage, flags, wide.data(), length, narrow.data(), bytes, nullptr,
                            usedDefaultOut) != bytes ||
        usedDefault) {
        return std::nullopt;
    }
    return narrow;
}

// A Text never holds a zero byte; one would cut the value short on its way through SQLite.
bool holdsZero(const std::string& bytes) {
    return bytes.find('\0') != std::string::npos;
}

}  // namespace

std::optional<std::string> gbkToUtf8(const Text& text) {
    if (holdsZero(text)) return std::nullopt;
    const std::optional<std::wstring> wide = strictToWide(text, kGbkCodePage);
    return wide ? strictFromWide(*wide, CP_UTF8) : std::nullopt;
}

std::optional<Text> utf8ToGbk(const std::string& utf8) {
    if (holdsZero(utf8)) return std::nullopt;
    const std::optional<std::wstring> wide = strictToWide(utf8, CP_UTF8);
    return wide ? strictFromWide(*wide, kGbkCodePage) : std::nullopt;
}
